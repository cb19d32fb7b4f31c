#pragma once
// Whether two documents hold the same show, as far as a show file can say: the header
// texts, the line count and every line's values and description (not the change marks,
// which no file keeps). Used by the save→reopen tests and the reader's fuzz target.
#include <string>

#include "model/CVistrelDoc.h"

namespace vistrel::test {

// An empty text when both hold the same show, else where they first differ.
inline std::string showDifference(const CVistrelDoc& a, const CVistrelDoc& b) {
    const auto text = [](const auto& fixed) { return std::string(fixed.view()); };
    if (text(a.header.title) != text(b.header.title)) return "title";
    if (text(a.header.description) != text(b.header.description)) return "description";
    if (text(a.header.descriptionContinued) != text(b.header.descriptionContinued)) return "description continued";
    if (text(a.header.storageLocation) != text(b.header.storageLocation)) return "storage location";
    if (text(a.header.moduleNumber) != text(b.header.moduleNumber)) return "module number";
    if (a.lineCount != b.lineCount) {
        return "line count " + std::to_string(a.lineCount) + " against " + std::to_string(b.lineCount);
    }
    for (int i = 0; i < a.lineCount; ++i) {
        const ProgramLine& x = a.lines[static_cast<std::size_t>(i)];
        const ProgramLine& y = b.lines[static_cast<std::size_t>(i)];
        const std::string at = "line " + std::to_string(i + 1) + ": ";
        if (text(x.programNumber) != text(y.programNumber)) return at + "program number";
        if (x.slideNumber != y.slideNumber) return at + "slide number";
        if (x.dissolveTime != y.dissolveTime) return at + "dissolve time";
        if (x.timerTime != y.timerTime) return at + "timer";
        if (x.specialFunction != y.specialFunction) return at + "special function";
        if (text(x.description) != text(y.description)) return at + "description";
    }
    return {};
}

}  // namespace vistrel::test
