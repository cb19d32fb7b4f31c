// The line operations as the list offers them: context-menu entries, the two small
// dialogs, the keys, the clipboard between two show windows and files dropped on the list.
#include <gtest/gtest.h>

#include <QClipboard>
#include <map>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "ViewsFixture.h"
#include "dialogs/LineEntryDialog.h"
#include "model/Cp1252.h"
#include "res/CommandIds.h"

namespace vistrel::test {
namespace {

const QString Header = QStringLiteral("PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n");

struct LineCommandsTest : ::testing::Test {
    ShowWindow w;

    void openShow(const std::vector<int>& slides) {
        for (int slide : slides) w.addLine(slide, 25, 55, 0, "Dia " + std::to_string(slide));
        w.open();
        w.reloadFromDocument();
    }
    QPoint rowPoint(int row) { return w.list->visualRect(w.list->model()->index(row, 1)).center(); }
    void click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(w.list->viewport(), Qt::LeftButton, modifiers, rowPoint(row));
        ShowWindow::settle();
    }
    // Right-clicks `row` and triggers the context-menu entry "popup / entry" (or a top entry).
    void menuCommand(int row, const QString& popup, const QString& entry = {}) {
        QTest::mouseClick(w.list->viewport(), Qt::RightButton, Qt::NoModifier, rowPoint(row));
        QMenu* menu = w.list->contextMenu();
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() != popup) continue;
            QAction* target = action;
            if (action->menu()) {
                target = nullptr;
                for (QAction* sub : action->menu()->actions())
                    if (sub->text() == entry) target = sub;
            }
            ASSERT_NE(target, nullptr) << entry.toStdString();
            ASSERT_TRUE(target->isEnabled());
            menu->close();
            target->trigger();
            ShowWindow::settle();
            return;
        }
        FAIL() << "no entry " << popup.toStdString();
    }
    std::vector<int> slides() const {
        std::vector<int> result;
        for (int i = 0; i < w.doc.lineCount; ++i) result.push_back(w.doc.lines[i].slideNumber);
        return result;
    }
    QStringList column(int c) const {
        QStringList cells;
        for (int r = 0; r < w.list->rowCount(); ++r) cells << w.list->cellText(r, c);
        return cells;
    }
    QString slideField() { return w.field<QLineEdit>("slideNumberEdit")->text(); }
};

TEST_F(LineCommandsTest, InsertAndRemoveWithCorrectionFromTheContextMenu) {
    openShow({10, 11, 12});
    menuCommand(1, QStringLiteral("Zeile einfügen"), QStringLiteral("mit Dianummern-Korrektur"));
    EXPECT_EQ(slides(), (std::vector<int>{10, 11, 12, 13}));
    EXPECT_EQ(column(0), (QStringList{"001", "002", "003", "004"}));
    EXPECT_EQ(column(1), (QStringList{"  10", "  11", "  12", "  13"}));
    EXPECT_EQ(column(5), (QStringList{"Dia 10", "Dia 11", "", "Dia 12"}));
    EXPECT_EQ(w.list->selectedRows(), (std::vector<int>{2}));
    // The editor shows the new line with its corrected slide number.
    EXPECT_EQ(w.doc.currentLine, 2);
    EXPECT_EQ(slideField(), QStringLiteral("12"));

    // The selection stays while the context menu adds a row: both rows go.
    menuCommand(0, QStringLiteral("Zeile(n) entfernen"), QStringLiteral("mit Dianummern-Korrektur"));
    EXPECT_EQ(slides(), (std::vector<int>{10, 11}));
    EXPECT_EQ(column(0), (QStringList{"001", "002"}));
    EXPECT_EQ(column(1), (QStringList{"  10", "  11"}));
    EXPECT_EQ(column(5), (QStringList{"Dia 11", "Dia 12"}));
    EXPECT_TRUE(w.doc.appendMode);  // the editor's line moved: a new line at the end
    EXPECT_EQ(w.doc.currentLine, 2);
    EXPECT_EQ(slideField(), QStringLiteral("12"));
}

