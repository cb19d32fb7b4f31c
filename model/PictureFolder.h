#pragma once
// Where a slide's picture is found: in a folder of picture files whose names begin
// with the slide number ("12.jpg", "012.JPG", "Dia 012.tif", "012-Sonnenuntergang.png"
// all stand for slide 12). Plain file-system work, no image is opened here.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vistrel {

// The extensions that count as pictures: jpg, jpeg, png, bmp, tif, tiff, webp, in
// any case, with or without the leading dot.
bool isPictureExtension(std::string_view extension);

// A name with a picture extension and something before its dot: a picture file, whether
// it stands for a slide or not.
bool isPictureFileName(std::string_view fileName);

// The slide number a picture file's name stands for: the name before its extension,
// after optional letters and blanks, must begin with a run of digits. Names without
// such digits, with another extension or with no name before the dot give none.
std::optional<int> slideNumberOfPictureName(std::string_view fileName);

// The pictures of one folder, scanned once: for each slide the first file (names in
// byte order) that stands for it. Slide 0 never has a picture. A folder, a pipe or a
// device named like a picture is none; a link named like one that leads nowhere (a
// loop, a missing target) counts, so that it is found unreadable where the picture is
// read and said there rather than left out in silence. A folder that cannot be read
// gives an empty list and says so in state().
class PictureFolder {
public:
    enum class State { Listed, Missing, NotAFolder, Unreadable };

    static PictureFolder scan(const std::filesystem::path& folder);

    State state() const { return state_; }

    std::optional<std::filesystem::path> pictureOf(int slide) const;
    const std::map<int, std::filesystem::path>& pictures() const { return pictures_; }
    bool empty() const { return pictures_.empty(); }
    // The names of every picture file of the folder (files only, links followed), in
    // byte order, also those that stand for no slide.
    const std::vector<std::string>& pictureFiles() const { return pictureFiles_; }
    // False when the folder could not be listed (missing, no folder, no permission).
    bool readable() const { return readable_; }

private:
    std::map<int, std::filesystem::path> pictures_;
    std::vector<std::string> pictureFiles_;
    bool readable_ = false;
    State state_ = State::Listed;
};

// The folder holds at least one numbered picture.
bool holdsNumberedPictures(const std::filesystem::path& folder);

// Where a show's pictures are looked for when none was chosen: the show's own folder if
// it holds numbered pictures, else the folder beside the show named like it without
// ".dpd" ("Urlaub.dpd" → "Urlaub/"), whether that exists or not.
std::filesystem::path defaultPictureFolder(const std::filesystem::path& showFile);

// The show's absolute path without its ".dpd" ending ("/a/Urlaub.dpd" → "/a/Urlaub"): the
// name of what belongs to the show beside it (its picture folder, its music).
std::filesystem::path showPathWithoutEnding(const std::filesystem::path& showFile);

}  // namespace vistrel
