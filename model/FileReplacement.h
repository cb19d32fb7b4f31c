#pragma once
// The one way every writer of the program replaces a file: shows, settings, the PDF of a
// printout and videos alike. The new contents go to a hidden temporary file beside the
// target (".vistrel-<pid>.tmp"), which takes the target's place only once it is complete
// and on the disk; until then the old file stays exactly as it was, and a failed or
// abandoned write leaves nothing behind.
//
// Only a plain file of the user's may be replaced. A device, a named pipe, a socket, a
// symbolic link to any of those, a link loop and a read-only file are refused before
// anything is written: renaming over them would silently put a file where the user had
// something else.
#include <string>

namespace vistrel {

class FileReplacement {
public:
    enum class Problem {
        None,
        NotReplaceable,     // not a plain file, or one the user may not write
        IsFolder,           // a folder stands where the file should go
        FolderMissing,      // the folder the file should go to does not exist
        FolderNotWritable,  // the temporary file cannot be made there
        WriteFailed,        // flushing or renaming failed
    };

    FileReplacement() = default;
    ~FileReplacement();  // removes a temporary file that was never committed
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Checks `path` (a symbolic link is followed to the file it names, which is created
    // when it does not exist yet) and creates the empty temporary file. False with
    // `problem()` set when the file may not be replaced.
    bool begin(const std::string& path);
    // The open temporary file, for the caller to write; closed by commit() or discard().
    int descriptor() const { return fd_; }
    const std::string& temporaryPath() const { return temporaryPath_; }
    // The file that will be replaced: where the links end.
    const std::string& targetPath() const { return targetPath_; }

    // Flushes the temporary file, gives it the permissions the old file had, renames it
    // over the target and flushes the folder.
    bool commit();
    // Removes the temporary file; the target is left alone.
    void discard();

    Problem problem() const { return problem_; }
    int errorCode() const { return errorCode_; }  // errno of the failing call, 0 when none

private:
    bool fail(Problem problem, int code);
    void closeDescriptor();

    std::string targetPath_;
    std::string temporaryPath_;
    int fd_ = -1;
    bool pending_ = false;
    Problem problem_ = Problem::None;
    int errorCode_ = 0;
};

}  // namespace vistrel
