#pragma once
// Whole-file reading and writing for the show and settings files. Writing goes to a
// temporary file in the same folder that is renamed over the old one only once it is
// complete, so a failed save never destroys the file that was there.
#include <cstddef>
#include <string>
#include <string_view>

namespace vistrel {

// Reads the whole file into `bytes`. Fails when it cannot be opened or read, when it
// is not a plain file (a folder, a device, a named pipe: none of them can hold the
// program), or when it holds more than `maxBytes` (nothing beyond that is read).
bool readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Replaces the file at `path` with `bytes`; a symbolic link is followed to its target,
// which is created when it does not exist yet. Refuses a file the user may not write
// (or that has no write permission at all) and anything that is not a plain file. On
// failure the previous file is untouched and no temporary file is left behind.
bool replaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace vistrel
