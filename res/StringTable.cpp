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
                                     historyStrings(),  mediaStrings(),     rehearsalStrings(),
                                     waitStrings(),     stateStrings()};
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

std::string formatArgs(int id, std::initializer_list<std::string> args) {
    const std::string pattern = text(id);
    std::string result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            result += *(args.begin() + index);
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

std::string formatText(int id, const std::string& value) { return formatArgs(id, {value}); }

}  // namespace vistrel::res
