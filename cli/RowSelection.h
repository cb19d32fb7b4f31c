#pragma once
// The rows a command line names: "2-5,9" is program lines 2 to 5 and 9, counted from
// 1 as the list numbers them. The result is 0-based row indices, ascending, each once.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vistrel::cli {

// The rows of `text`, or nothing with `error` set when it is not such a list
// (empty items, 0, a range running backwards, anything but digits, '-' and ',').
std::optional<std::vector<int>> parseRowSelection(std::string_view text, std::string& error);

// An error text when a row lies beyond a show of `lineCount` lines, else nothing.
std::optional<std::string> rowsOutsideShow(const std::vector<int>& rows, int lineCount);

}  // namespace vistrel::cli
