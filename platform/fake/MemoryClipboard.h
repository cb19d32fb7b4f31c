#pragma once
// Test stand-in for the desktop's clipboard: holds one text, and fails on request.
#include <optional>
#include <string>

#include "platform/Clipboard.h"

namespace vistrel {

class MemoryClipboard final : public Clipboard {
public:
    Failure setText(std::string_view text) override {
        ++writes;
        if (failure != Failure::None) {
            // The platform's clipboard is emptied before the failing step puts anything there.
            if (failure != Failure::Open && failure != Failure::Empty) content.reset();
            return failure;
        }
        content = std::string(text);
        return Failure::None;
    }
    std::optional<std::string> text() override { return content; }

    std::optional<std::string> content;
    Failure failure = Failure::None;
    int writes = 0;
};

}  // namespace vistrel
