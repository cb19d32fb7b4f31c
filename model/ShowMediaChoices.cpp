#include "model/ShowMediaChoices.h"

#include <map>
#include <system_error>
#include <utility>

#include "model/FileAccess.h"
#include "model/PictureFolder.h"

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
    const auto found = choices.find(keyOf(showFile));
    return found == choices.end() ? ShowMedia{} : found->second;
}

bool ShowMediaChoices::remember(const std::filesystem::path& showFile, const ShowMedia& media) const {
    ChoiceMap choices = readChoices(stateFile_);
    const std::string key = keyOf(showFile);
    if (media == ShowMedia{}) {
        if (!choices.erase(key)) return true;
    } else {
        choices[key] = media;
    }
    std::string bytes = Header;
    for (const auto& [show, chosen] : choices) {
        bytes += escaped(show) + '\t' + escaped(chosen.pictureFolder) + '\t' + escaped(chosen.musicFile) + '\n';
    }
    std::error_code error;
    std::filesystem::create_directories(stateFile_.parent_path(), error);
    return replaceFileContents(stateFile_.string(), bytes);
}

std::filesystem::path ShowMediaChoices::resolvedMusicFile(const std::filesystem::path& showFile) const {
    const ShowMedia media = of(showFile);
    if (!media.musicFile.empty()) return media.musicFile;
    return defaultMusicFile(showFile);
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
