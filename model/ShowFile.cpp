#include "model/ShowFile.h"

#include <algorithm>

#include "model/CVistrelDoc.h"
#include "model/DecimalText.h"
#include "model/FileAccess.h"
#include "model/Settings.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"
#include "res/strings/SafetyStrings.h"

namespace vistrel {

namespace {

std::string dosConverted(std::string_view text, bool convert) {
    std::string out(text);
    if (convert) {
        for (char& c : out) c = convertDosUmlaut(c);
    }
    return out;
}

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text from `from` to the line end; empty when `from` lies beyond it.
std::string_view restOfLine(std::string_view line, std::size_t from) {
    return from < line.size() ? line.substr(from) : std::string_view();
}

// The text from `from` up to the next "/" or the line end.
std::string_view fieldValue(std::string_view line, std::size_t from) {
    if (from >= line.size()) return {};
    const auto slash = line.find('/', from);
    return line.substr(from, slash == std::string_view::npos ? std::string_view::npos : slash - from);
}

// Where the number at the start of `text` ends: after its leading blanks, its sign
// and its digits.
std::size_t numberEnd(std::string_view text) {
    // The same blanks the number reading skips.
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos) return text.size();
    if (text[i] == '+' || text[i] == '-') ++i;
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

// The timer in its four places. A negative timer keeps four digits after its sign: with
// three ("-040") the reader would take the line for the older variant and convert its
// special function.
std::string timerText(int tenths) {
    if (tenths >= 0) return zeroPadded(tenths, 4);
    const long long magnitude = -static_cast<long long>(tenths);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return "-" + digits;
}

std::size_t countDigits(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) n += isDigit(c) ? 1 : 0;
    return n;
}

// What became of one line of the file.
enum class LineKind { Other, Header, Program, Rejected };

// Parses one line (without its line feed and final CR) into `record`. Text outside
// fields is ignored; each "/" and the letter after it select a field.
LineKind parseLine(std::string_view line, ShowHeader& header, ProgramLine& record, const ShowReadOptions& options) {
    bool hadProgramTag = false;
    bool olderVariant = false;  // this line's timer had three digits
    std::size_t pos = 0;
    while ((pos = line.find('/', pos)) != std::string_view::npos) {
        const std::size_t tagPos = pos + 1;
        if (tagPos >= line.size()) break;  // a "/" that ends the line selects nothing
        const char tag = asciiUpper(line[tagPos]);
        const std::size_t valuePos = tagPos + 1;

        if (tag == 'H' && valuePos < line.size() && isDigit(line[valuePos])) {
            // "/h1 " and the text to the line end; the fourth character is skipped
            // whatever it is.
            const std::string text = dosConverted(restOfLine(line, pos + 4), options.convertDosUmlauts);
            switch (line[valuePos]) {
                case '1': header.title = text; break;
                case '2': header.description = text; break;
                case '3': header.descriptionContinued = text; break;
                case '4': header.storageLocation = text; break;
                default: return LineKind::Rejected;
            }
            return LineKind::Header;
        }
        if (tag == 'A') {
            // Ends the line, but unlike "/h" it does not undo a "/p" before it.
            header.moduleNumber = fieldValue(line, pos + 3);
            return hadProgramTag ? LineKind::Program : LineKind::Header;
        }
        if (!isAsciiLetter(tag)) {
            pos = tagPos;  // not a field
            continue;
        }

        record.changeMarks = NotInProjector;
        const std::string_view value = fieldValue(line, valuePos);
        switch (tag) {
            case 'P': {
                const int number = decimalValue(value);
                record.programNumber = zeroPadded(number, 3);
                // The slide number stands after "/p nnn"; without it the slide is the
                // program number (a field "/p 012" alone shows slide 12). A program
                // number wider than its three places pushes the slide number along.
                const std::size_t slideFrom = std::max<std::size_t>(4, numberEnd(value));
                const std::string_view rest = slideFrom < value.size() ? value.substr(slideFrom) : std::string_view();
                record.slideNumber = rest.size() >= 5 ? decimalValue(rest) : number;
                record.dissolveTime = 25;
                record.timerTime = options.use500WattTimes ? 55 : 40;
                record.specialFunction = 0;
                hadProgramTag = true;
                break;
            }
            case 'D':
                record.dissolveTime = decimalValue(value);
                break;
            case 'T':
                record.timerTime = decimalValue(value);
                if (countDigits(value.substr(0, 20)) == 3) olderVariant = true;
                break;
            case 'S': {
                const int code = decimalValue(value);
                record.specialFunction = olderVariant ? convertOldSpecialFunction(code) : code;
                break;
            }
            case 'C':
                // The description takes the rest of the line, slashes and all.
                record.description = dosConverted(restOfLine(line, pos + 3), options.convertDosUmlauts);
                return hadProgramTag ? LineKind::Program : LineKind::Other;
            case 'F':
                break;  // obsolete: its value is skipped
            case 'G':
                pos = tagPos + 3;  // obsolete: the tag and the two characters after it
                continue;
            default:
                return LineKind::Rejected;
        }
        pos = valuePos;
    }
    return hadProgramTag ? LineKind::Program : LineKind::Other;
}

}  // namespace

