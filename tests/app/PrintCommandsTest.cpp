// "Drucken", "Seitenansicht" and "Druckereinrichtung" in the window program, on the
// program's printer set to a PDF file: no printer is needed for any of them.
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>

#include "app/CSplitterFrame.h"
#include "tests/app/AppFixture.h"
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
