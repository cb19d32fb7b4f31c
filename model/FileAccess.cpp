#include "model/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

namespace vistrel {

namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Symbolic links are followed far enough to find a loop, not further.
constexpr int MaxLinkDepth = 40;

// A fresh file in the folder of `target` (a rename across file systems would not be
// atomic), created exclusively so that no other file is reused. The name is short so
// that it fits wherever the target's name fits.
FileHandle createTemporaryBeside(const fs::path& target, fs::path& temporary) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target.parent_path() / (".vistrel-" + std::to_string(random() % 1000000000u) + ".tmp");
        if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return FileHandle(file);
    }
    return nullptr;
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
    fs::path temporary;
    FileHandle file = createTemporaryBeside(target, temporary);
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    ok = std::fflush(file.get()) == 0 && ok;
    ok = std::fclose(file.release()) == 0 && ok;

    if (ok) {
        // Keep the permissions the old file had.
        const fs::file_status old = fs::status(target, error);
        if (!error && fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
        error.clear();
        fs::rename(temporary, target, error);
        ok = !error;
    }
    if (!ok) fs::remove(temporary, error);
    return ok;
}

}  // namespace vistrel
