// Insert, remove, timers, slide shifts, copy, cut and paste on small shows, watched
// through a list without a window.
#include "model/LineOperations.h"

#include <gtest/gtest.h>

#include <deque>

#include "model/ClipboardCommands.h"
#include "model/DecimalText.h"
#include "model/LineMoving.h"
#include "platform/fake/MemoryClipboard.h"
#include "platform/fake/RecordingPrompter.h"

namespace vistrel {
namespace {

const std::string Header = "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n";
const std::string Full = "Die maximale Anzahl der Zeilen ist erreicht! ";

// A user at the two dialogs: types the queued entries one after the other until one
// is accepted; an empty entry in the queue presses Cancel.
class ScriptedDialogs final : public LineDialogs {
public:
    std::deque<std::optional<std::string>> entries;
    int opened = 0;

    std::optional<std::string> askTimer(const EntryCheck& accept) override { return ask(accept); }
    std::optional<std::string> askSlideIncrement(const EntryCheck& accept) override { return ask(accept); }

private:
    std::optional<std::string> ask(const EntryCheck& accept) {
        ++opened;
        while (!entries.empty()) {
            auto entry = entries.front();
            entries.pop_front();
            if (!entry) return std::nullopt;
            if (accept(*entry)) return entry;
        }
        return std::nullopt;
    }
};

// The line editor as the operations tell it: whether its line moved or changed.
struct EditorWatch final : DocumentView {
    bool told = false;
    void documentChanged(const DocumentChange& change) override { told = told || change.currentLineChanged; }
};

struct Show {
    CVistrelDoc doc;
    EditorWatch editor;
    PlainProgramRows rows;
    RecordingPrompter prompter;
    ApplicationState appState;
    Settings settings;
    MemoryClipboard clipboard;
    ScriptedDialogs dialogs;
    ShowEditing editing{doc, rows, prompter, appState, settings};
    LineOperations lines{editing, &dialogs};
    ClipboardCommands clip{editing, lines, &clipboard};