TEST_F(LineCommandsTest, ContextEntriesExplainThemselvesInTheStatusBar) {
    openShow({1, 2});
    QTest::mouseClick(w.list->viewport(), Qt::RightButton, Qt::NoModifier, rowPoint(0));
    QMenu* menu = w.list->contextMenu();
    ASSERT_NE(menu, nullptr);
    std::map<QString, QString> tips;
    for (QAction* action : menu->actions()) {
        if (!action->menu()) tips[action->text()] = action->statusTip();
        for (QAction* sub : action->menu() ? action->menu()->actions() : QList<QAction*>())
            tips[action->text() + " / " + sub->text()] = sub->statusTip();
    }
    menu->close();
    const std::map<QString, QString> expected = {
        {"Zeile bearbeiten", "Übernimmt die aktuelle Zeile in den Eingabeteil."},
        {"Zeile einfügen / ohne Dianummern-Korrektur", "Kopiert die aktuelle Zeile."},
        {"Zeile einfügen / mit Dianummern-Korrektur",
         "Fügt eine Zeile ein und verschiebt die nachfolgenden Dianummern der Programmzeilen."},
        {"Zeile(n) entfernen / ohne Dianummern-Korrektur", "Entfernt die aktuelle Zeile"},
        {"Zeile(n) entfernen / mit Dianummern-Korrektur",
         "Entfernt eine Zeile ein und verschiebt die nachfolgenden Dianummern der Programmzeilen."},
        {"Timerzeit(en) = ... / = 0", "Setzt alle Timerwerte der selektierten Zellen auf Null(Pausemodus)."},
        {"Timerzeit(en) = ... / Eingabe",
         "Setzt alle Timerzeiten der selektierten Zellen auf einen bestimmten Wert."},
        {"Dianummern korrigieren...", ""},
    };
    EXPECT_EQ(tips, expected);
}

TEST_F(LineCommandsTest, DeleteKeyRemovesAfterAsking) {
    openShow({1, 2, 3, 4});
    click(1);
    click(2, Qt::ShiftModifier);
    w.list->setFocus();
    w.prompter.queueAnswer(MessageAnswer::Yes);
    QTest::keyClick(w.list, Qt::Key_Delete);
    ShowWindow::settle();
    ASSERT_EQ(w.prompter.messages.size(), 1u);
    EXPECT_EQ(w.prompter.messages[0].text, "Möchten Sie diese Einträge wirklich löschen ?");
    EXPECT_EQ(slides(), (std::vector<int>{1, 4}));
    EXPECT_EQ(column(0), (QStringList{"001", "002"}));
    EXPECT_TRUE(w.list->selectedRows().empty());
    EXPECT_EQ(slideField(), QStringLiteral("5"));  // a new line after the last one
}

