#include "model/ShowState.h"

#include <algorithm>

#include "model/ProgramRows.h"

namespace vistrel {

namespace {

using Direction = ShowStateChange::Direction;

// The stretches in which `before` and `after` differ. Of equal length: every run of
// differing entries, each in place. Otherwise one stretch between the common start
// and the common end.
template <class T>
std::vector<ShowStateChange::Splice<T>> splicesBetween(const std::vector<T>& before, const std::vector<T>& after) {
    std::vector<ShowStateChange::Splice<T>> splices;
    if (before.size() == after.size()) {
        std::size_t i = 0;
        while (i < before.size()) {
            if (before[i] == after[i]) {
                ++i;
                continue;
            }
            ShowStateChange::Splice<T> run;
            run.at = static_cast<int>(i);
            for (; i < before.size() && !(before[i] == after[i]); ++i) {
                run.before.push_back(before[i]);
                run.after.push_back(after[i]);
            }
            splices.push_back(std::move(run));
        }
        return splices;
    }
    std::size_t head = 0;
    const std::size_t shorter = std::min(before.size(), after.size());
    while (head < shorter && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    ShowStateChange::Splice<T> middle;
    middle.at = static_cast<int>(head);
    middle.before.assign(before.begin() + static_cast<std::ptrdiff_t>(head),
                         before.end() - static_cast<std::ptrdiff_t>(tail));
    middle.after.assign(after.begin() + static_cast<std::ptrdiff_t>(head), after.end() - static_cast<std::ptrdiff_t>(tail));
    splices.push_back(std::move(middle));
    return splices;
}

// What a splice holds in the state we go to, and what it holds in the one we leave.
template <class T>
const std::vector<T>& target(const ShowStateChange::Splice<T>& splice, Direction direction) {
    return direction == Direction::Back ? splice.before : splice.after;
}
template <class T>
const std::vector<T>& source(const ShowStateChange::Splice<T>& splice, Direction direction) {
    return direction == Direction::Back ? splice.after : splice.before;
}

// The marks of `restored`, put where `replaced` stood (null: no line stood there).
std::uint8_t marksOfRestored(const ProgramLine& restored, const ProgramLine* replaced,
                             ShowStateChange::WrittenSince written) {
    std::uint8_t marks = restored.changeMarks;
    // A line the step left as it was gets back its marks as they were.
    if (replaced && sameContent(restored, *replaced)) return marks;
    // A target written since holds the line replaced now, not this one.
    if (written.projector) marks |= NotInProjector;
    if (written.module) marks |= NotInModule;
    return marks;
}

}  // namespace

ShowState captureShowState(const CVistrelDoc& doc, const ProgramRows& rows) {
    ShowState state;
    const int count = std::clamp(doc.lineCount, 0, MaxProgramLines);
    state.lines.assign(doc.lines.begin(), doc.lines.begin() + count);
    state.rows.reserve(static_cast<std::size_t>(rows.rowCount()));
    for (int row = 0; row < rows.rowCount(); ++row) state.rows.push_back(rows.rowCells(row));
    state.header = doc.header;
    state.currentLine = doc.currentLine;
    state.appendMode = doc.appendMode;
    state.clickBelowLastLine = doc.clickBelowLastLine;
    state.selectedRows = rows.selectedRows();
    state.focusedRow = rows.focusedRow();
    return state;
}

ShowStateChange::ShowStateChange(const ShowState& before, const ShowState& after)
    : lines_(splicesBetween(before.lines, after.lines)),
      rows_(splicesBetween(before.rows, after.rows)),
      headerFields_(differingHeaderFields(before.header, after.header)),
      cursorBefore_{before.currentLine, before.appendMode, before.clickBelowLastLine, before.selectedRows,
                    before.focusedRow},
      cursorAfter_{after.currentLine, after.appendMode, after.clickBelowLastLine, after.selectedRows,
                   after.focusedRow} {
    if (headerFields_ != 0) headers_ = {before.header, after.header};
}

bool ShowStateChange::changesShow() const { return !lines_.empty() || !rows_.empty() || headerFields_ != 0; }

DocumentChange ShowStateChange::apply(Direction direction, CVistrelDoc& doc, ProgramRows& rows, bool backToSaved,
                                      WrittenSince written) const {
    DocumentChange change;

    // The lines: the stretches of the other state are replaced by this state's, from
    // the last to the first so that the earlier positions hold.
    const int oldCount = std::clamp(doc.lineCount, 0, MaxProgramLines);
    const std::vector<ProgramLine> current(doc.lines.begin(), doc.lines.begin() + oldCount);
    std::vector<ProgramLine> lines = current;
    for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
        const auto& put = target(*it, direction);
        const auto& taken = source(*it, direction);
        const auto at = lines.begin() + it->at;
        lines.erase(at, at + static_cast<std::ptrdiff_t>(taken.size()));
        lines.insert(lines.begin() + it->at, put.begin(), put.end());
        change.addLines(it->at, it->at + static_cast<int>(std::max(put.size(), taken.size())) - 1);
    }
    const int newCount = std::min(static_cast<int>(lines.size()), MaxProgramLines);
    lines.resize(static_cast<std::size_t>(newCount));
    // The places whose line may differ now: the stretches put back, and when lines came
    // or went every place after the first of them.
    std::vector<bool> touched(static_cast<std::size_t>(newCount), false);
    for (const auto& splice : lines_) {
        const auto& put = target(splice, direction);
        for (std::size_t k = 0; k < put.size() && splice.at + k < touched.size(); ++k) touched[splice.at + k] = true;
    }
    if (newCount != oldCount && !lines_.empty()) {
        change.linesMoved = true;
        const auto first = static_cast<std::size_t>(
            std::min_element(lines_.begin(), lines_.end(), [](const auto& a, const auto& b) { return a.at < b.at; })
                ->at);
        for (std::size_t i = first; i < touched.size(); ++i) touched[i] = true;
    }
    std::vector<bool> changed(touched.size(), false);
    for (std::size_t i = 0; i < touched.size(); ++i) {
        if (!touched[i]) continue;
        const ProgramLine* replaced = i < current.size() ? &current[i] : nullptr;
        lines[i].changeMarks = marksOfRestored(lines[i], replaced, written);
        changed[i] = !replaced || !sameContent(lines[i], *replaced);
    }
    const int firstChanged = change.firstLine;

