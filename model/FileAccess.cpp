#include "model/FileAccess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace vistrel {

namespace {

namespace fs = std::filesystem;

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, for the error close() may report.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// Symbolic links are followed far enough to find a loop, not further.
constexpr int MaxLinkDepth = 40;

constexpr std::string_view TemporaryPrefix = ".vistrel-";
constexpr std::string_view TemporarySuffix = ".tmp";

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The rename is only on the disk once the folder is; a folder that cannot be opened
// for that (no read permission) keeps the rename in the cache a little longer.
void syncFolder(const fs::path& folder) {
    const Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

// The file a save to `path` must replace or create: the path itself, or where its chain
// of symbolic links ends, whether that file exists yet or not. False for a loop.
bool resolveSaveTarget(const fs::path& path, fs::path& target) {
    target = path;
    std::error_code error;
    for (int depth = 0; depth < MaxLinkDepth; ++depth) {
        if (!fs::is_symlink(fs::symlink_status(target, error))) return true;
        const fs::path next = fs::read_symlink(target, error);
        if (error) return false;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return false;
}

// A file that is there may only be replaced when the user may write it: renaming over it
// would otherwise replace a file that is read-only, or someone else's, without a word.
// A file without any write permission counts as read-only even for the administrator.
// Only plain files are replaced; a folder, a device or a named pipe is not a show file.
bool mayReplace(const fs::path& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return errno == ENOENT;
    if (!S_ISREG(info.st_mode)) return false;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return ::access(target.c_str(), W_OK) == 0;
}

}  // namespace

bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    // Opened without waiting, so that a named pipe or a device cannot hold the program;
    // then only a plain file is read.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) return false;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) return false;

    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            bytes.clear();  // an I/O error
            return false;
        }
        if (n == 0) break;
        // The size may have grown since fstat: the limit still holds.
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            bytes.clear();
            return false;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return true;
}

bool replaceFileContents(const std::string& path, std::string_view bytes) {
    fs::path target;
    if (!resolveSaveTarget(fs::path(path), target) || !mayReplace(target)) return false;
    std::error_code error;
    std::string temporaryPath;
    Descriptor file(openTemporaryFileBeside(target.string(), temporaryPath));
    if (file.get() < 0) return false;
    const fs::path temporary(temporaryPath);
    // On the disk before the rename: otherwise a power cut right after it can leave an
    // empty file where the old show was.
    bool ok = writeAll(file.get(), bytes);
    ok = ok && ::fsync(file.get()) == 0;
    ok = file.close() && ok;

    if (ok) {
        // Keep the permissions the old file had.
        const fs::file_status old = fs::status(target, error);
        if (!error && fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
        error.clear();
        fs::rename(temporary, target, error);
        ok = !error;
    }
    if (!ok) {
        fs::remove(temporary, error);
        return false;
    }
    syncFolder(target.parent_path());
    return true;
}

long temporaryFileWriter(std::string_view name) {
    if (name.size() <= TemporaryPrefix.size() + TemporarySuffix.size() || !name.starts_with(TemporaryPrefix) ||
        !name.ends_with(TemporarySuffix)) {
        return -1;
    }
    std::string_view middle = name.substr(TemporaryPrefix.size(), name.size() - TemporaryPrefix.size() -
                                                                      TemporarySuffix.size());
    // "<pid>" or "<pid>-<n>".
    const auto dash = middle.find('-');
    std::string_view pid = middle.substr(0, dash);
    const std::string_view number = dash == std::string_view::npos ? std::string_view() : middle.substr(dash + 1);
    const auto allDigits = [](std::string_view text) {
        return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!allDigits(pid) || (dash != std::string_view::npos && !allDigits(number))) return -1;
    return std::stol(std::string(pid));
}

// Created exclusively, so that no other file is reused. The name carries this process's
// id, so that a later write can tell whether its writer is still alive; a second write of
// the same process in the same folder gets a running number after it.
int openTemporaryFileBeside(const std::string& target, std::string& temporaryPath) {
    const fs::path folder = fs::path(target).parent_path();
    const long pid = static_cast<long>(::getpid());
    removeAbandonedTemporaries(folder.empty() ? "." : folder.string(), pid);
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::string number = attempt == 0 ? std::string() : "-" + std::to_string(attempt);
        temporaryPath = (folder / (std::string(TemporaryPrefix) + std::to_string(pid) + number +
                                   std::string(TemporarySuffix))).string();
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void removeAbandonedTemporaries(const std::string& folder, long ownPid) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const long writer = temporaryFileWriter(name);
        if (writer <= 0 || writer == ownPid) continue;
        // A process that exists (even one of another user, EPERM) may still be writing.
        if (::kill(static_cast<pid_t>(writer), 0) == 0 || errno != ESRCH) continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
    }
}

bool isSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace vistrel