// Runs `action` on the line dialog the next command opens.
void onLineDialog(std::function<void(LineEntryDialog*)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<LineEntryDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

TEST_F(LineCommandsTest, TimerDialog) {
    openShow({1, 2, 3});
    click(0);
    click(2, Qt::ControlModifier);
    bool stayedOpen = false;
    onLineDialog([&](LineEntryDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Timerzeit setzen"));
        EXPECT_NE(dialog->findChild<QLabel*>(), nullptr);
        EXPECT_EQ(dialog->findChild<QLabel*>()->text(), QStringLiteral("Timerzeit in (Sek.) :"));
        EXPECT_EQ(dialog->entryEdit()->text(), QString());
        EXPECT_EQ(dialog->entryEdit()->maxLength(), 6);
        QTest::keyClicks(dialog->entryEdit(), QStringLiteral("600.1"));
        QTest::keyClick(dialog->entryEdit(), Qt::Key_Return);
        stayedOpen = dialog->isVisible();
        dialog->entryEdit()->setText(QStringLiteral("4.1"));
        QTest::keyClick(dialog->entryEdit(), Qt::Key_Return);
    });
    menuCommand(2, QStringLiteral("Timerzeit(en) = ..."), QStringLiteral("Eingabe"));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(w.prompter.messages.size(), 1u);
    EXPECT_EQ(w.prompter.messages[0].text, "Die gewählte Timerzeit ist nicht zulässig.");
    EXPECT_EQ(column(3), (QStringList{"    4.1", "    5.5", "    4.1"}));
    EXPECT_EQ(w.doc.lines[0].timerTime, 41);
    EXPECT_EQ(w.doc.lines[2].changeMarks, AllChangeMarks);

    // Cancel changes nothing.
    onLineDialog([](LineEntryDialog* dialog) {
        dialog->entryEdit()->setText(QStringLiteral("9"));
        dialog->reject();
    });
    menuCommand(2, QStringLiteral("Timerzeit(en) = ..."), QStringLiteral("Eingabe"));
    EXPECT_EQ(w.doc.lines[0].timerTime, 41);

    menuCommand(2, QStringLiteral("Timerzeit(en) = ..."), QStringLiteral("= 0"));
    EXPECT_EQ(column(3), (QStringList{"    0.0", "    5.5", "    0.0"}));
}

TEST_F(LineCommandsTest, IncrementDialog) {
    openShow({35, 5, 40});
    click(0);
    click(2, Qt::ControlModifier);
    onLineDialog([](LineEntryDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Inkrement für Dianummer"));
        EXPECT_EQ(dialog->findChild<QLabel*>()->text(), QStringLiteral("Inkrement (z.B. +10, 35 ->45)"));
        QTest::keyClicks(dialog->entryEdit(), QStringLiteral("+970"));
        QTest::keyClick(dialog->entryEdit(), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());  // 1010 would not fit
        dialog->entryEdit()->setText(QStringLiteral("+10"));
        QTest::keyClick(dialog->entryEdit(), Qt::Key_Return);
    });
    menuCommand(2, QStringLiteral("Dianummern korrigieren..."));
    EXPECT_EQ(slides(), (std::vector<int>{45, 5, 50}));
    EXPECT_EQ(column(1), (QStringList{"  45", "  5", "  50"}));
    EXPECT_EQ(w.prompter.messages.size(), 1u);
}

TEST_F(LineCommandsTest, ClipboardBetweenTwoWindows) {
    w.addLine(12, 25, 40, 0, "\xDC" "bergang");  // Windows-1252 in the document
    w.addLine(13, 30, 0, 160, "");
    w.open();
    w.reloadFromDocument();
    w.list->setFocus();
    QTest::keyClick(w.list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w.list->selectedRows(), (std::vector<int>{0, 1}));
    QTest::keyClick(w.list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              Header + QStringLiteral("001\t  12\t    2.5\t    4.0\t  0\tÜbergang\t\r\n"
                                      "002\t  13\t    3.0\t    0.0\t  160\t \t\r\n"));

    ShowWindow other;
    other.addLine(1, 25, 55, 0, "eins");
    other.addLine(2, 25, 55, 0, "zwei");
    other.open();
    other.reloadFromDocument();
    QTest::mouseClick(other.list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      other.list->visualRect(other.list->model()->index(0, 1)).center());
    other.list->setFocus();
    QTest::keyClick(other.list, Qt::Key_V, Qt::ControlModifier);
    ShowWindow::settle();
    ASSERT_EQ(other.doc.lineCount, 4);
    EXPECT_EQ(other.doc.lines[1].description.str(), "\xDC" "bergang");
    EXPECT_EQ(other.doc.lines[2].specialFunction, 160);
    EXPECT_EQ(other.doc.lines[3].description.str(), "zwei");
    EXPECT_EQ(other.list->cellText(1, 5), QStringLiteral("Übergang"));

    // Text from another program: characters Windows-1252 has no byte for arrive as "?".
    QGuiApplication::clipboard()->setText(Header + QStringLiteral("1\t7\t1,5\t2\t0\tPreis 5 € – 東京\r\n"));
    other.list->clearSelection();
    QTest::keyClick(other.list, Qt::Key_Insert);  // asks first; the recording user says no
    EXPECT_EQ(other.doc.lineCount, 4);
    // While a show runs "Einfügen" is disabled, but the Insert key pastes after asking.
    other.runState.showRunning = true;
    QTest::keyClick(other.list, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(other.doc.lineCount, 4);
    other.prompter.queueAnswer(MessageAnswer::Yes);
    QTest::keyClick(other.list, Qt::Key_Insert);
    other.runState.showRunning = false;
    ASSERT_EQ(other.doc.lineCount, 5);
    EXPECT_EQ(other.doc.lines[4].description.str(), "Preis 5 \x80 \x96 ??");
    EXPECT_EQ(other.doc.lines[4].dissolveTime, 15);
}

TEST_F(LineCommandsTest, DroppedFilesOpenInTheirOrder) {
    openShow({1});
    QStringList opened;
    w.services.openShow = [&](const QString& path) { opened << path; };

    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/show.dpd"))});
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.list->viewport(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.dpd")), QUrl(QStringLiteral("https://example.org/x")),
                   QUrl::fromLocalFile(QStringLiteral("/tmp/notes.txt"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.list->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.list->viewport(), &drop);
    EXPECT_TRUE(opened.isEmpty());  // once the drop is over
    ShowWindow::settle();
    EXPECT_EQ(opened, (QStringList{"/tmp/a.dpd", "/tmp/notes.txt"}));
}

}  // namespace
}  // namespace vistrel::test
