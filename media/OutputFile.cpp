#include "media/OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "model/FileAccess.h"
#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"

namespace vistrel::media {

namespace {

std::string folderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

bool syncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

OutputFile::OutputFile(std::string targetPath) : targetPath_(std::move(targetPath)) {}

OutputFile::~OutputFile() { discard(); }

bool OutputFile::create() {
    // A link is followed, as a save does: the file it points to is replaced, the link stays.
    std::error_code ignored;
    if (std::filesystem::is_symlink(targetPath_, ignored)) {
        const auto resolved = std::filesystem::weakly_canonical(targetPath_, ignored);
        if (!resolved.empty()) targetPath_ = resolved.string();
    }
    const std::string folder = folderOf(targetPath_);
    // Found now rather than by the rename after all the work: a folder in the file's place.
    if (std::filesystem::is_directory(targetPath_, ignored)) {
        error_ = res::formatText(ids::VideoWriteFailed, targetPath_);
        return false;
    }
    if (!std::filesystem::is_directory(folder, ignored)) {
        error_ = res::formatText(ids::VideoFolderMissing, folder);
        return false;
    }
    // Named as a save names its temporary file, and like a save it first removes those of
    // killed writers: a video left half-written may be gigabytes.
    const int fd = openTemporaryFileBeside(targetPath_, temporaryPath_);
    if (fd < 0) {
        error_ = res::formatText(ids::VideoFolderNotWritable, folder);
        return false;
    }
    ::close(fd);
    pending_ = true;
    return true;
}

bool OutputFile::commit() {
    if (!pending_) return false;
    if (!syncPath(temporaryPath_, O_RDONLY)) {
        error_ = res::formatText(ids::VideoWriteFailed, targetPath_);
        discard();
        return false;
    }
    if (::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        error_ = res::formatText(ids::VideoWriteFailed, targetPath_);
        discard();
        return false;
    }
    pending_ = false;
    // The rename itself lives in the folder: without this a power cut could bring the old file back.
    syncPath(folderOf(targetPath_), O_RDONLY | O_DIRECTORY);
    return true;
}

void OutputFile::discard() {
    if (!pending_) return;
    ::unlink(temporaryPath_.c_str());
    pending_ = false;
}

}  // namespace vistrel::media
