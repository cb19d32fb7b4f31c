// The timeline pane on a show window: clicks select the list's row, a drag of a block's
// right edge sets that line's timer as one undo step.
#include <gtest/gtest.h>

#include <QTest>

#include "views/TimelinePane.h"
#include "ViewsFixture.h"

namespace vistrel::test {
namespace {

// The pane under the list of a window with three lines: 2.0 + 5.0 s, a pause after a
// 1.0 s dissolve, 3.0 + 4.0 s; at 10 px/s a tenth is a pixel, the blocks' right edges
// at x 70, 80 and (after the 12-pixel gap) 162. The blocks stand from y 20 to 75.
struct TimelineWindow : ShowWindow {
    TimelinePane* pane = nullptr;

    TimelineWindow() {
        addLine(1, 20, 50, 0);
        addLine(2, 10, 0, 0);
        addLine(3, 30, 40, 0);
        open();
        pane = new TimelinePane(history, services, [this](int row) {
            list->setSelection({row}, row);
            list->makeCurrentLine(row, CTextView::Trigger::Click);
        }, window.get());
        window->addWidget(pane);
        settle();
        pane->setPixelsPerSecond(10.0);
        settle();
    }

    void drag(int fromX, int toX) {
        QWidget* surface = pane->viewport();
        QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(fromX, 40));
        QTest::mouseMove(surface, QPoint((fromX + toX) / 2, 40));
        QTest::mouseMove(surface, QPoint(toX, 40));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(toX, 40));
        settle();
    }
};

TEST(TimelinePane, DraggingAnEdgeSetsTheTimerAsOneStep) {
    struct Row {
        int fromX, toX;
        int line, timer;       // the line looked at and its timer after the drag
        const char* stepName;  // the step undo would take, "" for none
    };
    const Row rows[] = {
        {70, 103, 0, 83, "Timer von Zeile 1 geändert"},   // the timer runs from x 20 to 103
        {72, 0, 0, 1, "Timer von Zeile 1 geändert"},      // never below 0.1 s
        {78, 120, 1, 0, ""},                              // a pause line's timer 0 is not dragged
        {162, 150, 2, 28, "Timer von Zeile 3 geändert"},  // 4.0 s - 1.2 s
        {70, 70, 0, 50, ""},                              // released where it was: nothing changed
    };
    for (const auto& r : rows) {
        TimelineWindow w;
        w.drag(r.fromX, r.toX);
        EXPECT_EQ(w.doc.lines[static_cast<std::size_t>(r.line)].timerTime, r.timer) << r.fromX << " -> " << r.toX;
        EXPECT_EQ(w.history.undoName(), QString::fromUtf8(r.stepName)) << r.fromX << " -> " << r.toX;
        EXPECT_EQ(w.history.stepCount(), r.stepName[0] ? 1 : 0);
    }
}

TEST(TimelinePane, UndoPutsTheDraggedTimerBackAndTheBlocksFollow) {
    TimelineWindow w;
    w.drag(162, 150);
    EXPECT_EQ(w.doc.lines[2].timerTime, 28);
    EXPECT_EQ(w.pane->layout().blocks[2].right(), 150);
    w.history.undo();
    TimelineWindow::settle();
    EXPECT_EQ(w.doc.lines[2].timerTime, 40);
    EXPECT_EQ(w.pane->layout().blocks[2].right(), 162);
    w.history.redo();
    TimelineWindow::settle();
    EXPECT_EQ(w.doc.lines[2].timerTime, 28);
}

TEST(TimelinePane, ClickSelectsTheRowAndMakesItTheEditorsLine) {
    const std::pair<int, int> rows[] = {{10, 0}, {75, 1}, {120, 2}};  // x in a block, its row
    for (const auto& [x, row] : rows) {
        TimelineWindow w;
        QTest::mouseClick(w.pane->viewport(), Qt::LeftButton, {}, QPoint(x, 40));
        TimelineWindow::settle();
        EXPECT_EQ(w.list->selectedRows(), std::vector<int>{row}) << x;
        EXPECT_EQ(w.doc.currentLine, row) << x;
        EXPECT_FALSE(w.doc.appendMode) << x;
    }
}

}  // namespace
}  // namespace vistrel::test
