#pragma once
// The options the window program answers on the terminal without opening a window:
// "--help" and "--version" print their text and end the program, so they must be
// handled before the application object exists (which needs a display).
#include <optional>
#include <string>
#include <vector>

namespace vistrel {

// The text to print for `arguments` (without the program name), or nothing when the
// program is to start its windows. Only words before a "--" count as options.
std::optional<std::string> startOptionText(const std::vector<std::string>& arguments);

}  // namespace vistrel
