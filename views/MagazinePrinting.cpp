#include "views/MagazinePrinting.h"

#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

#include "print/MagazinePlan.h"
#include "print/PrintJob.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/TableText.h"
#include "res/strings/PrintStrings.h"
#include "views/CTextView.h"
#include "views/ListPrinting.h"

namespace vistrel {

namespace {

}  // namespace

void previewMagazinePlan(CTextView& list, QPrinter& printer) {
    // Not under the name of the show's printed list, which may lie beside it; and the list's
    // "print at once" keeps the file it had.
    const QString listPdf = printer.outputFileName();
    proposePdfName(list.document(), printer, QStringLiteral(" Magazinplan"));
    QPrintPreviewDialog preview(&printer, list.window());
    preview.setWindowTitle(tableText(cmd::PrintMagazinePlan).remove(QStringLiteral("...")));
    if (const QScreen* screen = list.screen()) {
        const QRect room = screen->availableGeometry();
        const int height = room.height() * 9 / 10;
        // Wider than the list's preview: its tool bar carries the magazine size too.
        preview.resize(std::min(room.width(), height), height);
    }

    // The magazine size, in the preview's own tool bar: the plan follows it at once.
    auto* sizes = new QComboBox(&preview);
    sizes->setObjectName(QStringLiteral("magazineSlots"));
    for (const int size : print::MagazineSizes) sizes->addItem(QString::number(size), size);
    sizes->setCurrentIndex(sizes->findData(print::DefaultMagazineSize));
    // First in the tool bar, so that a narrow window never hides it behind the bar's overflow.
    if (auto* tools = preview.findChild<QToolBar*>()) {
        QAction* first = tools->actions().value(0);
        tools->insertWidget(first, new QLabel(tableText(ids::MagazineSlotsLabel) + QLatin1Char(' '), tools));
        tools->insertWidget(first, sizes);
        tools->insertSeparator(first);
    }
    if (auto* pages = preview.findChild<QPrintPreviewWidget*>()) {
        QObject::connect(sizes, &QComboBox::currentIndexChanged, pages, &QPrintPreviewWidget::updatePreview);
    }

    const std::optional<std::filesystem::path> folder = listPictureFolder(list);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        const print::MagazinePlan plan(list.document(), sizes->currentData().toInt(), folder,
                                       print::printDeviceOf(*target));
        print::printMagazinePlan(*target, plan);
    });
    preview.exec();
    printer.setOutputFileName(listPdf);
}

}  // namespace vistrel
