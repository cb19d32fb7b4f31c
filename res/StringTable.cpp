#include "res/StringTable.h"

#include <array>
#include <cstdio>

namespace vistrel::res {

namespace {

const StringEntry* find(int id) {
    for (auto area : allAreas()) {
        for (const auto& entry : area) {
            if (entry.id == id) return &entry;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const std::span<const StringEntry>> allAreas() {
    static const std::array areas = {modelStrings(),    projectorStrings(), shellStrings(),
                                     listStrings(),     editorStrings(),    dialogStrings(),
                                     runStrings(),      searchStrings(),    safetyStrings(),
                                     printStrings(),    lineStrings(),      lengthStrings(),
                                     historyStrings(),  mediaStrings(),     rehearsalStrings()};
    return areas;
}

const char* text(int id) {
    const StringEntry* entry = find(id);
    return entry ? entry->text : "";
}

bool has(int id) { return find(id) != nullptr; }

std::string formatInt(int id, int value) {
    const std::string pattern = text(id);
    std::string result;
    const auto at = pattern.find("%d");
    if (at == std::string::npos) return pattern;
    result = pattern.substr(0, at) + std::to_string(value) + pattern.substr(at + 2);
    return result;
}

std::string formatText(int id, const std::string& value) {
    std::string result = text(id);
    const auto at = result.find("%s");
    if (at != std::string::npos) result.replace(at, 2, value);
    return result;
}

}  // namespace vistrel::res
