#include "model/ShowMediaChoices.h"

#include <map>
#include <system_error>
#include <utility>

#include "model/FileAccess.h"
#include "model/PictureFolder.h"
#include "res/StringTable.h"
#include "res/strings/StateStrings.h"

namespace vistrel {

namespace {

constexpr std::size_t MaxStateBytes = 16u << 20;
constexpr char Header[] = "# Vistrel: Bilderordner und Musik je Diaschau\n";

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            default: out += text[i];
        }
    }
    return out;
}

using ChoiceMap = std::map<std::string, ShowMedia>;

// Lines that do not have three fields are left out; the others are kept as read.
ChoiceMap readChoices(const std::filesystem::path& file) {
    ChoiceMap choices;
    std::string bytes;
    if (!readWholeFile(file.string(), MaxStateBytes, bytes)) return choices;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        const std::string_view line(bytes.data() + pos, end - pos);
        pos = end + 1;
        if (line.empty() || line.front() == '#') continue;
        const std::size_t firstTab = line.find('\t');
        const std::size_t secondTab = firstTab == std::string_view::npos ? firstTab : line.find('\t', firstTab + 1);
        if (secondTab == std::string_view::npos) continue;
        ShowMedia media{unescaped(line.substr(firstTab + 1, secondTab - firstTab - 1)),
                        unescaped(line.substr(secondTab + 1))};
        choices[unescaped(line.substr(0, firstTab))] = std::move(media);
    }
    return choices;
}

// The folder of the show a key names.
std::filesystem::path showFolderOf(const std::string& key) { return std::filesystem::path(key).parent_path(); }

// A folder inside the show's folder as kept in the file: relative to it.
std::string keptFolder(const std::string& folder, const std::string& key) {
    if (folder.empty()) return folder;
    const std::filesystem::path absolute = ShowMediaChoices::keyOf(folder);
    const std::filesystem::path relative = absolute.lexically_relative(showFolderOf(key));
    if (relative.empty() || *relative.begin() == "..") return absolute.string();
    return relative.string();
}

// A kept folder as the program uses it: absolute.
std::string usedFolder(const std::string& kept, const std::string& key) {
    if (kept.empty() || std::filesystem::path(kept).is_absolute()) return kept;
    std::filesystem::path folder = (showFolderOf(key) / kept).lexically_normal();
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();  // "a/b/." → "a/b"
    return folder.string();
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error)) && !error;
}

bool writeChoices(const std::filesystem::path& stateFile, const ChoiceMap& choices) {
    std::string bytes = Header;
    for (const auto& [show, chosen] : choices) {
        bytes += escaped(show) + '\t' + escaped(chosen.pictureFolder) + '\t' + escaped(chosen.musicFile) + '\n';
    }
    std::error_code error;
    std::filesystem::create_directories(stateFile.parent_path(), error);
    return replaceFileContents(stateFile.string(), bytes);
}

}  // namespace

ShowMediaChoices::ShowMediaChoices(std::filesystem::path stateFile) : stateFile_(std::move(stateFile)) {}

std::string ShowMediaChoices::keyOf(const std::filesystem::path& showFile) {
    std::error_code error;
    std::filesystem::path key = std::filesystem::weakly_canonical(showFile, error);
    if (error) key = std::filesystem::absolute(showFile, error).lexically_normal();
    return key.string();
}

ShowMedia ShowMediaChoices::of(const std::filesystem::path& showFile) const {
    const ChoiceMap choices = readChoices(stateFile_);
    const std::string key = keyOf(showFile);
    const auto found = choices.find(key);
    if (found == choices.end()) return {};
    return {usedFolder(found->second.pictureFolder, key), found->second.musicFile};
}

bool ShowMediaChoices::remember(const std::filesystem::path& showFile, const ShowMedia& media) const {
    ChoiceMap choices = readChoices(stateFile_);
    const std::string key = keyOf(showFile);
    if (media == ShowMedia{}) {
        if (!choices.erase(key)) return true;
    } else {
        choices[key] = {keptFolder(media.pictureFolder, key), media.musicFile};
    }
    return writeChoices(stateFile_, choices);
}

ShowMediaChoices::Checked ShowMediaChoices::existingOf(const std::filesystem::path& showFile) const {
    Checked checked{of(showFile), {}};
    ShowMedia& media = checked.media;
    if (!media.pictureFolder.empty() && !isFolder(media.pictureFolder)) {
        checked.vanished.pictureFolder = std::exchange(media.pictureFolder, {});
    }
    if (!media.musicFile.empty() && !exists(media.musicFile)) {
        checked.vanished.musicFile = std::exchange(media.musicFile, {});
    }
    // Forgotten even when the state file cannot be written: the message is said anyway.
    if (!(checked.vanished == ShowMedia{})) remember(showFile, media);
    return checked;
}

bool ShowMediaChoices::carryOver(const std::filesystem::path& from, const std::filesystem::path& to) const {
    const std::string fromKey = keyOf(from);
    const std::string toKey = keyOf(to);
    if (fromKey == toKey) return true;
    const ChoiceMap choices = readChoices(stateFile_);
    const auto found = choices.find(fromKey);
    ShowMedia media;
    if (found != choices.end()) {
        media = found->second;
        const std::string besideNew = usedFolder(media.pictureFolder, toKey);
        media.pictureFolder = isFolder(besideNew) ? besideNew : usedFolder(media.pictureFolder, fromKey);
    }
    return remember(to, media);
}

ShowMediaChoices::Used ShowMediaChoices::usedFor(const std::filesystem::path& showFile,
                                                  const std::string& showName) const {
    const Checked checked = existingOf(showFile);
    Used used;
    used.pictureFolder = checked.media.pictureFolder.empty() ? defaultPictureFolder(showFile)
                                                             : std::filesystem::path(checked.media.pictureFolder);
    used.musicFile =
        checked.media.musicFile.empty() ? defaultMusicFile(showFile).string() : checked.media.musicFile;
    used.messages = vanishedMediaMessages(checked.vanished, showName);
    return used;
}

std::vector<std::string> vanishedMediaMessages(const ShowMedia& vanished, const std::string& showName) {
    std::vector<std::string> messages;
    if (!vanished.pictureFolder.empty())
        messages.push_back(res::formatArgs(ids::ChosenFolderGone, {vanished.pictureFolder, showName}));
    if (!vanished.musicFile.empty())
        messages.push_back(res::formatArgs(ids::ChosenMusicGone, {vanished.musicFile, showName}));
    return messages;
}

std::filesystem::path ShowMediaChoices::defaultMusicFile(const std::filesystem::path& showFile) {
    const std::string named = showPathWithoutEnding(showFile).string();
    for (const char* ending : {".ogg", ".oga", ".opus", ".flac", ".mp3", ".wav", ".m4a", ".aac", ".wma"}) {
        const std::filesystem::path candidate = named + ending;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}

std::filesystem::path ShowMediaChoices::resolvedPictureFolder(const std::filesystem::path& showFile) const {
    const ShowMedia media = of(showFile);
    if (!media.pictureFolder.empty()) return media.pictureFolder;
    return defaultPictureFolder(showFile);
}

}  // namespace vistrel
