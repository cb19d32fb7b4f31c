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

#include "model/FileReplacement.h"

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
    FileReplacement file;
    if (!file.begin(path)) return false;
    if (!writeAll(file.descriptor(), bytes)) return false;  // the replacement removes its temporary file
    return file.commit();
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
