#include "model/ClipboardCommands.h"

#include <algorithm>

#include "model/ClipboardText.h"
#include "model/DecimalText.h"
#include "model/LineOperations.h"
#include "platform/Clipboard.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"
#include "res/strings/LineStrings.h"
#include "res/strings/ModelStrings.h"

namespace vistrel {

namespace {

// The desktop's own words when it refuses the clipboard; they have never been translated.
const char* failureText(Clipboard::Failure failure) {
    switch (failure) {
        case Clipboard::Failure::Open:
            return "Failed to open clipboard";
        case Clipboard::Failure::Empty:
            return "Failed to empty clipboard";
        case Clipboard::Failure::SetData:
            return "Failed to set clipboard data";
        case Clipboard::Failure::Close:
            return "Failed to close clipboard";
        case Clipboard::Failure::None:
            break;
    }
    return "";
}

std::string filledIn(int id, const std::string& first, const std::string& second = {}) {
    std::string text = res::text(id);
    for (const auto& [placeholder, value] : {std::pair{"%1", first}, std::pair{"%2", second}}) {
        const auto at = text.find(placeholder);
        if (at != std::string::npos) text.replace(at, 2, value);
    }
    return text;
}

// "Datensatz 3: Dianummer 1200" (UTF-8; the field text converted by the caller).
std::string refusalReason(const PastedRecord& record, int recordNumber) {
    int id = ids::PasteRefusedIncomplete;
    switch (record.fault) {
        case PastedRecordFault::SlideNumber:
            id = ids::PasteRefusedSlide;
            break;
        case PastedRecordFault::DissolveTime:
            id = ids::PasteRefusedDissolve;
            break;
        case PastedRecordFault::TimerTime:
            id = ids::PasteRefusedTimer;
            break;
        case PastedRecordFault::SpecialFunction:
            id = ids::PasteRefusedCode;
            break;
        case PastedRecordFault::MissingFields:
        case PastedRecordFault::None:
            break;
    }
    // The field is a number or close to one; anything else in it is left out of the message.
    std::string field;
    for (char c : record.faultField) {
        if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F) field += c;
    }
    return filledIn(ids::PasteRefusedRecord, std::to_string(recordNumber)) + ": " + filledIn(id, field);
}

ProgramLine pastedLine(const PastedRecord& record, int position) {
    ProgramLine line;
    line.programNumber = zeroPadded(position + 1, 3);
    line.slideNumber = record.slideNumber;
    line.dissolveTime = record.dissolveTime;
    line.timerTime = record.timerTime;
    line.specialFunction = record.specialFunction;
    line.description = record.description;
    line.changeMarks = AllChangeMarks;
    return line;
}

}  // namespace

std::string ClipboardCommands::selectionText() const {
    std::vector<CellTexts> rows;
    for (int row : e_.rows.selectedRows()) {
        if (row >= 0 && row < e_.rows.rowCount()) rows.push_back(e_.rows.rowCells(row));
    }
    return buildClipboardText(rows);
}

bool ClipboardCommands::copyToClipboard() {
    WaitCursor wait(e_.prompter);
    if (!clipboard_) return false;
    const Clipboard::Failure failure = clipboard_->setText(selectionText());
    if (failure == Clipboard::Failure::None) return true;
    e_.prompter.showMessage(failureText(failure), MessageIcon::None, MessageButtons::Ok);
    return false;
}

void ClipboardCommands::cutToClipboard() {
    lines_.removeLines([this] { return copyToClipboard(); });
}

bool ClipboardCommands::readyToPaste(int& position) {
    if (e_.doc.lineCount >= MaxProgramLines) {
        e_.prompter.showMessage(ids::LineCapacityReached, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    const std::vector<int> selected = e_.rows.selectedRows();
    if (selected.size() > 1) {
        e_.prompter.showMessage(ids::PasteNeedsOneRow, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    position = selected.empty() ? e_.doc.lineCount : std::clamp(selected.front() + 1, 0, e_.doc.lineCount);
    return true;
}

int ClipboardCommands::pasteFromClipboard() {
    int position = 0;
    if (!readyToPaste(position)) return 0;
    WaitCursor wait(e_.prompter);
    const std::optional<std::string> text = clipboard_ ? clipboard_->text() : std::nullopt;
    if (!text) return 0;  // nothing to paste is no error
    return insertRecords(*text, position);
}

int ClipboardCommands::pasteText(std::string_view text) {
    int position = 0;
    if (!readyToPaste(position)) return 0;
    WaitCursor wait(e_.prompter);
    return insertRecords(text, position);
}

int ClipboardCommands::insertRecords(std::string_view text, int position) {
    CVistrelDoc& doc = e_.doc;
    ClipboardTextReader reader(text);
    if (!reader.hasHeader()) {
        e_.prompter.showMessage(ids::PasteWrongFormat, MessageIcon::Exclamation, MessageButtons::Ok);
        return 0;
    }

    std::vector<ProgramLine> pasted;
    std::vector<CellTexts> cells;
    int recordNumber = 0;
    int refused = 0;
    std::string firstRefusal;
    while (auto record = reader.next()) {
        ++recordNumber;
        if (record->fault != PastedRecordFault::None) {
            if (refused++ == 0) firstRefusal = refusalReason(*record, recordNumber);
            continue;
        }
        const ProgramLine line = pastedLine(*record, position + static_cast<int>(pasted.size()));
        CellTexts row = cellTexts(line, false);
        row[5] = record->descriptionCell;  // the cell shows the field as it came
        pasted.push_back(line);
        cells.push_back(std::move(row));
        if (doc.lineCount + static_cast<int>(pasted.size()) >= MaxProgramLines) {
            e_.prompter.showMessage(ids::LineCapacityReached, MessageIcon::Exclamation, MessageButtons::Ok);
            break;
        }
    }

    const int count = static_cast<int>(pasted.size());
    const bool inTheMiddle = position < doc.lineCount;
    DocumentChange change;
    if (count > 0) {
        // The lines after the insertion point move down whole; nothing is read back
        // from the list, so their descriptions keep every character.
        std::move_backward(doc.lines.begin() + position, doc.lines.begin() + doc.lineCount,
                           doc.lines.begin() + doc.lineCount + count);
        std::copy(pasted.begin(), pasted.end(), doc.lines.begin() + position);
        doc.lineCount += count;
        e_.rows.insertRows(position, cells);
        if (inTheMiddle) {
            e_.renumberFrom(0);
            for (int i = 0; i < doc.lineCount; ++i) e_.line(i).changeMarks = AllChangeMarks;
        }
        change.addLines(inTheMiddle ? 0 : position, doc.lineCount - 1);
        change.linesMoved = true;
    }
    for (int i = position; i < doc.lineCount; ++i) e_.line(i).changeMarks = AllChangeMarks;
    change.addLines(position, doc.lineCount - 1);

    if (refused > 0) {
        const std::string message = refused == 1 ? filledIn(ids::PasteRefusedOne, {}, firstRefusal)
                                                 : filledIn(ids::PasteRefusedMany, std::to_string(refused),
                                                            firstRefusal);
        e_.prompter.showMessage(message, MessageIcon::Exclamation, MessageButtons::Ok);
    }
    e_.offerNewLineAtEnd(change);
    e_.recomputeShowLength();
    e_.announce(change);
    return count;
}

}  // namespace vistrel
