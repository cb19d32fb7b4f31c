#pragma once
// The text in which program lines travel over the clipboard: to another show window,
// another running Vistrel, a spreadsheet or a text editor. A fixed header line, then
// one record per row made of the list's six cell texts, each followed by a tab, the
// record ended by CR LF. Building and reading it are pure functions over
// Windows-1252 bytes, so that the window program and vistrel-cli share them.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/CellText.h"

namespace vistrel {

// The header line, then one record per row in the order given. No zero byte at the
// end: ending the text is the clipboard's business.
std::string buildClipboardText(const std::vector<CellTexts>& rows);

// Why a record of the text cannot become a program line. Values outside these ranges
// would reach the show file or the projector wrapped into something else.
enum class PastedRecordFault {
    None,
    MissingFields,    // the line ends before the special-function field
    SlideNumber,      // outside 0..999
    DissolveTime,     // outside 0..25.5 s
    TimerTime,        // outside 0..600 s
    SpecialFunction,  // outside 0..999
};

struct PastedRecord {
    std::string programNumberField;  // field 1 as it stands; paste numbers rows itself
    int slideNumber = 0;
    int dissolveTime = 0;  // tenths, truncated toward zero
    int timerTime = 0;     // tenths, truncated toward zero
    int specialFunction = 0;
    std::string description;      // at most 179 characters; a single blank is the empty text
    std::string descriptionCell;  // what the list shows: the field as read (at most 179 characters)
    PastedRecordFault fault = PastedRecordFault::None;
    std::string faultField;  // the text of the field that was refused
};

// Reads the records of a clipboard text one at a time, so that paste can stop when
// the show is full without reading the rest. The text ends at its first zero byte.
//
// A record is one line (up to a line feed; the last one may lack it). Its fields
// run up to the next tab; the description runs to the line end and loses a trailing
// tab and carriage return. A line without any tab holds no record and is passed
// over. Reading ends at the end of the text or at a form feed right after a record's
// line feed; anywhere else a form feed is only text before the first tab (the program
// number that paste skips). The times accept a decimal comma.
class ClipboardTextReader {
public:
    explicit ClipboardTextReader(std::string_view text);

    // Whether the text begins with the header's column names (its last tab and line
    // feed are not compared, so a header written with CR LF passes too).
    bool hasHeader() const { return hasHeader_; }

    // The next record; nothing at the end (and always nothing without the header).
    std::optional<PastedRecord> next();

private:
    std::string_view text_;
    std::size_t position_ = 0;
    bool hasHeader_ = false;
    bool afterRecord_ = false;  // position_ is right after a record's line feed
};

struct ClipboardContent {
    bool hasHeader = false;
    std::vector<PastedRecord> records;  // refused ones included, with their fault
};

// The whole text at once, at most `maxRecords` records.
ClipboardContent parseClipboardText(std::string_view text, std::size_t maxRecords = 100000);

}  // namespace vistrel
