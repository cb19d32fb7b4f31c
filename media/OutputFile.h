#pragma once
// A file that appears under its name only once it is complete. It is written under a
// hidden temporary name in the same folder (".vistrel-<process id>.tmp", so that a
// file left by a killed process can be told apart from one still being written) and
// renamed over the target at the end, after it reached the disk; the folder is then
// flushed too. Until then the target stays exactly as it was, and a failed or
// cancelled file is removed.
#include <string>

namespace vistrel::media {

class OutputFile {
public:
    explicit OutputFile(std::string targetPath);
    ~OutputFile();  // removes a temporary file that was never committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the (empty) temporary file; on failure `error()` says why in German.
    bool create();
    const std::string& temporaryPath() const { return temporaryPath_; }
    const std::string& targetPath() const { return targetPath_; }

    // Flushes the temporary file to the disk and renames it over the target.
    bool commit();
    // Removes the temporary file; the target is left alone.
    void discard();

    const std::string& error() const { return error_; }

private:
    std::string targetPath_;
    std::string temporaryPath_;
    std::string error_;
    bool pending_ = false;
};

}  // namespace vistrel::media
