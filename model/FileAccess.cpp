#include "model/FileAccess.h"

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

}  // namespace

bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    char chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        if (n > 0) {
            if (bytes.size() + n > maxBytes) {
                bytes.clear();
                return false;
            }
            bytes.append(chunk, n);
        }
        if (n < sizeof chunk) break;
    }
    if (std::ferror(file.get())) {  // a folder, a device that fails, an I/O error
        bytes.clear();
        return false;
    }
    return true;
}

bool replaceFileContents(const std::string& path, std::string_view bytes) {
    std::error_code error;
    fs::path target(path);
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::canonical(target, error);
        if (error) return false;
        target = resolved;
    }

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
