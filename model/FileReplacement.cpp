#include "model/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "model/FileAccess.h"

namespace vistrel {

namespace {

namespace fs = std::filesystem;

// Symbolic links are followed far enough to find a loop, not further.
constexpr int MaxLinkDepth = 40;

// The file a write to `path` must replace or create: the path itself, or where its chain
// of symbolic links ends, whether that file exists yet or not. False for a loop.
bool resolveTarget(const fs::path& path, fs::path& target) {
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

// The rename is only on the disk once the folder is; a folder that cannot be opened
// for that (no read permission) keeps the rename in the cache a little longer.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool syncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

FileReplacement::~FileReplacement() { discard(); }

bool FileReplacement::fail(Problem problem, int code) {
    problem_ = problem;
    errorCode_ = code;
    return false;
}

void FileReplacement::closeDescriptor() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

bool FileReplacement::begin(const std::string& path) {
    discard();
    problem_ = Problem::None;
    errorCode_ = 0;
    fs::path target;
    if (!resolveTarget(fs::path(path), target)) return fail(Problem::NotReplaceable, ELOOP);
    targetPath_ = target.string();

    // A file that is there may only be replaced when the user may write it: renaming over
    // it would otherwise replace a file that is read-only, or someone else's, without a
    // word. A file without any write permission counts as read-only even for the
    // administrator.
    struct stat info {};
    if (::stat(targetPath_.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return fail(Problem::IsFolder, EISDIR);
        if (!S_ISREG(info.st_mode)) return fail(Problem::NotReplaceable, EINVAL);
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return fail(Problem::NotReplaceable, EACCES);
        if (::access(targetPath_.c_str(), W_OK) != 0) return fail(Problem::NotReplaceable, errno);
    } else if (errno != ENOENT) {
        return fail(Problem::NotReplaceable, errno);
    }

    const fs::path folder = target.parent_path();
    std::error_code ignored;
    if (!fs::is_directory(folder.empty() ? fs::path(".") : folder, ignored)) return fail(Problem::FolderMissing, ENOENT);
    fd_ = openTemporaryFileBeside(targetPath_, temporaryPath_);
    if (fd_ < 0) return fail(Problem::FolderNotWritable, errno);
    pending_ = true;
    return true;
}

bool FileReplacement::commit() {
    if (!pending_) return false;
    // On the disk before the rename: otherwise a power cut right after it can leave an
    // empty file where the old one was.
    bool synced = true;
    if (fd_ >= 0) {
        synced = ::fsync(fd_) == 0;
        synced = ::close(std::exchange(fd_, -1)) == 0 && synced;
    } else {
        synced = syncFile(temporaryPath_);
    }
    if (!synced) {
        const int code = errno;
        discard();
        return fail(Problem::WriteFailed, code);
    }
    // Keep the permissions the old file had.
    std::error_code error;
    const fs::file_status old = fs::status(targetPath_, error);
    if (!error && fs::exists(old)) fs::permissions(temporaryPath_, old.permissions(), error);
    if (::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        const int code = errno;
        discard();
        return fail(Problem::WriteFailed, code);
    }
    pending_ = false;
    syncFolder(fs::path(targetPath_).parent_path());
    return true;
}

void FileReplacement::discard() {
    closeDescriptor();
    if (!pending_) return;
    ::unlink(temporaryPath_.c_str());
    pending_ = false;
}

}  // namespace vistrel
