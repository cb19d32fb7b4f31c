#include "search/FolderSearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/ShowScan.h"
#include "res/StringTable.h"
#include "res/strings/SafetyStrings.h"

namespace vistrel {

namespace {

// A show file is read in pieces of this size; most fit into one.
constexpr std::size_t ChunkSize = 256 * 1024;

struct Entry {
    std::string name;
    unsigned char type;  // DT_* as the folder reports it
};

bool hasShowExtension(const std::string& name) {
    if (name.size() < 4) return false;
    const char* tail = name.data() + name.size() - 4;
    return tail[0] == '.' && (tail[1] | 0x20) == 'd' && (tail[2] | 0x20) == 'p' && (tail[3] | 0x20) == 'd';
}

class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() {
        if (fd_ >= 0) ::close(fd_);
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int fd_;
};

// A failure that means the walk could not read something that is there; a file or
// folder that vanished meanwhile is no loss worth a word.
bool isReadFailure(int error) { return error != ENOENT && error != ENOTDIR; }

// The entries of an open folder, "." and ".." left out, in byte order of their names.
// `fd` stays open (and owned by the caller). `complete` turns false when the folder
// could not be listed (whole or in part).
std::vector<Entry> readEntries(int fd, bool& complete) {
    std::vector<Entry> entries;
    complete = false;
    const int own = ::dup(fd);
    if (own < 0) return entries;
    DIR* dir = ::fdopendir(own);
    if (!dir) {
        ::close(own);
        return entries;
    }
    // A folder that fails half way gives what was read up to there.
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        entries.push_back({name, entry->d_type});
        errno = 0;
    }
    complete = errno == 0;
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return entries;
}

// The walk keeps one folder open per level of the tree. Under the usual soft limit of
// 1024 open files a deeper tree would lose everything below that depth without a word,
// so the walk takes what the hard limit allows.
void allowAllOpenFiles() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max) return;
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);  // if refused, the walk goes as deep as it can
}

}  // namespace

std::string unreadableNote(const FolderSearchCounters& counters) {
    std::string parts;
    if (counters.foldersUnreadable > 0)
        parts = res::formatArgs(ids::SearchUnreadableFolders, {std::to_string(counters.foldersUnreadable)});
    if (counters.filesUnreadable > 0) {
        if (!parts.empty()) parts += " und ";
        parts += counters.filesUnreadable == 1
                     ? std::string(res::text(ids::SearchUnreadableFile))
                     : res::formatArgs(ids::SearchUnreadableFiles, {std::to_string(counters.filesUnreadable)});
    }
    if (parts.empty()) return {};
    return res::formatArgs(ids::SearchUnreadable, {parts});
}

struct FolderSearch::Ancestor {
    dev_t device;
    ino_t inode;
    const Ancestor* parent;
};

FolderSearch::FolderSearch(const std::string& termUtf8, bool matchCase) : term_(termUtf8, matchCase) {}

std::string FolderSearch::withSeparator(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') return folder;
    return folder + '/';
}

