// "Drucken", "Seitenansicht", "Druckereinrichtung", "Magazinplan drucken..." and "Bilder
// prüfen" in the window program, on the program's printer set to a PDF file: no printer
// is needed for any of them.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <map>

#include "app/CSplitterFrame.h"
#include "tests/app/AppFixture.h"
#include "tests/app/ShowLines.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"

namespace vistrel::test {
namespace {

class PrintCommands : public AppFixture {
protected:
    CVistrelApp& startWithShow() {
        CVistrelApp& started = startApp({showFile()});
        QPrinter& printer = started.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath());
        return started;
    }
    QString pdfPath() const { return folder.filePath(QStringLiteral("printed.pdf")); }
    int printedPages() const {
        QFile file(pdfPath());
        if (!file.open(QIODevice::ReadOnly)) return -1;
        return static_cast<int>(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type /Page[^s]")));
    }
    // The PDF the print dialog offers: the show's name beside it.
    QString offeredPdfPath() const { return folder.filePath(QStringLiteral("sample.pdf")); }
    int printedPictures() const {
        QFile file(offeredPdfPath());
        if (!file.open(QIODevice::ReadOnly)) return -1;
        return static_cast<int>(QString::fromLatin1(file.readAll()).count(QStringLiteral("/Subtype /Image")));
    }
    // Pictures "<slide>.png" in the show's default picture folder, "sample/" beside it.
    QString pictureFolder() const { return folder.filePath(QStringLiteral("sample")); }
    void addPictures(const std::vector<int>& slides) const {
        if (!slides.empty()) QDir().mkpath(pictureFolder());
        for (int slide : slides) {
            QImage picture(60, 40, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            ASSERT_TRUE(picture.save(pictureFolder() + QStringLiteral("/%1.png").arg(slide)));
        }
    }
};

TEST_F(PrintCommands, PrintGivenInTheLineEditorPrintsTheList) {
    CVistrelApp& started = startWithShow();
    CSplitterFrame* frame = started.activeFrame();
    ASSERT_NE(frame, nullptr);
    frame->editor()->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(frame->editor()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == frame->editor());
    EXPECT_TRUE(isCommandEnabled(cmd::FilePrintDirect, started.commandContext()));
    started.runCommand(cmd::FilePrintDirect);
    EXPECT_EQ(printedPages(), 1);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PrintCommands, APrinterThatCannotStartIsReported) {
    CVistrelApp& started = startWithShow();
    started.printer().setOutputFileName(folder.filePath(QStringLiteral("missing/folder/printed.pdf")));
    started.runCommand(cmd::FilePrintDirect);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "Das Drucken konnte nicht begonnen werden.\nBitte prüfen Sie den Drucker bzw. die Datei.");
}

TEST_F(PrintCommands, ThePrintDialogOffersThePagesAndCancellingPrintsNothing) {
    CVistrelApp& started = startWithShow();
    int maxPage = 0;
    onNextModal([&](QWidget* dialog) {
        auto* printDialog = qobject_cast<QPrintDialog*>(dialog);
        ASSERT_NE(printDialog, nullptr);
        maxPage = printDialog->maxPage();
        printDialog->reject();
    });
    started.runCommand(cmd::FilePrint);
    EXPECT_EQ(maxPage, 1);
    EXPECT_FALSE(QFile::exists(pdfPath()));
}

TEST_F(PrintCommands, ThePreviewShowsThePagesWithoutPrinting) {
    CVistrelApp& started = startWithShow();
    int pages = -1;
    onNextModal([&](QWidget* dialog) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->windowTitle(), QStringLiteral("Seitenansicht"));
        auto* pagesWidget = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pagesWidget, nullptr);
        pages = pagesWidget->pageCount();
        preview->reject();
    });
    started.runCommand(cmd::FilePrintPreview);
    EXPECT_EQ(pages, 1);
    EXPECT_FALSE(QFile::exists(pdfPath()));
}