char convertDosUmlaut(char c) {
    switch (static_cast<unsigned char>(c)) {
        case 0x81: return static_cast<char>(0xFC);  // ü
        case 0x84: return static_cast<char>(0xE4);  // ä
        case 0x8E: return static_cast<char>(0xC4);  // Ä
        case 0x94: return static_cast<char>(0xF6);  // ö
        case 0x99: return static_cast<char>(0xD6);  // Ö
        case 0x9A: return static_cast<char>(0xDC);  // Ü
        case 0xE1: return static_cast<char>(0xDF);  // ß
        default: return c;
    }
}

int convertOldSpecialFunction(int oldCode) {
    switch (oldCode) {
        case 0: return 0;
        case 1: return 100;                                     // autoreverse
        case 11: case 12: case 13: case 14: return oldCode + 40;  // rock 1..4
        case 21: case 22: case 23: case 24: return oldCode + 20;  // flash 1..4
        case 31: return 22;                                     // freeze 2, 4, 8 s
        case 32: return 24;
        case 33: return 28;
        case 41: return 12;                                     // fade in 2, 4, 8 s
        case 42: return 14;
        case 43: return 18;
        case 300: return 60;                                    // fade out and in
        default: return 0;
    }
}

namespace {

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos; }

// The line that starts at `pos`, without its line feed, and where the next one starts.
std::string_view nextLine(std::string_view text, std::size_t& pos) {
    const auto lineFeed = text.find('\n', pos);
    const std::size_t end = lineFeed == std::string_view::npos ? text.size() : lineFeed;
    const std::string_view line = text.substr(pos, end - pos);
    pos = lineFeed == std::string_view::npos ? text.size() : lineFeed + 1;
    return line;
}

}  // namespace

ShowReadReport parseShowText(CVistrelDoc& doc, std::string_view text, const ShowReadOptions& options) {
    ShowReadReport report;
    bool showContentSeen = false;
    doc.lines[0].description.clear();
    doc.header = ShowHeader{};
    int n = 0;
    std::size_t pos = 0;
    while (pos < text.size() && n < MaxProgramLines) {
        if (text[pos] == '\n') {  // an empty line
            ++pos;
            continue;
        }
        std::string_view line = nextLine(text, pos);
        // A zero byte (a damaged sector, a file from another program) ends the texts of
        // its line; the lines after it are read as usual.
        if (const auto zero = line.find('\0'); zero != std::string_view::npos) {
            line = line.substr(0, zero);
            ++report.cutLines;
        }
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        ProgramLine& record = doc.lines[static_cast<std::size_t>(n)];
        const LineKind kind = parseLine(line, doc.header, record, options);
        if (kind == LineKind::Rejected) ++report.rejectedLines;
        if (kind == LineKind::Header) showContentSeen = true;
        if (kind != LineKind::Program) continue;
        showContentSeen = true;
        // The next record starts as a copy of this one without its description; a
        // line without "/p" before the next program line only changes that copy.
        ++n;
        ProgramLine& next = doc.lines[static_cast<std::size_t>(n)];
        next = record;
        next.description.clear();
    }
    while (pos < text.size()) {
        if (!isBlank(nextLine(text, pos))) ++report.linesBeyondLimit;
    }
    doc.lineCount = n;
    report.noShowContent = !showContentSeen && !isBlank(text);
    return report;
}

