// The pictures subcommand of vistrel-cli: "Bilder prüfen" for scripts. Which picture
// each line finds in the show's picture folder, which picture files stand for no slide
// of the show, and how many of its slides have a picture.
#include <string>
#include <string_view>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/JsonWriter.h"
#include "cli/ShowFileOptions.h"
#include "model/CVistrelDoc.h"
#include "model/DecimalText.h"
#include "model/PictureCheck.h"

namespace vistrel::cli {

namespace {

// A file name on a line of its own: control characters (a tab, a line break) would cut
// the line, so they are written as \t, \n, \r or \xHH.
std::string onOneLine(std::string_view name) {
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            static constexpr char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

// A name as JSON wants it: valid UTF-8, a byte that is not part of a character
// becoming U+FFFD.
std::string validUtf8(std::string_view bytes) {
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        bool valid = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(bytes[i + k]) >> 6) == 0x2;
        if (valid && length == 2) valid = lead >= 0xC2;
        if (valid) {
            out.append(bytes.substr(i, length));
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

std::string asText(const PictureCheck& check) {
    std::string out;
    for (const PictureCheck::Line& line : check.lines) {
        out += zeroPadded(line.line, 3) + "\t" + std::to_string(line.slide) + "\t" +
               (line.file.empty() ? std::string("-") : onOneLine(line.file)) + "\n";
    }
    for (const std::string& name : check.unused) out += "unused\t" + onOneLine(name) + "\n";
    out += "summary\t" + std::to_string(check.withPicture) + "\t" + std::to_string(check.slides) + "\n";
    return out;
}

std::string asJson(const PictureCheck& check) {
    std::string out = "{\"folder\": " + jsonString(validUtf8(check.folder.string())) + ", \"lines\": [";
    for (std::size_t i = 0; i < check.lines.size(); ++i) {
        const PictureCheck::Line& line = check.lines[i];
        if (i > 0) out += ", ";
        out += "{\"line\": " + std::to_string(line.line) + ", \"slide\": " + std::to_string(line.slide) +
               ", \"file\": " + (line.file.empty() ? std::string("null") : jsonString(validUtf8(line.file))) + "}";
    }
    out += "], \"unused\": [";
    for (std::size_t i = 0; i < check.unused.size(); ++i) {
        if (i > 0) out += ", ";
        out += jsonString(validUtf8(check.unused[i]));
    }
    out += "], \"withPicture\": " + std::to_string(check.withPicture) +
           ", \"slides\": " + std::to_string(check.slides) + "}\n";
    return out;
}

int runPictures(const CommandLine& line) {
    ConsolePrompter prompter;
    const std::string& file = line.positional(0);
    const auto doc = readShowAsTheWindowProgramDoes(file, prompter);
    if (!doc) return 1;
    const PictureCheck check = checkPictures(*doc, pictureFolderFor(line, file));
    if (const std::string problem = pictureFolderProblem(check); !problem.empty()) {
        prompter.setSubject(file);
        prompter.showMessage(problem, MessageIcon::Exclamation, MessageButtons::Ok);
        return 1;
    }
    return printResult(line.has("json") ? asJson(check) : asText(check)) ? 0 : 1;
}

const CommandRegistration picturesCommand{{
    .name = "pictures",
    .positionals = {"FILE"},
    .options = {imagesOption(), switchOption("json", "print one JSON object instead of the lines")},
    .summary = "Reads the show FILE as \"Öffnen\" reads it and checks its pictures as \"Bilder prüfen\" does. "
               "Prints one line per program line, NNN<TAB>SLIDE<TAB>FILE (the picture's file name, - for none and "
               "for slide 0), then unused<TAB>NAME for each picture file, in byte order of names, that is the "
               "picture of no slide of the show (a second file for the same slide counts as unused), then "
               "summary<TAB>WITH<TAB>SLIDES: of the distinct slide numbers other than 0 the show uses, how many "
               "have a picture.",
    .notes = "Picture files are the files (links followed) named *.jpg, *.jpeg, *.png, *.bmp, *.tif, *.tiff or "
             "*.webp in any case; slide n's picture is the first of them, in byte order of names, whose name "
             "(after leading letters and blanks) begins with the number n, as the rehearsal finds it. --json "
             "prints {\"folder\": ..., \"lines\": [{\"line\": 1, \"slide\": 12, \"file\": \"012.jpg\"}], "
             "\"unused\": [...], \"withPicture\": N, \"slides\": M}, file null for none. In the lines, control "
             "characters of a name are written as \\t, \\n, \\r or \\xHH; in JSON a name that is not UTF-8 has "
             "U+FFFD for each stray byte.",
    .exitCodes = {{0, "done"},
                  {1, "the show or the picture folder could not be read (German message on stderr)"},
                  {2, "usage error"}},
    .run = runPictures,
}};

}  // namespace

}  // namespace vistrel::cli
