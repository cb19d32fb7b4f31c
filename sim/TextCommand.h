#pragma once
// A text command as the projector reads it: letters, optionally a colon and a
// decimal argument ("GZ:005", "AZ"). Leading and trailing blanks and line feeds are
// ignored; anything else that does not fit is not a command.
#include <optional>
#include <string>

namespace vistrel::sim {

struct TextCommand {
    std::string name;  // in capitals
    std::optional<int> argument;

    static std::optional<TextCommand> parse(const std::string& text);
};

}  // namespace vistrel::sim
