#include "model/ClipboardText.h"

#include "model/DecimalText.h"

namespace vistrel {

namespace {

constexpr int MaxSlideNumber = 999;
constexpr int MaxDissolveTenths = 255;
constexpr int MaxTimerTenths = 6000;
constexpr int MaxSpecialFunction = 999;

std::string_view trimmedBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Cuts the next tab-ended field off `rest`. False when the line ends before a tab.
bool takeField(std::string_view& rest, std::string_view& field) {
    const auto tab = rest.find('\t');
    if (tab == std::string_view::npos) {
        field = rest;
        rest = {};
        return false;
    }
    field = rest.substr(0, tab);
    rest = rest.substr(tab + 1);
    return true;
}

// The description is the rest of the line; the record's closing tab and the CR of
// a CR LF line end are not part of it, in whichever order they come.
std::string_view descriptionField(std::string_view rest) {
    bool tabRemoved = false;
    bool returnRemoved = false;
    while (!rest.empty()) {
        if (rest.back() == '\r' && !returnRemoved) {
            returnRemoved = true;
        } else if (rest.back() == '\t' && !tabRemoved) {
            tabRemoved = true;
        } else {
            break;
        }
        rest.remove_suffix(1);
    }
    return rest;
}

PastedRecord readRecord(std::string_view numberField, std::string_view rest) {
    PastedRecord record;
    record.programNumberField = std::string(numberField);

    std::string_view fields[4];  // slide, dissolve, timer, special function
    bool complete = true;
    for (int i = 0; i < 4; ++i) {
        const bool tabEnded = takeField(rest, fields[i]);
        // A spreadsheet may drop the tab after the last filled cell: a line that ends
        // after the special function simply has an empty description.
        if (!tabEnded && i < 3) {
            complete = false;
            break;
        }
    }
    if (!complete) {
        record.fault = PastedRecordFault::MissingFields;
        record.faultField = std::string(trimmedBlanks(numberField));
        return record;
    }

    record.slideNumber = parseCellInteger(fields[0]);
    record.dissolveTime = parseClipboardTenths(fields[1]);
    record.timerTime = parseClipboardTenths(fields[2]);
    record.specialFunction = parseCellInteger(fields[3]);

    std::string_view description = descriptionField(rest);
    if (description.size() > ClipboardFieldCapacity) description = description.substr(0, ClipboardFieldCapacity);
    record.descriptionCell = std::string(description);
    record.description = description == " " ? std::string() : std::string(description);

    const struct {
        bool inRange;
        PastedRecordFault fault;
        std::string_view field;
    } checks[] = {
        {record.slideNumber >= 0 && record.slideNumber <= MaxSlideNumber, PastedRecordFault::SlideNumber, fields[0]},
        {record.dissolveTime >= 0 && record.dissolveTime <= MaxDissolveTenths, PastedRecordFault::DissolveTime,
         fields[1]},
        {record.timerTime >= 0 && record.timerTime <= MaxTimerTenths, PastedRecordFault::TimerTime, fields[2]},
        {record.specialFunction >= 0 && record.specialFunction <= MaxSpecialFunction,
         PastedRecordFault::SpecialFunction, fields[3]},
    };
    for (const auto& check : checks) {
        if (!check.inRange) {
            record.fault = check.fault;
            record.faultField = std::string(trimmedBlanks(check.field));
            break;
        }
    }
    return record;
}

}  // namespace

std::string buildClipboardText(const std::vector<CellTexts>& rows) {
    std::string text(ClipboardHeaderLine);
    // Six cells of a few characters each, plus the tabs and the line end.
    text.reserve(text.size() + rows.size() * 48);
    for (const CellTexts& cells : rows) text += clipboardRecord(cells);
    return text;
}

ClipboardTextReader::ClipboardTextReader(std::string_view text) {
    // The clipboard hands over a zero-terminated text; nothing after a zero counts.
    const auto zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    text_ = text;
    hasHeader_ = text.substr(0, ClipboardHeaderPrefix.size()) == ClipboardHeaderPrefix;
    // The records start after the whole header line, whatever its last two characters are.
    position_ = hasHeader_ ? std::min(ClipboardHeaderLine.size(), text.size()) : text.size();
}

std::optional<PastedRecord> ClipboardTextReader::next() {
    while (position_ < text_.size()) {
        if (afterRecord_ && text_[position_] == '\f') {
            position_ = text_.size();
            return std::nullopt;
        }
        afterRecord_ = false;
        const auto lineEnd = text_.find('\n', position_);
        const std::size_t end = lineEnd == std::string_view::npos ? text_.size() : lineEnd;
        const std::string_view line = text_.substr(position_, end - position_);
        position_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;

        const auto tab = line.find('\t');
        if (tab == std::string_view::npos) continue;  // an empty or foreign line between records
        afterRecord_ = true;
        return readRecord(line.substr(0, tab), line.substr(tab + 1));
    }
    return std::nullopt;
}

ClipboardContent parseClipboardText(std::string_view text, std::size_t maxRecords) {
    ClipboardTextReader reader(text);
    ClipboardContent content;
    content.hasHeader = reader.hasHeader();
    while (content.records.size() < maxRecords) {
        auto record = reader.next();
        if (!record) break;
        content.records.push_back(std::move(*record));
    }
    return content;
}

}  // namespace vistrel