    // Lines with these slide numbers (dissolve 2.5 s, timer 5.5 s, description "D<slide>"),
    // as after loading a file: marks 2, the list filled from the document.
    explicit Show(const std::vector<int>& slides) {
        for (int slide : slides) add(slide, "D" + std::to_string(slide));
        fill();
        doc.addView(&editor);
    }
    void add(int slide, const std::string& description) {
        ProgramLine& line = doc.lines[static_cast<std::size_t>(doc.lineCount)];
        line = ProgramLine{"", slide, 25, 55, 0, std::string_view(description), NotInProjector};
        line.programNumber = zeroPadded(doc.lineCount + 1, 3);
        ++doc.lineCount;
    }
    void fill() {
        rows = PlainProgramRows(rowsFilledFromDocument(doc));
        doc.currentLine = doc.lineCount;
        doc.appendMode = true;
    }
    std::vector<int> slides() const {
        std::vector<int> result;
        for (int i = 0; i < doc.lineCount; ++i) result.push_back(doc.lines[i].slideNumber);
        return result;
    }
    std::vector<int> marks() const {
        std::vector<int> result;
        for (int i = 0; i < doc.lineCount; ++i) result.push_back(doc.lines[i].changeMarks);
        return result;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : prompter.messages) texts.push_back(m.text);
        return texts;
    }
    // The rows mirror the document, program numbers count from 1.
    void expectRowsMatchDocument(bool blankDescriptions = false) const {
        ASSERT_EQ(rows.rowCount(), doc.lineCount);
        for (int i = 0; i < doc.lineCount; ++i) {
            const ProgramLine& line = doc.lines[i];
            EXPECT_EQ(line.programNumber.str(), zeroPadded(i + 1, 3)) << i;
            CellTexts expected = cellTexts(line, blankDescriptions);
            CellTexts got = rows.rowCells(i);
            expected[5] = got[5];  // the description cell has its own rule
            EXPECT_EQ(got, expected) << "row " << i;
        }
    }
};

TEST(LineOperations, InsertAfterTheClickedRow) {
    const struct {
        std::vector<int> slides;
        int clicked;
        bool corrected;
        std::vector<int> expected;
    } table[] = {
        {{10, 11, 12}, 1, false, {10, 11, 11, 12}},
        {{10, 11, 12}, 1, true, {10, 11, 12, 13}},
        {{10, 11, 12}, 2, false, {10, 11, 12, 12}},      // after the last row: appended
        {{5, 5, 7, 3, 9}, 0, true, {5, 6, 5, 8, 3, 10}},  // lines sharing the clicked slide stay
        {{20, 0, 30}, 1, true, {21, 0, 1, 31}},          // after the end-of-show line
    };
    for (const auto& row : table) {
        Show show(row.slides);
        show.rows.select({0});
        show.rows.setContextItem(row.clicked);
        show.appState.searchPending = true;
        row.corrected ? show.lines.insertLineCorrected() : show.lines.insertLine();
        const int inserted = row.clicked + 1;
        EXPECT_EQ(show.slides(), row.expected);
        EXPECT_EQ(show.lines.insertedItem(), inserted);
        EXPECT_EQ(show.doc.lines[inserted].description.str(), "");
        EXPECT_EQ(show.doc.lines[inserted].timerTime, 55);
        EXPECT_EQ(show.rows.rowCells(inserted)[5], "");  // written by the operation: empty
        show.expectRowsMatchDocument();
        // Marks from the clicked line on (and any corrected line); the clicked row gave its selection away.
        for (int i = 0; i < show.doc.lineCount; ++i) {
            const bool changed = i >= row.clicked || show.doc.lines[i].slideNumber != row.slides[i];
            EXPECT_EQ(show.doc.lines[i].changeMarks, changed ? 7 : 2) << i;
        }
        EXPECT_EQ(show.rows.selectedRows(), row.clicked == 0 ? std::vector<int>{1} : (std::vector<int>{0, inserted}));
        EXPECT_EQ(show.rows.focusedRow(), inserted);
        EXPECT_EQ(show.doc.currentLine, inserted);
        EXPECT_FALSE(show.doc.appendMode);
        EXPECT_TRUE(show.editor.told);
        EXPECT_FALSE(show.appState.searchPending);
        EXPECT_TRUE(show.prompter.messages.empty());
    }
}

TEST(LineOperations, InsertionRefusals) {
    // A full show.
    Show full(std::vector<int>(999, 4));
    full.rows.setContextItem(3);
    full.lines.insertLineCorrected();
    EXPECT_EQ(full.doc.lineCount, 999);
    EXPECT_EQ(full.lines.insertedItem(), -1);
    EXPECT_EQ(full.messages(), std::vector<std::string>{Full});
    EXPECT_EQ(full.prompter.messages[0].icon, MessageIcon::Exclamation);

    // 998 lines: one more fits.
    Show almost(std::vector<int>(998, 4));
    almost.rows.setContextItem(997);
    almost.lines.insertLine();
    EXPECT_EQ(almost.doc.lineCount, 999);
    EXPECT_EQ(almost.doc.currentLine, 998);

    // A correction that would push a slide number past 999 changes nothing.
    for (int clicked : {0, 1}) {
        Show top({998, 999, 5});
        top.rows.setContextItem(clicked);
        top.lines.insertLineCorrected();
        EXPECT_EQ(top.slides(), (std::vector<int>{998, 999, 5}));
        EXPECT_EQ(top.marks(), (std::vector<int>{2, 2, 2}));
        ASSERT_EQ(top.prompter.messages.size(), 1u);
        EXPECT_NE(top.prompter.messages[0].text.find("0 bis 999"), std::string::npos);
    }
}

TEST(LineOperations, Removal) {
    const struct {
        std::vector<int> slides;
        std::vector<int> selected;
        bool corrected;
        std::vector<int> expected;
    } table[] = {
        {{1, 2, 3, 4, 5}, {1, 2}, false, {1, 4, 5}},
        {{1, 2, 3, 4, 5}, {1, 2}, true, {1, 2, 3}},
        {{1, 2, 3, 4, 5, 6}, {1, 4}, true, {1, 2, 3, 4}},
        {{1, 2, 3, 4}, {0, 3}, true, {1, 2}},  // the last line among them
        {{3, 3, 4, 0, 5}, {0}, true, {3, 3, 0, 4}},
        {{1, 2, 3}, {0, 1, 2}, false, {}},
        {{1, 2, 3}, {}, true, {1, 2, 3}},
    };
    for (const auto& row : table) {
        Show show(row.slides);
        show.rows.select(row.selected);
        row.corrected ? show.lines.removeLinesCorrected() : show.lines.removeLines();
        EXPECT_EQ(show.slides(), row.expected);
        show.expectRowsMatchDocument(true);
        if (row.selected.empty()) {
            EXPECT_EQ(show.marks(), std::vector<int>(row.slides.size(), 2));
            continue;
        }
        const int first = row.selected.front();
        for (int i = 0; i < show.doc.lineCount; ++i) {
            const int expected = i >= first ? 7 : (i == 0 ? 3 : 2);
            EXPECT_EQ(show.doc.lines[i].changeMarks, expected) << i;
        }
        // The editor offers a new line at the end.
        EXPECT_EQ(show.doc.currentLine, show.doc.lineCount);
        EXPECT_TRUE(show.doc.appendMode);
        EXPECT_TRUE(show.editor.told);
        EXPECT_EQ(show.prompter.waitCursorDepth, 0);
    }
}

TEST(LineOperations, RemovalWithCorrectionKeepsTheEditorsLineUnlessItMoved) {
    const struct {
        int currentLine;
        bool appendMode;
        int expectedLine;
        bool expectedAppend;
        bool reload;
    } table[] = {
        {0, false, 0, false, false},  // above the removed row, slide unchanged
        {1, false, 1, false, true},   // above, but its slide number moved down
        {3, false, 3, true, true},    // below the removed row: moved, so a new line at the end
        {5, true, 3, true, true},     // a new line at the end stays at the end
    };
    for (const auto& row : table) {
        Show show({1, 7, 5, 8, 2});
        show.doc.currentLine = row.currentLine;
        show.doc.appendMode = row.appendMode;
        show.editor.told = false;
        show.rows.select({2, 4});
        show.lines.removeLinesCorrected();
        EXPECT_EQ(show.slides(), (std::vector<int>{1, 5, 6}));
        EXPECT_EQ(show.doc.currentLine, row.expectedLine);
        EXPECT_EQ(show.doc.appendMode, row.expectedAppend);
        EXPECT_EQ(show.editor.told, row.reload);
    }
}

TEST(LineOperations, Timers) {
    const struct {
        std::deque<std::optional<std::string>> entries;
        int tenths;  // -1: nothing changed
        int refusals;
    } table[] = {
        {{"4.1"}, 41, 0},
        {{"600"}, 6000, 0},
        {{"0"}, 0, 0},
        {{"4,5"}, 45, 0},  // a decimal comma, as the line editor takes it
        {{"12.34"}, 123, 0},
        {{"600.1", "-1", "7"}, 70, 2},  // refused entries keep the dialog open
        {{"abc", "", "7x", " 5 "}, 50, 3},  // no number is no time: refused, not read as 0 or 7
        {{"9", std::nullopt}, 90, 0},
        {{std::nullopt}, -1, 0},        // Cancel
        {{"700", std::nullopt}, -1, 1},
    };
    for (const auto& row : table) {
        Show show({1, 2, 3});
        show.rows.select({0, 2});
        show.dialogs.entries = row.entries;
        show.lines.setTimers();
        const std::vector<int> expected =
            row.tenths < 0 ? std::vector<int>{55, 55, 55} : std::vector<int>{row.tenths, 55, row.tenths};
        EXPECT_EQ(show.doc.lines[0].timerTime, expected[0]);
        EXPECT_EQ(show.doc.lines[1].timerTime, expected[1]);
        EXPECT_EQ(show.doc.lines[2].timerTime, expected[2]);
        EXPECT_EQ(show.marks(), row.tenths < 0 ? (std::vector<int>{2, 2, 2}) : (std::vector<int>{7, 2, 7}));
        ASSERT_EQ(show.prompter.messages.size(), static_cast<std::size_t>(row.refusals));
        for (const auto& m : show.prompter.messages) EXPECT_EQ(m.text, "Die gewählte Timerzeit ist nicht zulässig.");
        show.expectRowsMatchDocument(true);
    }

    Show cleared({1, 2, 3});
    cleared.rows.select({1});
    cleared.doc.currentLine = 1;
    cleared.doc.appendMode = false;
    cleared.lines.clearTimers();
    EXPECT_EQ(cleared.doc.lines[1].timerTime, 0);
    EXPECT_EQ(cleared.rows.rowCells(1)[3], "    0.0");
    EXPECT_EQ(cleared.marks(), (std::vector<int>{2, 7, 2}));
    EXPECT_TRUE(cleared.editor.told);  // the editor showed that line

    Show none({1, 2});
    none.lines.setTimers();
    EXPECT_EQ(none.dialogs.opened, 0);
}

TEST(LineOperations, SlideShift) {
    const struct {
        std::vector<int> slides;
        std::deque<std::optional<std::string>> entries;
        std::vector<int> expected;
        std::vector<std::string> messages;
    } table[] = {
        {{35, 5, 40}, {"+10"}, {45, 5, 50}, {}},
        {{35, 5, 40}, {"  -3x", " -3 "}, {32, 5, 37},
         {"Mit diesem Inkrement lägen Dianummern außerhalb von 0 bis 999.\n"
          "Für die markierten Zeilen ist ein Inkrement von -35 bis 959 möglich."}},
        {{35, 5, 40}, {"abc", "", std::nullopt}, {35, 5, 40},
         {"Mit diesem Inkrement lägen Dianummern außerhalb von 0 bis 999.\n"
          "Für die markierten Zeilen ist ein Inkrement von -35 bis 959 möglich.",
          "Mit diesem Inkrement lägen Dianummern außerhalb von 0 bis 999.\n"
          "Für die markierten Zeilen ist ein Inkrement von -35 bis 959 möglich."}},
        {{35, 5, 40}, {"-36", "960", "-35"}, {0, 5, 5},
         {"Mit diesem Inkrement lägen Dianummern außerhalb von 0 bis 999.\n"
          "Für die markierten Zeilen ist ein Inkrement von -35 bis 959 möglich.",
          "Mit diesem Inkrement lägen Dianummern außerhalb von 0 bis 999.\n"
          "Für die markierten Zeilen ist ein Inkrement von -35 bis 959 möglich."}},
        {{35, 5, 40}, {std::nullopt}, {35, 5, 40}, {}},
    };
    for (const auto& row : table) {
        Show show(row.slides);
        show.rows.select({0, 2});
        show.dialogs.entries = row.entries;
        show.lines.shiftSlideNumbers();
        EXPECT_EQ(show.slides(), row.expected);
        EXPECT_EQ(show.messages(), row.messages);
        const bool confirmed = !row.entries.back().has_value() ? false : true;
        // Confirmed: the shifted lines are changed even when the increment was 0.
        EXPECT_EQ(show.marks(), confirmed ? (std::vector<int>{7, 2, 7}) : (std::vector<int>{2, 2, 2}));
        show.expectRowsMatchDocument(true);
    }
    Show first({1, 2, 3});
    first.rows.select({2});
    first.dialogs.entries = {"1"};
    first.lines.shiftSlideNumbers();
    EXPECT_EQ(first.marks(), (std::vector<int>{3, 2, 7}));  // line 0 counts the show as changed
}

// The block rule of a move, said another way: the result's places target .. target+k-1
// hold the moved lines in their order, every other place the next line not moved.
LineOrder blockMoveByDefinition(int lineCount, const std::vector<int>& rows, int target) {
    std::vector<int> rest;
    for (int i = 0; i < lineCount; ++i)
        if (std::find(rows.begin(), rows.end(), i) == rows.end()) rest.push_back(i);
    LineOrder order;
    std::size_t nextRest = 0;
    for (int place = 0; place < lineCount; ++place) {
        const int inBlock = place - target;
        if (inBlock >= 0 && inBlock < static_cast<int>(rows.size())) {
            order.push_back(rows[static_cast<std::size_t>(inBlock)]);
        } else {
            order.push_back(rest[nextRest++]);
        }
    }
    return order;
}

TEST(LineMoving, ToALineTheMovedLinesStandTogetherFromThatLine) {
    const struct {
        int lineCount;
        std::vector<int> rows;
        int target;
        LineOrder expected;
    } table[] = {
        {6, {0, 2}, 3, {1, 3, 4, 0, 2, 5}},  // the example of `vistrel-cli help move`
        {6, {0, 2}, 0, {0, 2, 1, 3, 4, 5}},  // gathered at the top
        {6, {1, 4}, 4, {0, 2, 3, 5, 1, 4}},  // to the end
        {5, {4}, 0, {4, 0, 1, 2, 3}},
        {5, {0, 1, 2}, 2, {3, 4, 0, 1, 2}},
        {3, {1}, 1, {0, 1, 2}},              // where it stands: nothing moves
        {3, {1}, 3, {0, 1, 2}},              // beyond the end: refused, nothing moves
        {3, {}, 0, {0, 1, 2}},
        {3, {2, 1}, 0, {0, 1, 2}},           // rows out of order: refused
    };
    for (const auto& row : table) EXPECT_EQ(orderMovingTo(row.lineCount, row.rows, row.target), row.expected);

    // Every target of a few selections, against the rule said another way.
    const std::vector<std::vector<int>> selections = {{0}, {3}, {1, 2}, {0, 4, 6}, {2, 3, 5}, {0, 1, 2, 3, 4, 5, 6}};
    for (const auto& rows : selections) {
        for (int target = 0; target <= 7 - static_cast<int>(rows.size()); ++target)
            EXPECT_EQ(orderMovingTo(7, rows, target), blockMoveByDefinition(7, rows, target)) << target;
    }
}

TEST(LineMoving, OnePlaceUpOrDown) {
    const struct {
        std::vector<int> slides;
        std::vector<int> selected;
        int step;
        std::vector<int> expectedSlides;
        std::vector<int> expectedSelection;
    } table[] = {
        {{1, 2, 3, 4, 5}, {2}, -1, {1, 3, 2, 4, 5}, {1}},
        {{1, 2, 3, 4, 5}, {2}, 1, {1, 2, 4, 3, 5}, {3}},
        {{1, 2, 3, 4, 5}, {1, 2}, -1, {2, 3, 1, 4, 5}, {0, 1}},     // a run moves as one
        {{1, 2, 3, 4, 5}, {1, 3}, 1, {1, 3, 2, 5, 4}, {2, 4}},      // each one place
        {{1, 2, 3, 4, 5}, {0, 3}, -1, {1, 2, 3, 4, 5}, {0, 3}},     // the first at the top: nothing
        {{1, 2, 3, 4, 5}, {1, 4}, 1, {1, 2, 3, 4, 5}, {1, 4}},      // the last at the bottom: nothing
        {{7, 7, 9}, {2}, -1, {7, 9, 7}, {1}},
    };
    for (const auto& row : table) {
        Show show(row.slides);
        show.rows.select(row.selected);
        LineMoving moving(show.editing);
        const bool moved = moving.moveSelected({row.step < 0 ? LineMove::Kind::OnePlaceUp : LineMove::Kind::OnePlaceDown});
        EXPECT_EQ(moved, row.slides != row.expectedSlides);
        EXPECT_EQ(show.slides(), row.expectedSlides);
        EXPECT_EQ(show.rows.selectedRows(), row.expectedSelection);
        show.expectRowsMatchDocument(true);
    }
}

TEST(LineMoving, LinesTakeTheirValuesAlongAndTheEditorFollowsItsLine) {
    const struct {
        int currentLine;
        bool appendMode;
        int expectedLine;
        bool told;
    } table[] = {
        {0, false, 2, true},   // the moved line: followed
        {1, false, 0, true},   // a line the move pushed up
        {4, false, 4, false},  // below the move: stays
        {5, true, 5, false},   // a new line at the end stays there
    };
    for (const auto& row : table) {
        Show show({10, 20, 30, 40, 50});
        show.doc.currentLine = row.currentLine;
        show.doc.appendMode = row.appendMode;
        show.rows.select({0});
        LineMoving moving(show.editing);
        ASSERT_TRUE(moving.moveSelected(LineMove::toLine(2)));
        EXPECT_EQ(show.slides(), (std::vector<int>{20, 30, 10, 40, 50}));
        EXPECT_EQ(show.doc.lines[2].description.str(), "D10");
        EXPECT_EQ(show.doc.lines[2].programNumber.str(), "003");
        EXPECT_EQ(show.doc.lines[0].programNumber.str(), "001");
        // Places whose line changed no longer hold what the projector and the file hold.
        EXPECT_EQ(show.marks(), (std::vector<int>{7, 7, 7, 2, 2}));
        EXPECT_EQ(show.rows.selectedRows(), std::vector<int>{2});
        EXPECT_EQ(show.doc.currentLine, row.expectedLine);
        EXPECT_EQ(show.editor.told, row.told);
        show.expectRowsMatchDocument(true);
    }
}

TEST(Clipboard, CopyAndCut) {
    Show show({12, 13, 14});
    show.rows.select({0, 2});
    EXPECT_TRUE(show.clip.copyToClipboard());
    EXPECT_EQ(*show.clipboard.content,
              Header + "001\t  12\t    2.5\t    5.5\t  0\tD12\t\r\n003\t  14\t    2.5\t    5.5\t  0\tD14\t\r\n");
    EXPECT_EQ(show.marks(), (std::vector<int>{2, 2, 2}));

    show.rows.select({});
    EXPECT_TRUE(show.clip.copyToClipboard());
    EXPECT_EQ(*show.clipboard.content, Header);

    show.rows.select({1});
    show.clip.cutToClipboard();
    EXPECT_EQ(show.slides(), (std::vector<int>{12, 14}));
    EXPECT_EQ(*show.clipboard.content, Header + "002\t  13\t    2.5\t    5.5\t  0\tD13\t\r\n");
    EXPECT_TRUE(show.prompter.messages.empty());
}

TEST(Clipboard, RefusedClipboardKeepsTheRows) {
    const struct {
        Clipboard::Failure failure;
        const char* message;
    } table[] = {
        {Clipboard::Failure::Open, "Failed to open clipboard"},
        {Clipboard::Failure::Empty, "Failed to empty clipboard"},
        {Clipboard::Failure::SetData, "Failed to set clipboard data"},
        {Clipboard::Failure::Close, "Failed to close clipboard"},
    };
    for (const auto& row : table) {
        Show show({1, 2, 3});
        show.clipboard.failure = row.failure;
        show.rows.select({1});
        show.doc.currentLine = 1;
        show.doc.appendMode = false;
        show.clip.cutToClipboard();
        EXPECT_EQ(show.slides(), (std::vector<int>{1, 2, 3}));
        ASSERT_EQ(show.prompter.messages.size(), 1u);
        EXPECT_EQ(show.prompter.messages[0].text, row.message);
        EXPECT_EQ(show.prompter.messages[0].icon, MessageIcon::None);
        // The current line still becomes a new line at the end.
        EXPECT_EQ(show.doc.currentLine, 3);
        EXPECT_TRUE(show.doc.appendMode);
        EXPECT_EQ(show.prompter.waitCursorDepth, 0);
    }
}

std::string record(int slide, const std::string& description = "P") {
    return "001\t  " + std::to_string(slide) + "\t    1.5\t    3.0\t  0\t" + description + "\t\r\n";
}

TEST(Clipboard, Paste) {
    const struct {
        const char* name;
        std::vector<int> selected;
        std::string text;
        std::vector<int> expected;
        std::vector<std::string> messages;
        bool stopped = false;  // refused before anything was read
    } table[] = {
        {"at the end", {}, Header + record(20) + record(21), {1, 2, 3, 20, 21}, {}},
        {"after a row", {0}, Header + record(20) + record(21), {1, 20, 21, 2, 3}, {}},
        {"after the last row", {2}, Header + record(20), {1, 2, 3, 20}, {}},
        {"header alone", {1}, Header, {1, 2, 3}, {}},
        {"two rows selected", {0, 1}, Header + record(20), {1, 2, 3},
         {"Es sind mehrere Einträge selektiert!\nDie Daten können nur hinter einen eindeutigen Eintrag\nkopiert "
          "werden. "},
         true},
        {"no header", {}, record(20), {1, 2, 3},
         {"Die Daten haben nicht das richtige Format,\num sie an die gewählte Position einzufügen!"},
         true},
        {"one record refused", {}, Header + record(20) + record(1000) + record(21), {1, 2, 3, 20, 21},
         {"Eine Zeile aus der Zwischenablage wurde nicht eingefügt (Datensatz 2: Dianummer 1000).\n"
          "Eine Diaschau nimmt Dianummern von 0 bis 999, Überblendzeiten bis 25,5 Sek., Timerzeiten bis 600 Sek. "
          "und SF-Codes von 0 bis 999 auf."}},
        {"records refused", {}, Header + "9\t5\t2\t-4\t0\t\t\r\n" + record(20) + "9\t5\t2\r\n", {1, 2, 3, 20},
         {"2 Zeilen aus der Zwischenablage wurden nicht eingefügt (die erste: Datensatz 1: Timer -4).\n"
          "Eine Diaschau nimmt Dianummern von 0 bis 999, Überblendzeiten bis 25,5 Sek., Timerzeiten bis 600 Sek. "
          "und SF-Codes von 0 bis 999 auf."}},
    };
    for (const auto& row : table) {
        Show show({1, 2, 3});
        show.rows.select(row.selected);
        show.clipboard.content = row.text;
        show.doc.currentLine = 0;
        show.doc.appendMode = false;
        show.editor.told = false;
        const int inserted = show.clip.pasteFromClipboard();
        EXPECT_EQ(show.slides(), row.expected) << row.name;
        EXPECT_EQ(inserted, static_cast<int>(row.expected.size()) - 3) << row.name;
        EXPECT_EQ(show.messages(), row.messages) << row.name;
        show.expectRowsMatchDocument(true);
        if (row.stopped) {
            EXPECT_EQ(show.marks(), (std::vector<int>{2, 2, 2})) << row.name;
            EXPECT_FALSE(show.editor.told) << row.name;
            continue;
        }
        // The editor offers a new line after the last one.
        EXPECT_EQ(show.doc.currentLine, show.doc.lineCount) << row.name;
        EXPECT_TRUE(show.doc.appendMode) << row.name;
        EXPECT_TRUE(show.editor.told) << row.name;
        const bool middle = inserted > 0 && !row.selected.empty() && row.selected.front() < 2;
        const int p = row.selected.empty() ? 3 : row.selected.front() + 1;
        for (int i = 0; i < show.doc.lineCount; ++i)
            EXPECT_EQ(show.doc.lines[i].changeMarks, middle || i >= p ? 7 : 2) << row.name << " " << i;
        EXPECT_EQ(show.rows.selectedRows(), row.selected) << row.name;  // pasted rows are not selected
        EXPECT_EQ(show.prompter.waitCursorDepth, 0);
    }
}

TEST(Clipboard, PastedValuesAndCells) {
    Show show({1});
    show.clipboard.content = Header + "077\t 42x\t2,55\t10.09\t 160\t \t\r\n" + "x\t7\t1\t1\t0\tÜ\r\n";
    EXPECT_EQ(show.clip.pasteFromClipboard(), 2);
    const ProgramLine& a = show.doc.lines[1];
    EXPECT_EQ(a.programNumber.str(), "002");
    EXPECT_EQ(a.slideNumber, 42);
    EXPECT_EQ(a.dissolveTime, 25);
    EXPECT_EQ(a.timerTime, 100);
    EXPECT_EQ(a.specialFunction, 160);
    EXPECT_EQ(a.description.str(), "");
    EXPECT_EQ(show.rows.rowCells(1), (CellTexts{"002", "  42", "    2.5", "   10.0", "  160", " "}));
    EXPECT_EQ(show.doc.lines[2].description.str(), "Ü");
    EXPECT_EQ(show.rows.rowCells(2)[5], "Ü");
}

TEST(Clipboard, PasteIntoAFillingShow) {
    Show show(std::vector<int>(997, 1));
    show.clipboard.content = Header + record(20) + record(21) + record(22);
    EXPECT_EQ(show.clip.pasteFromClipboard(), 2);
    EXPECT_EQ(show.doc.lineCount, 999);
    EXPECT_EQ(show.messages(), std::vector<std::string>{Full});
    EXPECT_EQ(show.doc.currentLine, 998);  // never past the last slot

    show.prompter.messages.clear();
    EXPECT_EQ(show.clip.pasteFromClipboard(), 0);
    EXPECT_EQ(show.messages(), std::vector<std::string>{Full});
}

// Lines after the insertion point move whole: a paste in the middle used to read
// them back from the list and cut their descriptions to 178 characters.
TEST(Clipboard, LinesNotPastedKeepTheirDescriptions) {
    Show show({});
    for (int length : {178, 179, 180}) show.add(length, std::string(static_cast<std::size_t>(length), 'a'));
    show.fill();
    show.rows.select({0});
    show.clipboard.content = Header + record(5, std::string(179, 'p'));
    ASSERT_EQ(show.clip.pasteFromClipboard(), 1);
    EXPECT_EQ(show.doc.lines[0].description.size(), 178u);
    EXPECT_EQ(show.doc.lines[1].description.str(), std::string(179, 'p'));
    EXPECT_EQ(show.doc.lines[2].description.size(), 179u);
    EXPECT_EQ(show.doc.lines[3].description.size(), 180u);
}

}  // namespace
}  // namespace vistrel
