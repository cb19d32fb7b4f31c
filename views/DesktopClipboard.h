#pragma once
// The desktop's clipboard for the program list's copy, cut and paste. It carries
// Unicode text (UTF-8 on Linux); the show's Windows-1252 bytes are converted here,
// and a character Windows-1252 cannot hold arrives as "?".
#include "platform/Clipboard.h"

namespace vistrel {

class DesktopClipboard final : public Clipboard {
public:
    Failure setText(std::string_view text) override;
    std::optional<std::string> text() override;
};

}  // namespace vistrel
