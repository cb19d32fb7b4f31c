#pragma once
// The desktop's clipboard as the program uses it: plain text only. Texts here are
// Windows-1252 bytes, as the show keeps them; the implementation converts to and from
// what the desktop carries (UTF-8 on Linux), a character Windows-1252 cannot hold
// arriving as "?".
#include <optional>
#include <string>
#include <string_view>

namespace vistrel {

class Clipboard {
public:
    // The step at which putting a text on the clipboard failed.
    enum class Failure { None, Open, Empty, SetData, Close };

    virtual ~Clipboard() = default;

    virtual Failure setText(std::string_view text) = 0;
    // The clipboard's plain text; nothing when it holds none.
    virtual std::optional<std::string> text() = 0;
};

}  // namespace vistrel
