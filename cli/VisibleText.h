#pragma once
// What vistrel-cli prints comes partly from files and file names, and a control
// character in there would reach the terminal as a command of its own (colours, cursor
// moves, a cleared screen, another window title). Every such character is printed as
// a visible escape instead: "\x1b" for the C0 codes and DEL, "\u009b" for the C1 codes
// (U+0080 to U+009F). JSON output already carries them as JSON escapes.
#include <string>
#include <string_view>

namespace vistrel::cli {

enum class Layout {
    Kept,     // line breaks ("\n", "\r\n") and tabs that lay out the output stay
    Escaped,  // one field of a line: they are escaped too
};

// `utf8` with its control characters made visible.
std::string visibleText(std::string_view utf8, Layout layout = Layout::Kept);

}  // namespace vistrel::cli
