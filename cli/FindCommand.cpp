#include "cli/FindCommand.h"

#include <string_view>
#include <vector>

#include "cli/CommandRegistry.h"
#include "cli/TerminalProgress.h"
#include "cli/VisibleText.h"
#include "cli/JsonWriter.h"
#include "model/Cp1252.h"
#include "res/StringTable.h"
#include "res/strings/SearchStrings.h"
#include "search/FolderSearch.h"

namespace vistrel::cli {

namespace {

// File names are bytes; JSON must be UTF-8. Bytes that are not UTF-8 become U+FFFD.
std::string validUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                                     : (lead & 0xF8) == 0xF0   ? 4
                                                                                               : 0;
        bool valid = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
        // Overlong forms and surrogates are not UTF-8 either.
        if (valid && length == 2) valid = lead >= 0xC2;
        if (valid && length == 3) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            valid = !(lead == 0xE0 && second < 0xA0) && !(lead == 0xED && second >= 0xA0);
        }
        if (valid && length == 4) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            valid = lead <= 0xF4 && !(lead == 0xF0 && second < 0x90) && !(lead == 0xF4 && second >= 0x90);
        }
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

// The title as the file has it, without the blank that follows "/h1": a script wants the
// title, not the file's layout.
std::string shownTitle(std::string_view title) {
    if (!title.empty() && title.front() == ' ') title.remove_prefix(1);
    return cp1252ToUtf8(title);
}

// Counts the files examined on the terminal's status line, while the walk goes on.
class ProgressSink : public FolderSearchSink {
public:
    explicit ProgressSink(TerminalProgress& progress) : progress_(progress) {}
    void fileExamined(const FolderSearchCounters& counters) override {
        if (progress_.enabled())
            progress_.show("Anzahl der durchsuchten Vistrel-Dateien : " + std::to_string(counters.filesExamined) +
                           "   in Kilobyte : " + std::to_string(counters.kilobytes()));
    }

protected:
    TerminalProgress& progress_;
};

// Prints each hit as it comes, so that a long search shows its first hits at once.
class LinePrinter final : public ProgressSink {
public:
    LinePrinter(std::FILE* out, TerminalProgress& progress) : ProgressSink(progress), out_(out) {}
    void found(const FolderHit& hit, const FolderSearchCounters&) override {
        std::string line = visibleText(hit.path, Layout::Escaped);
        line += '\t';
        line += visibleText(cp1252ToUtf8(hit.description), Layout::Escaped);
        line += '\t';
        line += visibleText(shownTitle(hit.title), Layout::Escaped);
        line += '\n';
        progress_.clear();  // the status line may share the terminal with the results
        ok_ = std::fwrite(line.data(), 1, line.size(), out_) == line.size() && ok_;
    }
    bool ok() const { return ok_; }

private:
    std::FILE* out_;
    bool ok_ = true;
};

class HitCollector final : public ProgressSink {
public:
    using ProgressSink::ProgressSink;
    void found(const FolderHit& hit, const FolderSearchCounters&) override { hits.push_back(hit); }
    std::vector<FolderHit> hits;
};

std::string jsonReport(const FindOptions& options, const FolderSearchCounters& counters,
                       const std::vector<FolderHit>& hits) {
    std::string out = "{\"term\": " + jsonString(validUtf8(options.term)) +
                      ", \"matchCase\": " + (options.matchCase ? "true" : "false") +
                      ", \"filesExamined\": " + std::to_string(counters.filesExamined) +
                      ", \"kilobytes\": " + std::to_string(counters.kilobytes()) + ", \"results\": [";
    for (std::size_t i = 0; i < hits.size(); ++i) {
        if (i > 0) out += ", ";
        out += "{\"path\": " + jsonString(validUtf8(hits[i].path)) +
               ", \"description\": " + jsonString(cp1252ToUtf8(hits[i].description)) +
               ", \"title\": " + jsonString(shownTitle(hits[i].title)) + "}";
    }
    out += "]}\n";
    return out;
}

}  // namespace

int find(const FindOptions& options, std::FILE* out, std::FILE* err) {
    FolderSearch search(options.term, options.matchCase);
    TerminalProgress progress(err);
    bool written = true;
    bool readable = false;
    if (options.json) {
        HitCollector collector(progress);
        readable = search.run(options.folder, collector);
        progress.clear();
        if (readable) {
            const std::string report = jsonReport(options, search.counters(), collector.hits);
            written = std::fwrite(report.data(), 1, report.size(), out) == report.size();
        }
    } else {
        LinePrinter printer(out, progress);
        readable = search.run(options.folder, printer);
        progress.clear();
        written = printer.ok();
    }
    if (!readable) {
        const std::string message = res::formatText(ids::CliFolderUnreadable, "\"" + options.folder + "\"");
        std::fprintf(err, "vistrel-cli: %s\n", visibleText(message).c_str());
        return 1;
    }
    // As grep does: what could not be searched is said at the end, the exit code stays.
    if (const std::string note = unreadableNote(search.counters()); !note.empty())
        std::fprintf(err, "vistrel-cli: %s: %s\n", visibleText(options.folder).c_str(), note.c_str());
    written = std::fflush(out) == 0 && written;
    return written ? 0 : 1;
}

namespace {

int runFind(const CommandLine& line) {
    FindOptions options;
    options.folder = line.positional(0);
    options.term = line.positional(1);
    options.matchCase = line.has("match-case");
    options.json = line.has("json");
    return find(options);
}

const CommandRegistration findRegistration{{
    .name = "find",
    .positionals = {"FOLDER", "TERM"},
    .options = {switchOption("match-case", "compare as \"Groß- / Kleinschreibung beachten\" does: case matters"),
                switchOption("json", "print one JSON object with the term, the counters and the results")},
    .summary = "Searches the show files in FOLDER and all folders below it as \"in Unterverzeichnissen\" does: "
               "each file whose program lines have a description holding TERM is printed as one line "
               "PATH<TAB>DESCRIPTION<TAB>TITLE (UTF-8), with its first such description and the show's title. "
               "Without --match-case, case is folded as the Windows code page folds it (umlauts too).",
    .notes = "The entries of each folder are taken in byte order of their names, depth first; symbolic links "
             "to folders are not followed, and only regular files whose names end in \".dpd\" (in any case) "
             "are read. --json prints {\"term\": T, \"matchCase\": B, \"filesExamined\": N, \"kilobytes\": K, "
             "\"results\": [{\"path\": P, \"description\": D, \"title\": T}, ...]}; titles without the "
             "blank that follows \"/h1\" in the file. When stderr is a terminal, a status line there counts "
             "the files examined. Folders and files that could not be read are counted and named at the end "
             "on stderr, as grep does; they do not change the exit code.",
    .exitCodes = {{0, "done, also when nothing was found"},
                  {1, "FOLDER could not be read, or the results could not be written"},
                  {2, "usage error"}},
    .run = runFind,
}};

}  // namespace

}  // namespace vistrel::cli
