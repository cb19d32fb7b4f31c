#pragma once
// Whole-file reading and writing for the show and settings files. Writing goes to a
// temporary file in the same folder that is renamed over the old one only once it is
// complete and on the disk, so neither a failed save nor a power cut destroys the file
// that was there. The temporary file is hidden and named after the writing process
// (".vistrel-<pid>.tmp"); one that a killed process left behind is removed by the next
// write to its folder.
#include <cstddef>
#include <string>
#include <string_view>

namespace vistrel {

// Reads the whole file into `bytes`. Fails when it cannot be opened or read, when it
// is not a plain file (a folder, a device, a named pipe: none of them can hold the
// program), or when it holds more than `maxBytes` (nothing beyond that is read).
bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Replaces the file at `path` with `bytes` through a `FileReplacement`: a symbolic link
// is followed to its target, which is created when it does not exist yet. Refuses a
// file the user may not write (or that has no write permission at all) and anything
// that is not a plain file. On failure the previous file is untouched and no temporary
// file is left behind.
bool replaceFileContents(const std::string& path, std::string_view bytes);

// Creates the hidden temporary file a write to `target` goes to first, in the same folder
// (a rename across file systems would not be atomic), after removing the temporaries of
// writers that are gone. Returns the open descriptor, or -1 (errno says why), and the
// file's path in `temporaryPath`.
int openTemporaryFileBeside(const std::string& target, std::string& temporaryPath);

// Removes the temporary files in `folder` whose writing process is gone. Called by every
// write; `ownPid` is this process (its own files may be in use).
void removeAbandonedTemporaries(const std::string& folder, long ownPid);

// The process that wrote the temporary file `name` (a file name without folder), or
// -1 when the name is no temporary file of ours.
long temporaryFileWriter(std::string_view name);

// True when both paths lead to one and the same existing file (links followed, hard
// links too): an output that is the input would destroy the input.
bool isSameFile(const std::string& first, const std::string& second);

}  // namespace vistrel