std::string readLossMessage(const ShowReadReport& report) {
    if (report.noShowContent) return res::text(ids::FileHoldsNoShow);
    // A line cut short is still in the show, so it gets its own words: only its rest is lost.
    const auto counted = [](int count, int one, int many) {
        return count == 1 ? std::string(res::text(one)) : res::formatArgs(many, {std::to_string(count)});
    };
    const int dropped = report.rejectedLines + report.linesBeyondLimit;
    std::string message;
    if (dropped > 0) message = counted(dropped, ids::FileLineUnread, ids::FileLinesUnread);
    if (report.cutLines > 0) {
        if (!message.empty()) message += '\n';
        message += counted(report.cutLines, ids::FileLineCut, ids::FileLinesCut);
    }
    return message;
}

std::string formatShowText(CVistrelDoc& doc) {
    std::string out;
    out.reserve(static_cast<std::size_t>(doc.lineCount) * 64 + 256);
    const auto headerLine = [&out](std::string_view tag, std::string_view text) {
        out += tag;
        out += text;
        out += "\r\n";
    };
    headerLine("/h1 ", doc.header.title.view());
    headerLine("/h2 ", doc.header.description.view());
    headerLine("/h3 ", doc.header.descriptionContinued.view());
    headerLine("/h4 ", doc.header.storageLocation.view());
    headerLine("/a ", doc.header.moduleNumber.view());

    for (int i = 0; i < doc.lineCount && i < LineStorageRecords; ++i) {
        ProgramLine& line = doc.lines[static_cast<std::size_t>(i)];
        out += "/p ";
        out += zeroPadded(decimalValue(line.programNumber.view()), 3);
        out += ' ';
        out += zeroPadded(line.slideNumber, 3);
        out += " /d ";
        out += zeroPadded(line.dissolveTime, 3);
        out += " /t ";
        out += timerText(line.timerTime);
        out += " /s ";
        out += zeroPadded(line.specialFunction, 3);
        out += ' ';
        if (!line.description.empty()) {
            for (char* c = line.description.data(); *c != '\0'; ++c) {
                if (*c == '/') *c = '\\';
            }
            out += "/c ";
            out += line.description.view();
        }
        out += "\r\n";
    }
    return out;
}

bool hasShowFileName(std::string_view path) {
    if (path.size() <= 4) return true;
    std::string_view ending = path.substr(path.size() - 4);
    const char dpd[] = ".dpd";
    for (std::size_t i = 0; i < 4; ++i) {
        char c = ending[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != dpd[i]) return false;
    }
    return true;
}

bool readShowFile(CVistrelDoc& doc, const std::string& path, const Settings& settings, Prompter& prompter,
                  ShowReadReport* report) {
    std::string bytes;
    if (!readWholeFile(path, MaxShowFileBytes, bytes)) {
        prompter.showMessage(ids::FileLoadFailed, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    const ShowReadReport read =
        parseShowText(doc, bytes, ShowReadOptions{settings.convertDosUmlauts, settings.use500WattTimes});
    if (report) *report = read;
    return true;
}

bool writeShowFile(CVistrelDoc& doc, const std::string& path, Prompter& prompter) {
    const std::string text = formatShowText(doc);
    if (!replaceFileContents(path, text)) {
        prompter.showMessage(ids::FileSaveFailed, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    // Only now is the show safe on disk; a failed save must keep asking to be saved.
    for (int i = 0; i < doc.lineCount && i < LineStorageRecords; ++i) {
        doc.lines[static_cast<std::size_t>(i)].changeMarks &= static_cast<std::uint8_t>(~ChangedSinceSave);
    }
    return true;
}

}  // namespace vistrel
