#pragma once
// The --rows ROWS option of the commands that work on selected rows (copy, length,
// scale): "2-5,9" selects the program lines 2, 3, 4, 5 and 9, as if they were the
// rows selected in the program list.
#include <string>
#include <variant>
#include <vector>

#include "cli/CommandRegistry.h"

namespace vistrel::cli {

// --rows ROWS with its help text.
OptionDefinition rowsOption();

// The rows of `text` as ascending, distinct, 0-based row indices of a show with
// `lineCount` lines, or the one-line reason why it names none (for a usage error):
// an empty item, a number that is not one, a range that runs backwards, a row
// outside the show.
std::variant<std::vector<int>, std::string> parseRows(const std::string& text, int lineCount);

}  // namespace vistrel::cli