TEST_F(PrintCommands, BilderPruefenSaysWhichSlidesHaveAPicture) {
    CVistrelApp& started = startWithShow();  // slides 12 and 13
    const struct {
        std::vector<int> added;
        std::string message;
    } table[] = {
        {{}, "Der Bilderordner\n" + pictureFolder().toStdString() + "\nkann nicht gelesen werden."},
        {{12}, "1 von 2 Dias haben ein Bild; ohne Bild: 13."},
        {{13, 40}, "2 von 2 Dias haben ein Bild.\nBilddateien, die für kein Dia der Diaschau stehen: 40.png"},
    };
    for (const auto& row : table) {
        addPictures(row.added);
        prompter.messages.clear();
        ASSERT_TRUE(isCommandEnabled(cmd::CheckPictures, started.commandContext()));
        started.runCommand(cmd::CheckPictures);
        EXPECT_EQ(messageTexts(), std::vector<std::string>{row.message});
    }
}

TEST_F(PrintCommands, PrintingWithPicturesPutsEachSlidesPictureInItsRow) {
    CVistrelApp& started = startWithShow();
    addPictures({12});
    for (const bool withPictures : {true, false}) {
        onNextModal([&](QWidget* dialog) {
            auto* printDialog = qobject_cast<QPrintDialog*>(dialog);
            ASSERT_NE(printDialog, nullptr);
            auto* box = printDialog->findChild<QCheckBox*>(QStringLiteral("printWithPictures"));
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->isEnabled());
            box->setChecked(withPictures);
            printDialog->accept();
        });
        started.runCommand(cmd::FilePrint);
        EXPECT_EQ(printedPictures(), withPictures ? 1 : 0);
        QFile::remove(offeredPdfPath());
    }
}

TEST_F(PrintCommands, TheMagazinePlanFollowsTheMagazineSizeChosenInItsPreview) {
    CVistrelApp& started = startWithShow();
    appendShowLines(started.activeFrame()->document(), std::vector<ShowLine>{{100, 25, 55, 0, "Letztes"}});
    std::map<int, int> pagesBySize;
    onNextModal([&](QWidget* dialog) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog);
        ASSERT_NE(preview, nullptr);
        auto* sizes = preview->findChild<QComboBox*>(QStringLiteral("magazineSlots"));
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(sizes, nullptr);
        ASSERT_NE(pages, nullptr);
        for (int i = 0; i < sizes->count(); ++i) {
            sizes->setCurrentIndex(i);
            pages->updatePreview();
            pagesBySize[sizes->currentText().toInt()] = pages->pageCount();
        }
        preview->reject();
    });
    started.runCommand(cmd::PrintMagazinePlan);
    // 20 slots to an A4 page, each magazine from a new page, slots 1 .. 100.
    EXPECT_EQ(pagesBySize, (std::map<int, int>{{50, 6}, {80, 5}, {100, 5}, {140, 5}}));
    EXPECT_FALSE(QFile::exists(pdfPath()));
    // The list printed at once still goes where it went before.
    EXPECT_EQ(started.printer().outputFileName(), pdfPath());
}

TEST_F(PrintCommands, PageSetupWorksWithoutAShow) {
    CVistrelApp& started = startApp();
    for (CSplitterFrame* frame : std::vector<CSplitterFrame*>(started.frames())) frame->closeWithoutAsking();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(isCommandEnabled(cmd::FilePrint, started.commandContext()));
    EXPECT_TRUE(isCommandEnabled(cmd::FilePrintSetup, started.commandContext()));
    bool seen = false;
    onNextModal([&](QWidget* dialog) {
        seen = qobject_cast<QPageSetupDialog*>(dialog) != nullptr;
        static_cast<QDialog*>(dialog)->reject();
    });
    started.runCommand(cmd::FilePrintSetup);
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace vistrel::test
