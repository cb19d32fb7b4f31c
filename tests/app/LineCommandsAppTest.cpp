// Line operations in the whole program: the keys of the list reach the program's
// commands, edits end up in the saved file, and dropped files open as shows.
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/CMainFrame.h"
#include "tests/app/AppFixture.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"
#include "views/ListCommands.h"

namespace vistrel::test {
namespace {

class LineCommandsApp : public AppFixture {
protected:
    CSplitterFrame& openSample(CVistrelApp& started) {
        EXPECT_TRUE(started.openShow(showFile()));
        return *started.activeFrame();
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
};

TEST_F(LineCommandsApp, CopyAndSelectAllKeysGoThroughTheProgramsCommands) {
    CVistrelApp& started = startApp();
    CSplitterFrame& show = openSample(started);
    QApplication::setActiveWindow(started.mainFrame());
    CVistrelView* list = show.listView();
    list->setFocus();
    QClipboard* clipboard = QGuiApplication::clipboard();

    // While the commands cannot run, their keys do nothing, not even the view's own copy.
    list->setCommandOperation(cmd::EditCopy, nullptr);
    list->setCommandOperation(cmd::EditSelectAll, nullptr);
    started.mainFrame()->updateActions();
    clipboard->setText(QStringLiteral("vorher"));
    list->selectionModel()->setCurrentIndex(list->model()->index(1, 5), QItemSelectionModel::NoUpdate);
    for (auto key : {Qt::Key_C, Qt::Key_Insert}) QTest::keyClick(list, key, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("vorher"));
    EXPECT_TRUE(list->selectedRows().empty());

    list->setCommandOperation(cmd::EditCopy, [list] { list->commands().clipboard().copyToClipboard(); });
    list->setCommandOperation(cmd::EditSelectAll, [list] { list->commands().lines().selectAll(); });
    started.mainFrame()->updateActions();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectedRows(), (std::vector<int>{0, 1}));
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n"
                                                "001\t  12\t    2.5\t    5.5\t  0\tTiteldia\t\r\n"
                                                "002\t  13\t    3.0\t    0.0\t  100\t \t\r\n"));
}

// A click on a row hands the keyboard to the editor's slide number, yet the edit keys
// still act on the list; after a click into the editor they act on its fields.
TEST_F(LineCommandsApp, EditKeysActOnThePaneLastClicked) {
    CVistrelApp& started = startApp();
    CSplitterFrame& show = openSample(started);
    QApplication::setActiveWindow(started.mainFrame());
    settle();
    CVistrelView* list = show.listView();
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QPoint row0 = list->visualRect(list->model()->index(0, 1)).center();
    const QPoint row1 = list->visualRect(list->model()->index(1, 1)).center();

    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row0);
    settle();
    QWidget* slide = QApplication::focusWidget();
    ASSERT_NE(slide, nullptr);
    ASSERT_TRUE(show.editor()->isAncestorOf(slide));  // the keyboard went to the editor
    QTest::keyClick(slide, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n"
                                                "001\t  12\t    2.5\t    5.5\t  0\tTiteldia\t\r\n"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row1);
    settle();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(show.document().lineCount, 3);
    EXPECT_EQ(show.document().lines[2].description.str(), "Titeldia");

    // Now the user clicks into the slide number: the keys are the field's.
    QTest::mouseClick(slide, Qt::LeftButton);
    QTest::keyClick(slide, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(slide, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("13"));  // the new line after the pasted slide 12
    EXPECT_EQ(show.document().lineCount, 3);

    // Typing into the field after a click on a row turns to the editor too.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row0);
    settle();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("77"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("77"));
    EXPECT_EQ(list->selectedRows(), (std::vector<int>{0}));
}

TEST_F(LineCommandsApp, EditMenuPrompts) {
    CVistrelApp& started = startApp();
    const std::pair<int, const char*> table[] = {
        {cmd::EditCopy, "Kopiert die Markierung und überträgt sie in die Zwischenablage."},
        {cmd::EditCut, "Entfernt die Markierung und überträgt sie in die Zwischenablage."},
        {cmd::EditPaste, "Fügt den Inhalt der Zwischenablage ein."},
        {cmd::EditRemove, "Entfernt alle selektierten Zeilen."},
        {cmd::EditSelectAll, "Markiert alle Zeilen."},
    };
    for (const auto& [id, prompt] : table) EXPECT_EQ(started.mainFrame()->action(id)->statusTip(), QString::fromUtf8(prompt));
}

TEST_F(LineCommandsApp, EditsReachTheSavedFile) {
    CVistrelApp& started = startApp();
    CSplitterFrame& show = openSample(started);
    const QString path = QString::fromStdString(show.document().filePath);
    const QByteArray original = contents(path);
    const QByteArray head = "/h1 Urlaub 2001\r\n/h2 Sommerreise an die Ostsee\r\n/h3 \r\n/h4 Schrank 2\r\n/a 7\r\n";
    ASSERT_TRUE(original.startsWith(head));
    CVistrelView* list = show.listView();

    list->setContextItem(0);
    started.runCommand(cmd::InsertLineCorrected);
    started.runCommand(cmd::FileSave);
    EXPECT_EQ(contents(path), head + "/p 001 012 /d 025 /t 0055 /s 000 /c Titeldia\r\n"
                                     "/p 002 013 /d 025 /t 0055 /s 000 \r\n"
                                     "/p 003 014 /d 030 /t 0000 /s 100 \r\n");

    list->clearSelection();
    list->selectAndFocusRow(1);
    started.runCommand(cmd::RemoveLinesCorrected);
    started.runCommand(cmd::FileSave);
    EXPECT_EQ(contents(path), original);

    // The first line copied and pasted after the second, with the list at the keyboard
    // (in the line editor these commands act on its fields).
    QApplication::setActiveWindow(started.mainFrame());
    settle();
    list->setFocus();
    list->clearSelection();
    list->selectAndFocusRow(0);
    started.runCommand(cmd::EditCopy);
    list->clearSelection();
    list->selectAndFocusRow(1);
    started.runCommand(cmd::EditPaste);
    started.runCommand(cmd::FileSave);
    EXPECT_EQ(contents(path), original + "/p 003 012 /d 025 /t 0055 /s 000 /c Titeldia\r\n");
}

TEST_F(LineCommandsApp, DroppedFilesOpenAsShows) {
    CVistrelApp& started = startApp();
    CVistrelView* list = started.activeFrame()->listView();
    const QString notes = folder.filePath("notes.txt");
    QFile(notes).open(QIODevice::WriteOnly);

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(showFile()), QUrl::fromLocalFile(notes)});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    QApplication::sendEvent(list->viewport(), &drop);
    settle();

    ASSERT_EQ(started.frames().size(), 2u);
    EXPECT_EQ(started.activeFrame()->document().lineCount, 2);
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"Diese Datei tägt nicht die DPD-Kennung!\nDas Laden wird abgebrochen."});
}

}  // namespace
}  // namespace vistrel::test
