#pragma once
// The picture folder and the music chosen for each show, kept in the program's own
// state and never in the show file, so that show files stay exactly as they are. One
// small text file holds every show's choices, keyed by the show file's absolute path;
// the window program and vistrel-cli read the same file.
//
// File: a comment line, then one line per show: path, picture folder, music file,
// separated by tabs; a backslash, tab or line break inside a path is written as "\\",
// "\t" or "\n". An empty field means nothing was chosen. A picture folder inside the
// show's own folder is kept relative to it ("Bilder", "."), so that a show saved under
// another name beside a copy of its folder takes that copy.
#include <filesystem>
#include <string>
#include <vector>

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

    // What was chosen for `showFile` (absolute paths); nothing when the state file is
    // missing or unreadable.
    ShowMedia of(const std::filesystem::path& showFile) const;

    // What was chosen for `showFile`, less a folder or music that no longer exists:
    // those are forgotten (in the state file too, so that they are said only once) and
    // handed back in `vanished`.
    struct Checked {
        ShowMedia media;
        ShowMedia vanished;
    };
    Checked existingOf(const std::filesystem::path& showFile) const;

    // The show `from` was saved as `to` ("Speichern unter", `vistrel-cli save`): its
    // choices go along. A folder kept relative to `from` stays relative where `to` has
    // such a folder beside it, else it points to the folder beside `from`. Whatever was
    // chosen for an older file `to` is replaced. False when the state file cannot be
    // written.
    bool carryOver(const std::filesystem::path& from, const std::filesystem::path& to) const;
    // Keeps `media` for `showFile` (both empty: forgets the show). Other shows' choices
    // are kept as they are. False when the state file cannot be written.
    bool remember(const std::filesystem::path& showFile, const ShowMedia& media) const;
    // The chosen picture folder, else the show's default one (PictureFolder.h).
    std::filesystem::path resolvedPictureFolder(const std::filesystem::path& showFile) const;

    // The music a show has when none was chosen: a sound file beside it named like it
    // ("Urlaub.dpd" → "Urlaub.ogg"), the first of the endings the music dialog offers
    // that is a regular file; empty when there is none.
    static std::filesystem::path defaultMusicFile(const std::filesystem::path& showFile);

    // What a run of the show uses (the rehearsal, a video, fitting to the music): the
    // picture folder as resolvedPictureFolder() says and the music (else the default
    // music), after existingOf() has forgotten what is gone; `messages` say that, naming
    // the show by `showName`.
    struct Used {
        std::filesystem::path pictureFolder;
        std::string musicFile;
        std::vector<std::string> messages;
    };
    Used usedFor(const std::filesystem::path& showFile, const std::string& showName) const;

    // The key of a show: its absolute path with links and "." / ".." resolved as far as
    // the path exists, so that two ways of naming a file find the same choices.
    static std::string keyOf(const std::filesystem::path& showFile);

private:
    std::filesystem::path stateFile_;
};

// The German messages for choices that `existingOf` found gone, one per choice, naming
// the show by `showName`.
std::vector<std::string> vanishedMediaMessages(const ShowMedia& vanished, const std::string& showName);

}  // namespace vistrel
