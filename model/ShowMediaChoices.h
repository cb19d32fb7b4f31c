#pragma once
// The picture folder and the music chosen for each show, kept in the program's own
// state and never in the show file, so that show files stay exactly as they are. One
// small text file holds every show's choices, keyed by the show file's absolute path;
// the window program and vistrel-cli read the same file.
//
// File: a comment line, then one line per show: path, picture folder, music file,
// separated by tabs; a backslash, tab or line break inside a path is written as "\\",
// "\t" or "\n". An empty field means nothing was chosen.
#include <filesystem>
#include <string>

namespace vistrel {

struct ShowMedia {
    std::string pictureFolder;  // empty: none chosen
    std::string musicFile;      // empty: none chosen
    bool operator==(const ShowMedia&) const = default;
};

class ShowMediaChoices {
public:
    // `stateFile` is where the choices are kept (AppPaths' showMediaFilePath()).
    explicit ShowMediaChoices(std::filesystem::path stateFile);

    // What was chosen for `showFile`; nothing when the state file is missing or unreadable.
    ShowMedia of(const std::filesystem::path& showFile) const;
    // Keeps `media` for `showFile` (both empty: forgets the show). Other shows' choices
    // are kept as they are. False when the state file cannot be written.
    bool remember(const std::filesystem::path& showFile, const ShowMedia& media) const;
    // The chosen picture folder, else the show's default one (PictureFolder.h).
    std::filesystem::path resolvedPictureFolder(const std::filesystem::path& showFile) const;
    // The chosen music, else the show's default music; empty when there is neither.
    std::filesystem::path resolvedMusicFile(const std::filesystem::path& showFile) const;

    // The music a show has when none was chosen: a sound file beside it named like it
    // ("Urlaub.dpd" → "Urlaub.ogg"), the first of the endings the music dialog offers
    // that is a regular file; empty when there is none.
    static std::filesystem::path defaultMusicFile(const std::filesystem::path& showFile);

    // The key of a show: its absolute path with links and "." / ".." resolved as far as
    // the path exists, so that two ways of naming a file find the same choices.
    static std::string keyOf(const std::filesystem::path& showFile);

private:
    std::filesystem::path stateFile_;
};

}  // namespace vistrel