bool FolderSearch::run(const std::string& startFolder, FolderSearchSink& sink, const std::atomic<bool>* cancel) {
    counters_ = {};
    sink_ = &sink;
    cancel_ = cancel;
    allowAllOpenFiles();
    // The start folder may itself be reached through a link: the user chose it.
    const int fd = ::open(startFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    FdCloser closer(fd);
    std::string path = withSeparator(startFolder);
    walkFolder(fd, path, nullptr);
    return true;
}

void FolderSearch::walkFolder(int folderFd, std::string& path, const Ancestor* ancestors) {
    struct stat self {};
    if (::fstat(folderFd, &self) != 0) return;
    for (const Ancestor* a = ancestors; a; a = a->parent) {
        if (a->device == self.st_dev && a->inode == self.st_ino) return;
    }
    const Ancestor here{self.st_dev, self.st_ino, ancestors};

    const std::size_t pathLength = path.size();
    bool listed = true;
    const std::vector<Entry> entries = readEntries(folderFd, listed);
    if (!listed) ++counters_.foldersUnreadable;
    for (const Entry& entry : entries) {
        if (cancelled()) return;
        unsigned char type = entry.type;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(folderFd, entry.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
                // Without the right to look into this folder nothing in it can be told apart.
                if (isReadFailure(errno) && hasShowExtension(entry.name)) ++counters_.filesUnreadable;
                continue;
            }
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : S_ISREG(st.st_mode) ? DT_REG : DT_FIFO;
        }
        if (type == DT_DIR) {
            // O_NOFOLLOW: a folder swapped for a link meanwhile is not followed either.
            const int sub = ::openat(folderFd, entry.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub < 0) {
                // ELOOP: a folder swapped for a link, which the walk does not follow anyway.
                if (isReadFailure(errno) && errno != ELOOP) ++counters_.foldersUnreadable;
                continue;
            }
            FdCloser closer(sub);
            path.append(entry.name).push_back('/');
            walkFolder(sub, path, &here);
            path.resize(pathLength);
        } else if ((type == DT_REG || type == DT_LNK) && hasShowExtension(entry.name)) {
            path.append(entry.name);
            examineFile(folderFd, entry.name, type == DT_LNK, path);
            path.resize(pathLength);
        }
    }
}

void FolderSearch::examineFile(int folderFd, const std::string& name, bool isLink, std::string& path) {
    // Type and size before anything is opened: opening a device or a FIFO can block
    // or act on the device. A link counts as the file it leads to; a link to a folder
    // is not followed.
    struct stat st {};
    if (::fstatat(folderFd, name.c_str(), &st, isLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
        // A dangling link or a file that vanished is nothing to read; anything else is.
        if (isReadFailure(errno)) ++counters_.filesUnreadable;
        return;
    }
    if (!S_ISREG(st.st_mode) || st.st_size <= 0 || st.st_size >= SizeLimit) return;

    ++counters_.filesExamined;
    std::optional<ShowHit> hit;
    // O_NONBLOCK: should the file have been swapped for a FIFO since, the open does not wait.
    const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    bool readFailed = fd < 0 && isReadFailure(errno);
    if (fd >= 0) {
        FdCloser closer(fd);
        struct stat opened {};
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)) hit = scanFile(fd, opened.st_size, readFailed);
    }
    if (readFailed) ++counters_.filesUnreadable;
    sink_->fileExamined(counters_);
    if (hit) sink_->found(FolderHit{path, std::move(hit->description), std::move(hit->title)}, counters_);
}

std::optional<ShowHit> FolderSearch::scanFile(int fd, std::int64_t size, bool& readFailed) {
    ShowTextScanner scanner(term_);
    const std::size_t wanted = std::min<std::size_t>(static_cast<std::size_t>(size), ChunkSize);
    if (buffer_.size() < wanted + ShowTextScanner::Lookahead) buffer_.resize(wanted + ShowTextScanner::Lookahead);

    std::int64_t read = 0;
    std::size_t kept = 0;  // bytes of the last piece still to be scanned
    for (;;) {
        const ssize_t n = ::read(fd, buffer_.data() + kept, buffer_.size() - kept);
        if (n < 0) {
            if (errno == EINTR) continue;
            readFailed = true;
            break;  // a read error ends the file; what was read counts
        }
        read += n;
        const std::size_t length = kept + static_cast<std::size_t>(n);
        // The size told before opening spares the extra read that would only report the end.
        const bool atEnd = n == 0 || read >= size;
        const std::string_view piece(buffer_.data(), length);
        // A file read in one piece is first tested as a whole: most files do not hold
        // the term at all and need no walk through their tags.
        if (atEnd && kept == 0 && read == n && !term_.occursIn(piece)) break;
        const std::size_t done = scanner.scan(piece, atEnd);
        if (atEnd || scanner.hit()) break;
        if (cancelled()) break;
        kept = length - done;
        std::memmove(buffer_.data(), buffer_.data() + done, kept);
    }
    // A hit ends the scan, not the file: the counter tells what the search covered.
    counters_.bytesRead += scanner.hit() ? std::max(read, size) : read;
    return scanner.hit();
}

}  // namespace vistrel
