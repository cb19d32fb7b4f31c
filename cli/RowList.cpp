#include "cli/RowList.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace vistrel::cli {

namespace {

// A row number of at most nine digits, nothing else.
bool rowNumber(std::string_view text, int& number) {
    if (text.empty() || text.size() > 9) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && text.front() != '-' && text.front() != '+';
}

}  // namespace

OptionDefinition rowsOption() {
    return valueOption("rows", "ROWS",
                       "the rows taken as selected: 1-based program line numbers and ranges, "
                       "separated by commas, e.g. 2-5,9");
}

std::variant<std::vector<int>, std::string> parseRows(const std::string& text, int lineCount) {
    std::vector<int> rows;
    std::string_view rest = text;
    while (true) {
        const auto comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const auto dash = item.find('-');
        int first = 0;
        int last = 0;
        const bool ok = dash == std::string_view::npos
                            ? rowNumber(item, first) && (last = first, true)
                            : rowNumber(item.substr(0, dash), first) && rowNumber(item.substr(dash + 1), last);
        if (!ok) return "ROWS must be row numbers and ranges like 2-5,9, not '" + text + "'";
        if (first > last) return "the range " + std::string(item) + " runs backwards";
        if (first < 1 || last > lineCount) {
            return "row " + std::to_string(first < 1 ? first : last) + " is not in the show, which has " +
                   std::to_string(lineCount) + (lineCount == 1 ? " line" : " lines");
        }
        for (int row = first; row <= last; ++row) rows.push_back(row - 1);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace vistrel::cli
