#include "cli/RowSelection.h"

#include <algorithm>
#include <charconv>

namespace vistrel::cli {

namespace {

// Far above the 999 lines a show can hold, low enough that a range stays small.
constexpr int kHighestRow = 100000;

std::optional<int> lineNumber(std::string_view text) {
    int value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < 1 || value > kHighestRow) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::vector<int>> parseRowSelection(std::string_view text, std::string& error) {
    std::vector<int> rows;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
        const std::size_t dash = item.find('-');
        const auto first = lineNumber(item.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : lineNumber(item.substr(dash + 1));
        if (!first || !last || *last < *first) {
            error = "'" + std::string(item) + "' is not a line number or range of line numbers (e.g. 2-5,9)";
            return std::nullopt;
        }
        for (int line = *first; line <= *last; ++line) rows.push_back(line - 1);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::optional<std::string> rowsOutsideShow(const std::vector<int>& rows, int lineCount) {
    if (rows.empty() || rows.back() < lineCount) return std::nullopt;
    return "line " + std::to_string(rows.back() + 1) + " is not in the show (it has " + std::to_string(lineCount) +
           " lines)";
}

}  // namespace vistrel::cli
