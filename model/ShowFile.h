#pragma once
// The ".dpd" show file: a header of "/h1".."/h4" and "/a" lines, then one "/p" line
// per program line, Windows-1252 bytes with CR LF line ends. The reader is lenient
// (tags in either case, two obsolete tags, defaults for missing fields, the older
// variant with a three-digit timer); the writer always writes the one current form.
#include <cstddef>
#include <string>
#include <string_view>

namespace vistrel {

class CVistrelDoc;
class Prompter;
struct Settings;

// Whether "Öffnen" takes `path` for a show: a name longer than four characters must
// end in ".dpd" (in any case); shorter names are not judged.
bool hasShowFileName(std::string_view path);

// Largest file the reader accepts; a show of 999 lines is well under 300 KB.
constexpr std::size_t MaxShowFileBytes = 16u * 1024u * 1024u;

// What the lenient reader had to leave out of a file. Saving the show writes only what
// was read, so the user must hear of anything left behind.
struct ShowReadReport {
    int rejectedLines = 0;     // lines with a tag the reader does not know
    int cutLines = 0;          // lines cut short by a zero byte
    int linesBeyondLimit = 0;  // lines after the 999th program line
    bool noShowContent = false;  // text, but not one program line or header line in it

    int unreadLines() const { return rejectedLines + cutLines + linesBeyondLimit; }
    bool complete() const { return unreadLines() == 0 && !noShowContent; }
};

// The warning for an incomplete read (empty for a complete one).
std::string readLossMessage(const ShowReadReport& report);

// Fills a freshly created document from the file. On failure reports the load error
// and leaves the document as it was. What the reader left out goes into `report`; the
// caller says so once the show is on view.
bool readShowFile(CVistrelDoc& doc, const std::string& path, const Settings& settings, Prompter& prompter,
                  ShowReadReport* report = nullptr);

// Writes the show. Slashes in descriptions become backslashes in the document itself
// (a slash would start a field), and the lines lose their ChangedSinceSave mark once
// the file is safely in place. On failure reports the save error; the old file stays.
bool writeShowFile(CVistrelDoc& doc, const std::string& path, Prompter& prompter);

// The parts of the above that do not touch the disk.
struct ShowReadOptions {
    bool convertDosUmlauts = true;
    bool use500WattTimes = true;
};
ShowReadReport parseShowText(CVistrelDoc& doc, std::string_view text, const ShowReadOptions& options);
// Also replaces the slashes of descriptions in the document.
std::string formatShowText(CVistrelDoc& doc);

// Old DOS code page umlauts (ä ö ü Ä Ö Ü ß) to their Windows-1252 bytes.
char convertDosUmlaut(char c);
// Special-function codes of the older file variant to today's codes.
int convertOldSpecialFunction(int oldCode);

}  // namespace vistrel
