#pragma once
// The search in folders without any window: walks a folder and everything below it,
// reads every show file (a regular file of non-zero size whose name ends in ".dpd",
// in any case) and reports each file that has a description holding the term, with
// the first such description and the title read before it.
//
// The entries of a folder are taken in the byte order of their names, depth first: a
// sub-folder is walked where it stands in that order. Symbolic links to folders are
// not followed and a folder that is its own ancestor (a bind mount) is not entered
// again, so the walk always ends. Only regular files are opened: FIFOs, sockets and
// devices are passed over. Folders and files that cannot be read are passed over and
// counted, so that the end of the search can say how many; files that vanish meanwhile
// are passed over without a word. Files of 4 GiB or more are no shows and are neither
// counted nor read.
//
// The walk runs on whatever thread calls run(); what it finds goes to a sink as it
// comes, and a flag set from another thread stops it between two entries.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/SearchTerm.h"
#include "model/ShowScan.h"

namespace vistrel {

struct FolderSearchCounters {
    std::int64_t filesExamined = 0;
    std::int64_t bytesRead = 0;
    // What the walk had to pass over because it may not read it (or reading failed):
    // the user must learn that the search did not cover everything.
    std::int64_t foldersUnreadable = 0;
    std::int64_t filesUnreadable = 0;
    std::int64_t kilobytes() const { return bytesRead / 1024; }
};

// "Nicht durchsucht, weil sie nicht gelesen werden konnten: 2 Ordner und 1 Datei." or
// nothing when the walk read everything.
std::string unreadableNote(const FolderSearchCounters& counters);

struct FolderHit {
    std::string path;         // the start folder, a "/", the path below it (file-system bytes)
    std::string description;  // Windows-1252, as in the file
    std::string title;        // Windows-1252, with the blank after "/h1"
};

class FolderSearchSink {
public:
    virtual ~FolderSearchSink() = default;
    // After each show file examined (read or not), before its hit, if any.
    virtual void fileExamined(const FolderSearchCounters& counters) { (void)counters; }
    virtual void found(const FolderHit& hit, const FolderSearchCounters& counters) = 0;
};

class FolderSearch {
public:
    // Files at or above this size are passed over unread.
    static constexpr std::int64_t SizeLimit = std::int64_t{1} << 32;

    FolderSearch(const std::string& termUtf8, bool matchCase);

    // Walks `startFolder`. False when the start folder itself cannot be read (then
    // nothing was found). `cancel`, when given and set, ends the walk early.
    bool run(const std::string& startFolder, FolderSearchSink& sink, const std::atomic<bool>* cancel = nullptr);

    const FolderSearchCounters& counters() const { return counters_; }

    // The start folder as results name it: with a "/" at its end.
    static std::string withSeparator(const std::string& folder);

private:
    struct Ancestor;
    void walkFolder(int folderFd, std::string& path, const Ancestor* ancestors);
    void examineFile(int folderFd, const std::string& name, bool isLink, std::string& path);
    std::optional<ShowHit> scanFile(int fd, std::int64_t size, bool& readFailed);
    bool cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

    SearchTerm term_;
    FolderSearchCounters counters_;
    FolderSearchSink* sink_ = nullptr;
    const std::atomic<bool>* cancel_ = nullptr;
    std::vector<char> buffer_;
};

}  // namespace vistrel
