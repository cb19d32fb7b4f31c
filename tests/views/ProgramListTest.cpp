// The program list: its cell texts, the click rules, the context menu, the keys,
// taking over lines from the editor, and what its rows look like.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "ViewsFixture.h"
#include "edits/ShowHistory.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/strings/ListStrings.h"
#include "res/strings/ModelStrings.h"
#include "views/ListGeometry.h"

namespace vistrel::test {
namespace {

struct ListTest : ::testing::Test {
    ShowWindow w;

    // Opens a show of `count` lines: slide i+1, 2.5 s dissolve, 5.5 s timer.
    void openShow(int count) {
        for (int i = 0; i < count; ++i) w.addLine(i + 1, 25, 55, 0, "Zeile");
        w.open();
        w.reloadFromDocument();
    }
    QPoint rowPoint(int row) { return w.list->visualRect(w.list->model()->index(row, 1)).center(); }
    QPoint belowLastRow() { return QPoint(40, w.list->viewport()->height() - 5); }
    void click(const QPoint& at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(w.list->viewport(), Qt::LeftButton, modifiers, at);
        ShowWindow::settle();
    }
    QString slideField() { return w.field<QLineEdit>("slideNumberEdit")->text(); }
};

TEST_F(ListTest, CellTextsMirrorTheDocument) {
    w.addLine(12, 25, 55, 0, "Titeldia");
    w.addLine(7, 3, 0, 160, "");
    w.addLine(999, 255, 6000, 33, "\xDC" "bergang");  // the document holds Windows-1252
    w.open();
    w.reloadFromDocument();
    const char* expected[3][6] = {
        {"001", "  12", "    2.5", "    5.5", "  0", "Titeldia"},
        {"002", "  7", "    0.3", "    0.0", "  160", " "},  // an empty description shows one blank
        {"003", "  999", "   25.5", "  600.0", "  33", "Übergang"},
    };
    ASSERT_EQ(w.list->rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 6; ++c) EXPECT_EQ(w.list->cellText(r, c), QString::fromUtf8(expected[r][c])) << r << "," << c;
    // After loading, the editor offers the new line after the last one.
    EXPECT_EQ(w.doc.currentLine, 3);
    EXPECT_TRUE(w.doc.appendMode);
    EXPECT_EQ(static_cast<ListSelection*>(w.list), w.doc.listView);

    const char* headings[] = {"Prg-Nr.", "Dia-Nr.", "Dissolve", "Timer", " SF", "Beschreibung"};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(w.list->model()->headerData(c, Qt::Horizontal).toString(), QString::fromLatin1(headings[c]));
}

TEST_F(ListTest, ClicksMakeTheCurrentLine) {
    openShow(6);
    // The editor follows the click as the document tells it.
    QTest::mousePress(w.list->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(2));
    ShowWindow::settle();
    EXPECT_EQ(slideField(), QStringLiteral("3"));
    QTest::mouseRelease(w.list->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(2));
    click(rowPoint(2));
    EXPECT_EQ(w.doc.currentLine, 2);
    EXPECT_FALSE(w.doc.appendMode);
    EXPECT_EQ(slideField(), QStringLiteral("3"));  // the editor reloaded after the click

    // Shift and Ctrl extend the selection and leave the current line alone.
    click(rowPoint(4), Qt::ShiftModifier);
    EXPECT_EQ(w.doc.currentLine, 2);
    EXPECT_EQ(w.list->selectedRows(), (std::vector<int>{2, 3, 4}));
    click(rowPoint(0), Qt::ControlModifier);
    EXPECT_EQ(w.doc.currentLine, 2);
    EXPECT_EQ(w.list->selectedRows(), (std::vector<int>{0, 2, 3, 4}));

    // Below the last row: the editor offers a new line after the last one.
    click(belowLastRow());
    EXPECT_TRUE(w.doc.appendMode);
    EXPECT_EQ(w.doc.currentLine, 6);
    EXPECT_FALSE(w.doc.clickBelowLastLine);
    EXPECT_EQ(slideField(), QStringLiteral("7"));

    // Double-click loads the line too.
    QTest::mouseDClick(w.list->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(5));
    ShowWindow::settle();
    EXPECT_EQ(w.doc.currentLine, 5);
    EXPECT_EQ(slideField(), QStringLiteral("6"));
}

TEST_F(ListTest, ClicksAreIgnoredWhileAShowRunsAndInAnEmptyList) {
    openShow(4);
    click(rowPoint(1));
    w.runState.showRunning = true;
    click(rowPoint(3));
    EXPECT_EQ(w.doc.currentLine, 1);
    EXPECT_EQ(w.list->selectedRows(), (std::vector<int>{1}));

    ShowWindow empty;
    empty.open();
    QTest::mouseClick(empty.list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTest::mouseClick(empty.list->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(30, 30));
    ShowWindow::settle();
    EXPECT_EQ(empty.doc.currentLine, 0);
    EXPECT_TRUE(empty.doc.appendMode);
    EXPECT_FALSE(empty.doc.clickBelowLastLine);
    EXPECT_EQ(empty.list->contextMenu(), nullptr);
    // "Zeile bearbeiten" without a row of the show to edit does nothing.
    struct Watch final : DocumentView {
        int told = 0;
        void documentChanged(const DocumentChange&) override { ++told; }
    } watch;
    empty.doc.addView(&watch);
    EXPECT_TRUE(empty.list->handleCommand(cmd::EditLine));
    ShowWindow::settle();
    EXPECT_TRUE(empty.doc.appendMode);
    EXPECT_EQ(watch.told, 0);
    empty.doc.removeView(&watch);
}

std::vector<std::pair<QString, bool>> menuEntries(QMenu* menu) {
    std::vector<std::pair<QString, bool>> entries;
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            for (QAction* sub : action->menu()->actions())
                entries.emplace_back(action->text() + QStringLiteral(" / ") + sub->text(), sub->isEnabled());
        } else {
            entries.emplace_back(action->text(), action->isEnabled());
        }
    }
    return entries;
}

TEST_F(ListTest, ContextMenus) {
    openShow(5);
    QTest::mouseClick(w.list->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(0));
    QTest::mouseClick(w.list->viewport(), Qt::RightButton, Qt::NoModifier, rowPoint(3));
    QMenu* menu = w.list->contextMenu();
    ASSERT_NE(menu, nullptr);
    const std::vector<std::pair<QString, bool>> idle = {
        {QStringLiteral("Zeile bearbeiten"), true},
        {QStringLiteral("Zeile einfügen / ohne Dianummern-Korrektur"), true},
        {QStringLiteral("Zeile einfügen / mit Dianummern-Korrektur"), true},
        {QStringLiteral("Zeile(n) entfernen / ohne Dianummern-Korrektur"), true},
        {QStringLiteral("Zeile(n) entfernen / mit Dianummern-Korrektur"), true},
        {QStringLiteral("Timerzeit(en) = ... / = 0"), true},
        {QStringLiteral("Timerzeit(en) = ... / Eingabe"), true},
        {QStringLiteral("Dianummern korrigieren..."), true},
    };
    EXPECT_EQ(menuEntries(menu), idle);
    EXPECT_EQ(w.list->contextItem(), 3);
    EXPECT_EQ(w.list->selectedRows(), (std::vector<int>{0, 3}));  // earlier selection stays
    EXPECT_EQ(w.doc.jumpTarget, 0);

    menu->actions().front()->trigger();  // "Zeile bearbeiten"
    ShowWindow::settle();
    EXPECT_EQ(w.doc.currentLine, 3);
    EXPECT_FALSE(w.doc.appendMode);
    EXPECT_EQ(slideField(), QStringLiteral("4"));
    menu->close();
    ShowWindow::settle();

    // While a show runs: the jump comes first, the shown line stays marked.
    w.runState.showRunning = true;
    w.doc.runningLine = 1;
    QTest::mouseClick(w.list->viewport(), Qt::RightButton, Qt::NoModifier, rowPoint(4));
    menu = w.list->contextMenu();
    ASSERT_NE(menu, nullptr);
    const auto running = menuEntries(menu);
    ASSERT_EQ(running.size(), 8u);
    EXPECT_EQ(running.front().first, QStringLiteral("Springe zur Programmzeile"));
    EXPECT_EQ(running.back().first, QStringLiteral("Timerzeit(en) = ... / Eingabe"));
    EXPECT_EQ(w.list->selectedRows(), (std::vector<int>{1, 4}));
    EXPECT_EQ(w.doc.jumpTarget, 4);
    menu->close();

    // A registered operation is offered and run through the menu.
    int inserted = 0;
    w.list->setCommandOperation(cmd::InsertLine, [&] { ++inserted; });
    w.runState.showRunning = false;
    QTest::mouseClick(w.list->viewport(), Qt::RightButton, Qt::NoModifier, rowPoint(2));
    menu = w.list->contextMenu();
    ASSERT_NE(menu, nullptr);
    QAction* insert = menu->actions().at(1)->menu()->actions().at(0);
    EXPECT_TRUE(insert->isEnabled());
    insert->trigger();
    EXPECT_EQ(inserted, 1);
    menu->close();
}

TEST_F(ListTest, CommandEnablingRules) {
    openShow(3);
    EXPECT_TRUE(w.list->isCommandEnabled(cmd::EditLine));
    EXPECT_FALSE(w.list->isCommandEnabled(cmd::JumpToLine)) << "no operation, no command";

    for (int id : {cmd::EditCut, cmd::EditPaste, cmd::EditCopy, cmd::CorrectSlideNumbers})
        w.list->setCommandOperation(id, [] {});
    w.list->clearSelection();
    EXPECT_FALSE(w.list->isCommandEnabled(cmd::CorrectSlideNumbers));  // needs a selection
    click(rowPoint(1));
    EXPECT_TRUE(w.list->isCommandEnabled(cmd::CorrectSlideNumbers));
    w.runState.showRunning = true;
    EXPECT_FALSE(w.list->isCommandEnabled(cmd::EditCut));
    EXPECT_FALSE(w.list->isCommandEnabled(cmd::EditPaste));
    EXPECT_FALSE(w.list->isCommandEnabled(cmd::CorrectSlideNumbers));
    EXPECT_TRUE(w.list->isCommandEnabled(cmd::EditCopy));
}

TEST_F(ListTest, Keys) {
    openShow(4);
    click(rowPoint(2));
    w.list->setFocus();

    // Delete asks once per press.
    int removed = 0;
    w.list->setCommandOperation(cmd::EditRemove, [&] { ++removed; });
    w.prompter.queueAnswer(MessageAnswer::No);
    QTest::keyClick(w.list, Qt::Key_Delete);
    ASSERT_EQ(w.prompter.messages.size(), 1u);
    EXPECT_EQ(w.prompter.messages[0].text, res::text(ids::ConfirmDeleteOne));
    EXPECT_EQ(w.prompter.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(removed, 0);
    click(rowPoint(3), Qt::ShiftModifier);
    w.prompter.queueAnswer(MessageAnswer::Yes);
    QTest::keyClick(w.list, Qt::Key_Delete);
    EXPECT_EQ(w.prompter.messages.back().text, res::text(ids::ConfirmDeleteMany));
    EXPECT_EQ(removed, 1);

    // Insert asks before pasting.
    int pasted = 0;
    w.list->setCommandOperation(cmd::EditPaste, [&] { ++pasted; });
    w.prompter.queueAnswer(MessageAnswer::Yes);
    QTest::keyClick(w.list, Qt::Key_Insert);
    EXPECT_EQ(w.prompter.messages.back().text, res::text(ids::ConfirmPaste));
    EXPECT_EQ(pasted, 1);

    // Enter loads the first selected row.
    w.list->clearSelection();
    w.list->selectionModel()->select(w.list->model()->index(1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(w.list, Qt::Key_Return);
    ShowWindow::settle();
    EXPECT_EQ(w.doc.currentLine, 1);
    EXPECT_EQ(slideField(), QStringLiteral("2"));

    // Space pauses or continues a running show.
    int toggled = 0;
    w.services.pauseContinue = [&](CVistrelDoc&) { ++toggled; };
    QTest::keyClick(w.list, Qt::Key_Space);
    EXPECT_EQ(toggled, 0);
    w.runState.showRunning = true;
    QTest::keyClick(w.list, Qt::Key_Space);
    EXPECT_EQ(toggled, 1);
}

TEST_F(ListTest, LinesAppliedWhileAShowRuns) {
    openShow(3);
    int sent = 0;
    w.services.sendLineToRunningShow = [&](CVistrelDoc& doc) {
        ++sent;
        return doc.appendMode ? 0 : 1;  // the projector takes no new lines
    };
    w.runState.showRunning = true;

    // A new line is refused and taken back.
    QTest::mouseClick(w.field<QPushButton>("applyButton"), Qt::LeftButton);
    ShowWindow::settle();
    EXPECT_EQ(sent, 1);
    EXPECT_EQ(w.doc.lineCount, 3);
    EXPECT_EQ(w.list->rowCount(), 3);
    ASSERT_EQ(w.prompter.messages.size(), 1u);
    EXPECT_EQ(w.prompter.messages[0].text, res::text(ids::NoNewLinesWhileRunning));
    EXPECT_EQ(w.prompter.messages[0].icon, MessageIcon::None);
    EXPECT_FALSE(w.history.canUndo()) << "a refused line is no step";

    // An existing line goes to the projector and into the list.
    w.list->makeCurrentLine(1, CTextView::Trigger::DoubleClick);
    ShowWindow::settle();
    auto* slide = w.field<QLineEdit>("slideNumberEdit");
    slide->selectAll();
    QTest::keyClicks(slide, QStringLiteral("42"));
    QTest::mouseClick(w.field<QPushButton>("applyButton"), Qt::LeftButton);
    ShowWindow::settle();
    EXPECT_EQ(sent, 2);
    EXPECT_EQ(w.doc.lines[1].slideNumber, 42);
    EXPECT_EQ(w.list->cellText(1, 1), QStringLiteral("  42"));
    EXPECT_EQ(w.doc.currentLine, 2);  // on to the next line
}

TEST_F(ListTest, ColumnWidthsAreKeptOnlyFromAListWithRows) {
    {
        ShowWindow empty;
        empty.open();
        empty.list->header()->resizeSection(0, 123);
        empty.window.reset();
        EXPECT_EQ(empty.settings.columnWidths[0], 80);
    }
    openShow(2);
    EXPECT_EQ(w.list->header()->sectionSize(5), 350);
    w.list->header()->resizeSection(0, 123);
    w.window.reset();
    EXPECT_EQ(w.settings.columnWidths[0], 123);
    EXPECT_EQ(w.settings.columnWidths[5], 350);
}

// --- what the rows look like -----------------------------------------------

// Counts the pixels of `colour` within a rectangle of the rendered list.
int countColour(const QImage& image, const QRect& area, const QColor& colour) {
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

struct RenderedList {
    QImage image;
    QRect cell(CTextView* list, int row, int column) const {
        return list->visualRect(list->model()->index(row, column));
    }
};

RenderedList render(CTextView* list) {
    QImage image(list->viewport()->size(), QImage::Format_RGB32);
    list->viewport()->render(&image);
    return {image};
}

TEST_F(ListTest, TimerColoursAndEndOfShowRow) {
    for (const bool use500Watt : {true, false}) {
        ShowWindow show(true, use500Watt);
        show.addLine(1, 25, 0, 0);   // pause: blue
        show.addLine(2, 25, 54, 0);  // 5.4 s
        show.addLine(3, 25, 55, 0);  // 5.5 s
        show.addLine(4, 25, 39, 0);  // 3.9 s
        show.addLine(5, 25, 40, 0);  // 4.0 s
        show.addLine(0, 35, 0, 0);   // end of the show
        show.open();
        show.reloadFromDocument();
        show.list->clearSelection();
        const RenderedList shot = render(show.list);
        const QColor red(255, 0, 0), blue(0, 0, 255);
        auto timerCell = [&](int row) { return shot.cell(show.list, row, 3); };

        EXPECT_GT(countColour(shot.image, timerCell(0), blue), 0);
        EXPECT_EQ(countColour(shot.image, timerCell(0), red), 0);
        EXPECT_EQ(countColour(shot.image, timerCell(1), red) > 0, use500Watt) << "5.4 s";
        EXPECT_EQ(countColour(shot.image, timerCell(2), red), 0) << "5.5 s";
        EXPECT_GT(countColour(shot.image, timerCell(3), red), 0) << "3.9 s";
        EXPECT_EQ(countColour(shot.image, timerCell(4), red) > 0, use500Watt) << "4.0 s";

        // The end-of-show row is a grey bar that stands out from the list; its timer 0 is
        // not drawn in blue.
        const QRect descriptionCell = shot.cell(show.list, 5, 5);
        const QColor bar = shot.image.pixelColor(descriptionCell.center());
        const QColor base = show.list->palette().color(QPalette::Active, QPalette::Base);
        EXPECT_GE(listgeometry::contrastRatio(bar, base), 1.3) << bar.name().toStdString();
        EXPECT_GT(countColour(shot.image, descriptionCell, bar), descriptionCell.width() * descriptionCell.height() / 2);
        EXPECT_EQ(countColour(shot.image, timerCell(5), blue), 0);
        if (use500Watt) shot.image.save(screenshotPath(QStringLiteral("list-timers.png")));
    }
}

TEST_F(ListTest, HighlightReachesTheClientEdge) {
    openShow(3);
    w.list->setFocus();
    click(rowPoint(1));
    const RenderedList shot = render(w.list);
    const QColor highlight = w.list->palette().color(QPalette::Active, QPalette::Highlight);
    const QRect row = shot.cell(w.list, 1, 0);
    const int y = row.center().y();
    const int right = w.list->viewport()->width() - 3;
    ASSERT_GT(right, 750);  // the columns end at 750 px
    EXPECT_EQ(shot.image.pixelColor(right, y), highlight);
    EXPECT_NE(shot.image.pixelColor(right, shot.cell(w.list, 0, 0).center().y()), highlight);
}

TEST_F(ListTest, LongTextsAreShortenedButTheCellKeepsThem) {
    const std::string longText(170, 'x');
    w.addLine(1, 25, 55, 160, longText);
    w.open();
    w.reloadFromDocument();
    EXPECT_EQ(w.list->cellText(0, 5), QString::fromStdString(longText));
    EXPECT_EQ(w.list->cellText(0, 4), QStringLiteral("  160"));  // the number, even when shown as text

    // With and without the text of the code the special-function cell looks different.
    w.list->clearSelection();
    const QRect sf = w.list->visualRect(w.list->model()->index(0, 4));
    const QImage asText = render(w.list).image.copy(sf);
    w.settings.sfCodesAsText = false;
    w.list->refreshAllItems();
    const QImage asNumber = render(w.list).image.copy(sf);
    EXPECT_NE(asText, asNumber);
}

}  // namespace
}  // namespace vistrel::test