    std::copy(lines.begin(), lines.begin() + newCount, doc.lines.begin());
    doc.lineCount = newCount;
    if (backToSaved) {
        for (int i = 0; i < newCount; ++i) doc.lines[static_cast<std::size_t>(i)].changeMarks &= ~ChangedSinceSave;
    } else {
        bool unsaved = false;
        for (int i = 0; i < newCount; ++i) {
            ProgramLine& line = doc.lines[static_cast<std::size_t>(i)];
            if (changed[static_cast<std::size_t>(i)]) line.changeMarks |= ChangedSinceSave;
            unsaved = unsaved || (line.changeMarks & ChangedSinceSave);
        }
        // As the title dialog does: the first line says that the show has changed.
        if (!unsaved && newCount > 0) doc.lines[0].changeMarks |= ChangedSinceSave;
    }
    if (newCount > 0) change.addLines(0, 0);  // the first line's mark may have changed

    // The list's rows, cell by cell where they keep their places.
    for (auto it = rows_.rbegin(); it != rows_.rend(); ++it) {
        const auto& put = target(*it, direction);
        const auto& taken = source(*it, direction);
        if (put.size() == taken.size()) {
            for (std::size_t k = 0; k < put.size(); ++k) {
                for (int column = 0; column < CellColumnCount; ++column) {
                    const auto c = static_cast<std::size_t>(column);
                    if (put[k][c] != taken[k][c]) rows.setCell(it->at + static_cast<int>(k), column, put[k][c]);
                }
            }
            continue;
        }
        std::vector<int> removed;
        for (std::size_t k = 0; k < taken.size(); ++k) removed.push_back(it->at + static_cast<int>(k));
        if (!removed.empty()) rows.removeRows(removed);
        if (!put.empty()) rows.insertRows(it->at, put);
    }

    if (headerFields_ != 0) {
        doc.header = headers_[direction == Direction::Back ? 0 : 1];
        change.headerFields = headerFields_;
    }

    const Cursor& cursor = direction == Direction::Back ? cursorBefore_ : cursorAfter_;
    doc.currentLine = cursor.currentLine;
    doc.appendMode = cursor.appendMode;
    doc.clickBelowLastLine = cursor.clickBelowLastLine;
    rows.setSelection(cursor.selectedRows, cursor.focusedRow);
    change.currentLineChanged = true;
    change.lineToShow = cursor.focusedRow >= 0 ? cursor.focusedRow : firstChanged;
    return change;
}

std::size_t ShowStateChange::memoryBytes() const {
    std::size_t bytes = sizeof(*this);
    for (const auto& splice : lines_) bytes += (splice.before.size() + splice.after.size()) * sizeof(ProgramLine);
    for (const auto& splice : rows_) {
        for (const auto* side : {&splice.before, &splice.after}) {
            for (const CellTexts& cells : *side) {
                bytes += sizeof(CellTexts);
                for (const std::string& cell : cells) bytes += cell.capacity() > 15 ? cell.capacity() + 1 : 0;
            }
        }
    }
    bytes += headers_.size() * sizeof(ShowHeader);
    bytes += (cursorBefore_.selectedRows.size() + cursorAfter_.selectedRows.size()) * sizeof(int);
    return bytes;
}

}  // namespace vistrel
