#include "model/PictureCheck.h"

#include <algorithm>
#include <set>

#include "model/CVistrelDoc.h"
#include "model/PictureFolder.h"
#include "res/StringTable.h"
#include "res/strings/RehearsalStrings.h"

namespace vistrel {

namespace {

std::string filled(int id, const std::vector<std::string>& values) {
    std::string text = res::text(id);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string placeholder = "%" + std::to_string(i + 1);
        const auto at = text.find(placeholder);
        if (at != std::string::npos) text.replace(at, placeholder.size(), values[i]);
    }
    return text;
}

// "4, 9, 13", cut after `limit` entries: "4, 9, 13 und 7 weitere".
template <typename T, typename Text>
std::string listed(const std::vector<T>& items, std::size_t limit, Text text) {
    std::string joined;
    const std::size_t shown = std::min(items.size(), std::max<std::size_t>(limit, 1));
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) joined += ", ";
        joined += text(items[i]);
    }
    if (shown < items.size()) joined += filled(ids::PictureCheckMore, {std::to_string(items.size() - shown)});
    return joined;
}

}  // namespace

PictureCheck checkPictures(const CVistrelDoc& doc, const std::filesystem::path& folder) {
    const PictureFolder pictures = PictureFolder::scan(folder);
    PictureCheck check;
    check.folder = folder;
    check.folderReadable = pictures.readable();

    std::set<int> used;
    std::set<std::string> usedFiles;
    const int lineCount = std::clamp(doc.lineCount, 0, MaxProgramLines);
    for (int i = 0; i < lineCount; ++i) {
        const int slide = doc.lines[static_cast<std::size_t>(i)].slideNumber;
        PictureCheck::Line line{i + 1, slide, {}};
        if (slide != 0) {
            used.insert(slide);
            if (const auto path = pictures.pictureOf(slide)) line.file = path->filename().string();
        }
        if (!line.file.empty()) usedFiles.insert(line.file);
        check.lines.push_back(std::move(line));
    }
    for (int slide : used) {
        if (pictures.pictureOf(slide)) {
            ++check.withPicture;
        } else {
            check.slidesWithout.push_back(slide);
        }
    }
    check.slides = static_cast<int>(used.size());
    for (const std::string& name : pictures.pictureFiles()) {
        if (!usedFiles.contains(name)) check.unused.push_back(name);
    }
    return check;
}

std::string pictureFolderProblem(const PictureCheck& check) {
    if (check.folderReadable) return {};
    return filled(ids::PictureFolderUnreadable, {check.folder.string()});
}

std::string pictureCheckMessage(const PictureCheck& check, std::size_t listLimit) {
    std::string message;
    if (check.slidesWithout.empty()) {
        message = filled(ids::PictureCheckAll, {std::to_string(check.withPicture), std::to_string(check.slides)});
    } else {
        const std::string without =
            listed(check.slidesWithout, listLimit, [](int slide) { return std::to_string(slide); });
        message =
            filled(ids::PictureCheckSome, {std::to_string(check.withPicture), std::to_string(check.slides), without});
    }
    if (!check.unused.empty()) {
        message += "\n";
        message += filled(ids::PictureCheckUnused,
                          {listed(check.unused, listLimit, [](const std::string& name) { return name; })});
    }
    return message;
}

}  // namespace vistrel
