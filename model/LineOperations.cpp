#include "model/LineOperations.h"

#include <algorithm>
#include <climits>

#include "model/DecimalText.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"
#include "res/strings/LineStrings.h"
#include "res/strings/ModelStrings.h"

namespace vistrel {

namespace {

constexpr int SlideColumn = 1;
constexpr int TimerColumn = 3;
constexpr int MaxSlideNumber = 999;
constexpr int MaxTimerSeconds = 600;

bool slideInRange(long long slide) { return slide >= 0 && slide <= MaxSlideNumber; }

std::string replaced(std::string text, std::string_view placeholder, const std::string& value) {
    const auto at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
    return text;
}

}  // namespace

std::optional<int> timerEntryTenths(std::string_view entry) {
    if (!isPlainNumber(entry, true, false)) return std::nullopt;
    // A German user types a decimal comma as readily as a point.
    std::string pointed(entry);
    const auto comma = pointed.find(',');
    if (comma != std::string::npos) pointed[comma] = '.';
    const double seconds = decimalFraction(pointed);
    if (!(seconds >= 0.0) || seconds > MaxTimerSeconds) return std::nullopt;
    return truncatedTenths(seconds);
}

std::optional<int> slideIncrementEntry(std::string_view entry) {
    if (!isPlainNumber(entry, false, true)) return std::nullopt;
    return decimalValue(entry);
}

bool LineOperations::editorShowsOneOf(const std::vector<int>& lines) const {
    return !e_.doc.appendMode && std::binary_search(lines.begin(), lines.end(), e_.doc.currentLine);
}

// The editor would otherwise keep showing the old values, and its next "Übernehmen"
// would write them back over the change.
void LineOperations::reloadEditorIfItShowsOneOf(const std::vector<int>& lines, DocumentChange& change) const {
    if (editorShowsOneOf(lines)) change.currentLineChanged = true;
}

// ---------------------------------------------------------------------------
// Insertion

bool LineOperations::insertCopy(DocumentChange& change) {
    insertedItem_ = -1;
    CVistrelDoc& doc = e_.doc;
    if (doc.lineCount >= MaxProgramLines) {
        e_.prompter.showMessage(ids::LineCapacityReached, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    e_.appState.searchPending = false;
    const int clicked = e_.rows.contextItem();
    if (clicked < 0 || clicked >= doc.lineCount) return false;  // no line of the show was clicked
    const int inserted = clicked + 1;

    ProgramLine copy = e_.line(clicked);
    copy.description.clear();
    copy.programNumber = zeroPadded(inserted + 1, 3);
    std::move_backward(doc.lines.begin() + inserted, doc.lines.begin() + doc.lineCount,
                       doc.lines.begin() + doc.lineCount + 1);
    e_.line(inserted) = copy;
    ++doc.lineCount;
    e_.rows.insertRows(inserted, {cellTexts(copy, false)});
    insertedItem_ = inserted;

    e_.renumberFrom(clicked);
    for (int i = clicked; i < doc.lineCount; ++i) e_.line(i).changeMarks = AllChangeMarks;

    e_.rows.clearRowState(clicked);
    e_.rows.selectAndFocusRow(inserted);
    doc.appendMode = false;
    doc.currentLine = inserted;
    change.addLines(clicked, doc.lineCount - 1);
    change.linesMoved = true;
    change.currentLineChanged = true;
    change.lineToShow = inserted;
    return true;
}

void LineOperations::insertLine() {
    DocumentChange change;
    if (!insertCopy(change)) return;
    e_.recomputeShowLength();
    e_.announce(change);
}

void LineOperations::insertLineCorrected() {
    CVistrelDoc& doc = e_.doc;
    const int clicked = e_.rows.contextItem();
    if (doc.lineCount < MaxProgramLines && clicked >= 0 && clicked < doc.lineCount) {
        // Refused before anything changes: the new line and every slide above it move up.
        const long long clickedSlide = e_.line(clicked).slideNumber;
        bool fits = slideInRange(clickedSlide + 1);
        for (int i = 0; i < doc.lineCount && fits; ++i) {
            const long long slide = e_.line(i).slideNumber;
            if (slide > clickedSlide) fits = slideInRange(slide + 1);
        }
        if (!fits) {
            e_.prompter.showMessage(ids::CorrectionOutOfRange, MessageIcon::Exclamation, MessageButtons::Ok);
            return;
        }
    }

    DocumentChange change;
    if (!insertCopy(change)) return;
    const int inserted = insertedItem_;
    const int clickedSlide = e_.line(inserted - 1).slideNumber;
    for (int i = 0; i < doc.lineCount; ++i) {
        if (i == inserted || e_.line(i).slideNumber <= clickedSlide) continue;
        ++e_.line(i).slideNumber;
        e_.markChanged(i, SlideColumn);
    }
    e_.line(inserted).slideNumber = clickedSlide + 1;
    e_.markChanged(inserted, SlideColumn);
    e_.rows.clearRowState(inserted - 1);
    e_.rows.selectAndFocusRow(inserted);
    change.addLines(0, doc.lineCount - 1);
    e_.recomputeShowLength();
    e_.announce(change);
}

// ---------------------------------------------------------------------------
// Removal

void LineOperations::removeLines(const std::function<bool()>& copyFirst) {
    CVistrelDoc& doc = e_.doc;
    DocumentChange change;
    const bool copied = !copyFirst || copyFirst();
    if (copied) {
        WaitCursor wait(e_.prompter);
        const std::vector<int> selected = e_.selectedLines();
        if (!selected.empty()) {
            int kept = 0;
            std::size_t next = 0;
            for (int i = 0; i < doc.lineCount; ++i) {
                if (next < selected.size() && selected[next] == i) {
                    ++next;
                    continue;
                }
                if (kept != i) e_.line(kept) = e_.line(i);
                ++kept;
            }
            doc.lineCount = kept;
            e_.rows.removeRows(selected);
            e_.renumberFrom(0);
            for (int i = selected.front(); i < doc.lineCount; ++i) e_.line(i).changeMarks = AllChangeMarks;
            // Counts as changed even when no remaining line was.
            if (doc.lineCount > 0) e_.line(0).changeMarks |= ChangedSinceSave;
            change.addLines(0, doc.lineCount + static_cast<int>(selected.size()) - 1);
            change.linesMoved = true;
        }
    }
    e_.offerNewLineAtEnd(change);
    e_.recomputeShowLength();
    e_.announce(change);
}

void LineOperations::removeLinesCorrected() {
    CVistrelDoc& doc = e_.doc;
    const std::vector<int> selected = e_.selectedLines();
    if (selected.empty()) return;
    WaitCursor wait(e_.prompter);

    // One by one from the top: each removed slide pulls every higher slide number of the
    // show down by one, rows still to be removed included, so each is read after the
    // shifts before it. Worked out on the side first, so that a refusal changes nothing.
    std::vector<long long> slides(static_cast<std::size_t>(doc.lineCount));
    for (int i = 0; i < doc.lineCount; ++i) slides[static_cast<std::size_t>(i)] = e_.line(i).slideNumber;
    std::vector<bool> removed(slides.size(), false);
    std::vector<bool> shifted(slides.size(), false);
    for (int row : selected) {
        const long long removedSlide = slides[static_cast<std::size_t>(row)];
        removed[static_cast<std::size_t>(row)] = true;
        for (std::size_t i = 0; i < slides.size(); ++i) {
            if (removed[i] || slides[i] <= removedSlide) continue;
            --slides[i];
            shifted[i] = true;
        }
    }
    for (std::size_t i = 0; i < slides.size(); ++i) {
        if (shifted[i] && !slideInRange(slides[i])) {
            e_.prompter.showMessage(ids::CorrectionOutOfRange, MessageIcon::Exclamation, MessageButtons::Ok);
            return;
        }
    }

    const int firstRemoved = selected.front();
    DocumentChange change;
    change.addLines(0, doc.lineCount - 1);
    change.linesMoved = true;
    const bool editorLineMoved = doc.appendMode || doc.currentLine >= firstRemoved;
    const bool editorLineShifted =
        doc.currentLine >= 0 && doc.currentLine < doc.lineCount && shifted[static_cast<std::size_t>(doc.currentLine)];

    for (int i = 0; i < doc.lineCount; ++i) {
        if (!shifted[static_cast<std::size_t>(i)]) continue;
        e_.line(i).slideNumber = static_cast<int>(slides[static_cast<std::size_t>(i)]);
        e_.markChanged(i, SlideColumn);
    }
    int kept = 0;
    for (int i = 0; i < doc.lineCount; ++i) {
        if (removed[static_cast<std::size_t>(i)]) continue;
        if (kept != i) e_.line(kept) = e_.line(i);
        ++kept;
    }
    doc.lineCount = kept;
    e_.rows.removeRows(selected);
    e_.renumberFrom(0);
    for (int i = firstRemoved; i < doc.lineCount; ++i) e_.line(i).changeMarks = AllChangeMarks;
    if (doc.lineCount > 0) e_.line(0).changeMarks |= ChangedSinceSave;

    // The editor's line may have gone or moved: like a removal without correction it
    // then offers a new line at the end; a line that only got a new slide number reloads.
    if (editorLineMoved) {
        e_.offerNewLineAtEnd(change);
    } else if (editorLineShifted) {
        change.currentLineChanged = true;
    }
    e_.recomputeShowLength();
    e_.announce(change);
}

// ---------------------------------------------------------------------------
// Timers and slide numbers

void LineOperations::setSelectedTimers(const std::vector<int>& lines, int tenths, DocumentChange& change) {
    for (int i : lines) {
        e_.line(i).timerTime = tenths;
        e_.markChanged(i, TimerColumn);
    }
    if (!lines.empty()) change.addLines(lines.front(), lines.back());
    reloadEditorIfItShowsOneOf(lines, change);
}

void LineOperations::clearTimers() {
    DocumentChange change;
    setSelectedTimers(e_.selectedLines(), 0, change);
    e_.recomputeShowLength();
    e_.announce(change);
}

void LineOperations::setTimers() {
    DocumentChange change;
    const std::vector<int> selected = e_.selectedLines();
    if (!selected.empty()) {
        if (!dialogs_) return;
        const auto entry = dialogs_->askTimer([this](const std::string& text) {
            if (timerEntryTenths(text)) return true;
            e_.prompter.showMessage(ids::TimerNotAllowed, MessageIcon::Exclamation, MessageButtons::Ok);
            return false;
        });
        if (!entry) return;  // Cancel changes nothing
        const std::optional<int> tenths = timerEntryTenths(*entry);
        if (!tenths) return;  // a dialog that let a refused entry through changes nothing either
        setSelectedTimers(selected, *tenths, change);
    }
    e_.recomputeShowLength();
    e_.announce(change);
}

void LineOperations::setTimer(int line, int tenths) {
    if (line < 0 || line >= e_.doc.lineCount) return;
    DocumentChange change;
    setSelectedTimers({line}, tenths, change);
    e_.recomputeShowLength();
    e_.announce(change);
}

void LineOperations::shiftSlideNumbers() {
    const std::vector<int> selected = e_.selectedLines();
    if (selected.empty() || !dialogs_) return;

    long long lowest = LLONG_MAX;
    long long highest = LLONG_MIN;
    for (int i : selected) {
        lowest = std::min<long long>(lowest, e_.line(i).slideNumber);
        highest = std::max<long long>(highest, e_.line(i).slideNumber);
    }
    const auto entry = dialogs_->askSlideIncrement([&](const std::string& text) {
        // An entry that is no number gets the same answer as one that goes too far:
        // which increments would do.
        const std::optional<int> typed = slideIncrementEntry(text);
        const long long increment = typed.value_or(0);
        if (typed && (increment == 0 || (slideInRange(lowest + increment) && slideInRange(highest + increment))))
            return true;
        // Tell the user which increments would do.
        const long long from = -lowest;
        const long long to = MaxSlideNumber - highest;
        std::string message;
        if (from <= to) {
            message = replaced(replaced(res::text(ids::IncrementOutOfRange), "%1", std::to_string(from)), "%2",
                               std::to_string(to));
        } else {
            message = res::text(ids::IncrementImpossible);
        }
        e_.prompter.showMessage(message, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    });
    if (!entry) return;

    const std::optional<int> increment = slideIncrementEntry(*entry);
    if (!increment) return;
    WaitCursor wait(e_.prompter);
    DocumentChange change;
    for (int i : selected) {
        e_.line(i).slideNumber += *increment;
        e_.markChanged(i, SlideColumn);
    }
    e_.line(0).changeMarks |= ChangedSinceSave;
    change.addLines(0, selected.back());
    reloadEditorIfItShowsOneOf(selected, change);
    e_.recomputeShowLength();
    e_.announce(change);
}

void LineOperations::selectAll() {
    {
        WaitCursor wait(e_.prompter);
        e_.rows.selectAllRows();
    }
    e_.recomputeShowLength();
}

}  // namespace vistrel
