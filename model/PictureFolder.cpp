#include "model/PictureFolder.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

namespace vistrel {

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Letters of any script: ASCII letters and the bytes of UTF-8 sequences ("Übersicht 3").
bool isLetterOrBlank(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == ' ' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || byte >= 0x80;
}

// Nine digits always fit an int; longer runs are no slide number anyone uses.
constexpr std::size_t MaxSlideDigits = 9;

}  // namespace

bool isPictureExtension(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    std::string lower(extension);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    static constexpr std::string_view known[] = {"jpg", "jpeg", "png", "bmp", "tif", "tiff", "webp"};
    return std::find(std::begin(known), std::end(known), lower) != std::end(known);
}

bool isPictureFileName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot != std::string_view::npos && dot != 0 && isPictureExtension(fileName.substr(dot + 1));
}

std::optional<int> slideNumberOfPictureName(std::string_view fileName) {
    if (!isPictureFileName(fileName)) return std::nullopt;
    const std::size_t dot = fileName.rfind('.');
    const std::string_view stem = fileName.substr(0, dot);
    std::size_t pos = 0;
    while (pos < stem.size() && isLetterOrBlank(stem[pos])) ++pos;
    const std::size_t digitsStart = pos;
    while (pos < stem.size() && isAsciiDigit(stem[pos])) ++pos;
    const std::size_t digits = pos - digitsStart;
    if (digits == 0) return std::nullopt;
    // Leading zeros do not count against the limit: "0000012" is slide 12.
    std::size_t first = digitsStart;
    while (first + 1 < pos && stem[first] == '0') ++first;
    if (pos - first > MaxSlideDigits) return std::nullopt;
    int value = 0;
    for (std::size_t i = first; i < pos; ++i) value = value * 10 + (stem[i] - '0');
    return value;
}

namespace {

// A link named like a picture that leads nowhere (a loop, a missing target): kept as the
// slide's picture, so that reading it fails and is said, instead of a silent card.
bool isBrokenLink(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) return false;
    return !std::filesystem::exists(std::filesystem::status(path, error));
}

}  // namespace

PictureFolder PictureFolder::scan(const std::filesystem::path& folder) {
    PictureFolder result;
    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    if (!std::filesystem::exists(status)) {
        result.state_ = State::Missing;
        return result;
    }
    if (!std::filesystem::is_directory(status)) {
        result.state_ = State::NotAFolder;
        return result;
    }
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        result.state_ = State::Unreadable;
        return result;
    }
    std::vector<std::string> names;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error) break;  // what was listed so far still counts
        std::string name = it->path().filename().string();
        if (isPictureFileName(name)) names.push_back(std::move(name));
    }
    result.readable_ = !error;
    if (error) result.state_ = State::Unreadable;
    std::sort(names.begin(), names.end());  // std::string compares bytes
    for (const std::string& name : names) {
        const std::filesystem::path path = folder / name;
        // Only files can be pictures; a folder named "12.jpg" is not one, nor a pipe.
        // Links count as what they point to.
        const bool file = std::filesystem::is_regular_file(path, error);
        if (!file && !isBrokenLink(path)) continue;
        if (file) result.pictureFiles_.push_back(name);
        const std::optional<int> slide = slideNumberOfPictureName(name);
        if (!slide || *slide == 0 || result.pictures_.contains(*slide)) continue;
        result.pictures_.emplace(*slide, path);
    }
    return result;
}

std::optional<std::filesystem::path> PictureFolder::pictureOf(int slide) const {
    const auto found = pictures_.find(slide);
    if (found == pictures_.end()) return std::nullopt;
    return found->second;
}

bool holdsNumberedPictures(const std::filesystem::path& folder) { return !PictureFolder::scan(folder).empty(); }

std::filesystem::path showPathWithoutEnding(const std::filesystem::path& showFile) {
    std::error_code error;
    std::filesystem::path show = std::filesystem::absolute(showFile, error);
    if (error) show = showFile;
    std::string name = show.filename().string();
    if (name.size() > 4) {
        std::string ending = name.substr(name.size() - 4);
        std::transform(ending.begin(), ending.end(), ending.begin(), lowerAscii);
        if (ending == ".dpd") name.resize(name.size() - 4);
    }
    return show.parent_path() / name;
}

std::filesystem::path defaultPictureFolder(const std::filesystem::path& showFile) {
    const std::filesystem::path named = showPathWithoutEnding(showFile);
    if (holdsNumberedPictures(named.parent_path())) return named.parent_path();
    return named;
}

}  // namespace vistrel
