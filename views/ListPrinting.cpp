#include "views/ListPrinting.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Prompter.h"
#include "res/CommandIds.h"
#include "res/TableText.h"
#include "res/strings/PrintStrings.h"
#include "views/CTextView.h"
#include "views/MagazinePrinting.h"
#include "views/ViewServices.h"

namespace vistrel {

namespace {

// A menu text as a window title: without its mnemonic and its dots.
QString titleOf(int commandId) {
    QString title = tableText(commandId);
    return title.remove(QLatin1Char('&')).remove(QStringLiteral("...")).trimmed();
}

print::ShowPrintout layoutFor(CTextView& list, QPrinter& printer) {
    return print::ShowPrintout(list.document(), listPrintOptions(list), print::printDeviceOf(printer));
}

// The choice of the print dialog's "Bilder" tab, kept with the list for the next print
// and the preview.
const char* const PrintWithPictures = "printWithPictures";

// The print dialog's tab "Bilder" with "Mit Bildern drucken"; its choice goes to the list
// when the dialog is accepted.
QWidget* picturesTab(CTextView& list, QCheckBox*& withPictures) {
    auto* tab = new QWidget;
    tab->setWindowTitle(QString::fromUtf8(res::text(ids::PrintPicturesTab)));
    auto* layout = new QVBoxLayout(tab);
    withPictures = new QCheckBox(QString::fromUtf8(res::text(ids::PrintWithPictures)), tab);
    withPictures->setObjectName(QStringLiteral("printWithPictures"));
    withPictures->setChecked(list.property(PrintWithPictures).toBool());
    withPictures->setEnabled(listPictureFolder(list).has_value());
    layout->addWidget(withPictures);
    layout->addStretch();
    return tab;
}

print::PageRange chosenPages(const QPrinter& printer) {
    if (printer.printRange() != QPrinter::PageRange) return {};
    return {printer.fromPage(), printer.toPage()};
}

}  // namespace

print::PrintOptions listPrintOptions(CTextView& list) {
    print::PrintOptions options;
    for (int c = 0; c < 6; ++c) options.columnWidths[static_cast<std::size_t>(c)] = list.header()->sectionSize(c);
    options.sfCodesAsText = list.services().settings.sfCodesAsText;
    if (list.property(PrintWithPictures).toBool()) options.pictureFolder = listPictureFolder(list);
    return options;
}

void proposePdfName(const CVistrelDoc& doc, QPrinter& printer, const QString& suffix) {
    if (printer.outputFormat() != QPrinter::PdfFormat) return;
    const QFileInfo show(QString::fromStdString(doc.filePath));
    const QString folder = doc.filePath.empty() ? QDir::homePath() : show.absolutePath();
    const QString name = doc.filePath.empty() ? QString::fromStdString(doc.windowTitle) : show.completeBaseName();
    if (!name.isEmpty()) printer.setOutputFileName(QDir(folder).filePath(name + suffix + QStringLiteral(".pdf")));
}

std::optional<std::filesystem::path> listPictureFolder(CTextView& list) {
    const auto& folderOf = list.services().pictureFolder;
    const QString folder = folderOf ? folderOf(list.document()) : QString();
    if (folder.isEmpty()) return std::nullopt;
    return std::filesystem::path(folder.toStdString());
}

void printList(CTextView& list, QPrinter& printer, bool withDialog) {
    Prompter& prompter = list.services().prompter;
    if (withDialog) {
        // The page count of the printer as it is set up now; the dialog offers it as
        // the range to choose from.
        const int pages = layoutFor(list, printer).pageCount();
        proposePdfName(list.document(), printer);
        QPrintDialog dialog(&printer, list.window());
        dialog.setWindowTitle(titleOf(cmd::FilePrint));
        dialog.setMinMax(1, pages);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        QCheckBox* withPictures = nullptr;
        dialog.setOptionTabs({picturesTab(list, withPictures)});
        if (dialog.exec() != QDialog::Accepted) return;
        list.setProperty(PrintWithPictures, withPictures->isChecked());
    }
    bool printed = false;
    {
        WaitCursor wait(prompter);
        // Laid out again: the dialog may have changed the printer or the paper.
        const print::ShowPrintout printout = layoutFor(list, printer);
        printed = print::printPages(printer, printout, chosenPages(printer));
    }
    if (!printed) prompter.showMessage(ids::PrintFailed, MessageIcon::Exclamation, MessageButtons::Ok);
}

void previewList(CTextView& list, QPrinter& printer) {
    QPrintPreviewDialog preview(&printer, list.window());
    preview.setWindowTitle(titleOf(cmd::FilePrintPreview));
    // Big enough to read a page: most of the screen's height, a page's width and the tools.
    if (const QScreen* screen = list.screen()) {
        const QRect room = screen->availableGeometry();
        const int height = room.height() * 9 / 10;
        preview.resize(std::min(room.width(), height * 4 / 5), height);
    }
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&list](QPrinter* target) {
        print::printPages(*target, layoutFor(list, *target));
    });
    preview.exec();
}

void pageSetup(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(titleOf(cmd::FilePrintSetup));
    dialog.exec();
}

void attachListPrinting(CTextView& list, QPrinter& printer) {
    list.setCommandOperation(cmd::FilePrint, [&list, &printer] { printList(list, printer, true); });
    list.setCommandOperation(cmd::FilePrintDirect, [&list, &printer] { printList(list, printer, false); });
    list.setCommandOperation(cmd::FilePrintPreview, [&list, &printer] { previewList(list, printer); });
    list.setCommandOperation(
        cmd::PrintMagazinePlan, [&list, &printer] { previewMagazinePlan(list, printer); },
        [&list] { return list.document().lineCount > 0; });
}

}  // namespace vistrel
