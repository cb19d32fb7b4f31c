#pragma once
// Shows made up in a test: one row per line with slide, dissolve, timer and code.
#include <memory>
#include <vector>

#include "model/CVistrelDoc.h"

namespace vistrel::test {

struct Line {
    int slide, dissolve, timer, code;
};

inline std::unique_ptr<CVistrelDoc> showOf(const std::vector<Line>& lines) {
    auto doc = std::make_unique<CVistrelDoc>();  // fixed storage for every line: off the stack
    for (const Line& l : lines) {
        doc->lines[static_cast<std::size_t>(doc->lineCount++)] =
            ProgramLine{"", l.slide, l.dissolve, l.timer, l.code, "", 0};
    }
    return doc;
}

}  // namespace vistrel::test
