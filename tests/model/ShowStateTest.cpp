// What undo keeps of a step and how it puts a show back: only the lines and rows that
// differ, with the change marks the saved file and the projector call for.
#include "model/ShowState.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/DecimalText.h"
#include "model/ProgramRows.h"

namespace vistrel {
namespace {

// A show of `count` lines (slide i+1, marks 2) and its list, as after opening a file.
struct Show {
    CVistrelDoc doc;
    PlainProgramRows rows;
    explicit Show(int count) {
        for (int i = 0; i < count; ++i) {
            ProgramLine& line = doc.lines[static_cast<std::size_t>(i)];
            line = ProgramLine{"", i + 1, 25, 55, 0, "Dia", NotInProjector};
            line.programNumber = zeroPadded(i + 1, 3);
        }
        doc.lineCount = count;
        rows = PlainProgramRows(rowsFilledFromDocument(doc));
    }
    ShowState state() const { return captureShowState(doc, rows); }
    // Lines `first` .. `first + count - 1` removed, as a removal step leaves them.
    void remove(int first, int count) {
        std::vector<int> removed;
        for (int i = first; i < first + count; ++i) removed.push_back(i);
        std::copy(doc.lines.begin() + first + count, doc.lines.begin() + doc.lineCount, doc.lines.begin() + first);
        doc.lineCount -= count;
        for (int i = first; i < doc.lineCount; ++i) doc.lines[i].changeMarks = AllChangeMarks;
        if (doc.lineCount > 0) doc.lines[0].changeMarks |= ChangedSinceSave;
        rows.removeRows(removed);
    }
};

TEST(ShowStateChange, PutsTheShowBackAndForth) {
    using Edit = std::function<void(Show&)>;
    const struct {
        const char* name;
        Edit edit;
    } table[] = {
        {"one timer", [](Show& s) { s.doc.lines[3].timerTime = 0, s.doc.lines[3].changeMarks = AllChangeMarks; }},
        {"lines far apart",
         [](Show& s) {
             s.doc.lines[0].slideNumber = 90, s.doc.lines[0].changeMarks = AllChangeMarks;
             s.doc.lines[8].slideNumber = 91, s.doc.lines[8].changeMarks = AllChangeMarks;
         }},
        {"lines removed", [](Show& s) { s.remove(2, 3); }},
        {"the last lines removed", [](Show& s) { s.remove(7, 3); }},
        {"every line removed", [](Show& s) { s.remove(0, 10); }},
        {"header and selection",
         [](Show& s) {
             s.doc.takeTitleTexts(ShowHeader{"Neu", "", "", "", ""});
             s.rows.setSelection({1, 4}, 4);
         }},
    };
    for (const auto& row : table) {
        Show show(10);
        show.rows.setSelection({2}, 2);
        const ShowState before = show.state();
        row.edit(show);
        const ShowState after = show.state();
        const ShowStateChange change(before, after);
        ASSERT_TRUE(change.changesShow()) << row.name;

        change.apply(ShowStateChange::Direction::Back, show.doc, show.rows, true, {});
        const ShowState undone = show.state();
        EXPECT_EQ(undone.lines, before.lines) << row.name;
        EXPECT_EQ(undone.rows, before.rows) << row.name;
        EXPECT_EQ(undone.header, before.header) << row.name;
        EXPECT_EQ(undone.selectedRows, before.selectedRows) << row.name;
        EXPECT_EQ(undone.focusedRow, before.focusedRow) << row.name;

        change.apply(ShowStateChange::Direction::Forward, show.doc, show.rows, false, {});
        EXPECT_EQ(show.state().lines, after.lines) << row.name;
        EXPECT_EQ(show.state().rows, after.rows) << row.name;
        EXPECT_EQ(show.state().selectedRows, after.selectedRows) << row.name;
    }
}

TEST(ShowStateChange, MarksFollowTheSavedPointAndTheTargetsWrittenSince) {
    const struct {
        bool backToSaved;
        ShowStateChange::WrittenSince written;
        std::vector<int> marks;  // of lines 0 .. 2 after undoing a change of line 1
    } table[] = {
        {true, {}, {0, 0, 0}},               // the saved show as it was
        {false, {}, {0, 1, 0}},              // changed against the file: line 1 says so
        {true, {true, false}, {0, 2, 0}},    // the projector holds the changed line
        {true, {true, true}, {0, 6, 0}},
    };
    for (const auto& row : table) {
        Show show(3);
        for (int i = 0; i < 3; ++i) show.doc.lines[i].changeMarks = 0;
        const ShowState before = show.state();
        show.doc.lines[1].slideNumber = 50;
        show.doc.lines[1].changeMarks = AllChangeMarks;
        const ShowStateChange change(before, show.state());
        change.apply(ShowStateChange::Direction::Back, show.doc, show.rows, row.backToSaved, row.written);
        std::vector<int> marks;
        for (int i = 0; i < 3; ++i) marks.push_back(show.doc.lines[i].changeMarks);
        EXPECT_EQ(marks, row.marks) << row.backToSaved << row.written.projector << row.written.module;
    }
}

TEST(ShowStateChange, KeepsOnlyWhatDiffers) {
    Show full(999);
    const ShowState before = full.state();
    full.doc.lines[500].timerTime = 0;
    const ShowStateChange oneLine(before, full.state());
    EXPECT_LT(oneLine.memoryBytes(), 1000u + 2 * sizeof(ProgramLine)) << "a line, not the show";

    // 999 lines pasted into an empty show: a few hundred kilobytes, not megabytes.
    Show empty(0);
    const ShowState nothing = empty.state();
    Show pasted(999);
    const ShowStateChange paste(nothing, pasted.state());
    EXPECT_LT(paste.memoryBytes(), 600u * 1024u);
}

}  // namespace
}  // namespace vistrel
