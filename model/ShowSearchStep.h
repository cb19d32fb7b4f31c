#pragma once
// One step of the search in the open show, on the descriptions as the list shows
// them: where it starts, what it finds, what the show remembers for the next step and
// which message tells of a search that found nothing more. There is no wrap-around;
// once a search has run out, the next step starts again at the first row.
#include <functional>
#include <string_view>

#include "model/SearchTerm.h"

namespace vistrel {

struct ShowSearchStep {
    int hitRow = -1;         // the row to select, -1 for none
    int searchIndex = -1;    // what the show's search index becomes
    int messageId = 0;       // the message to show (none when 0)
};

// `searchIndex`: -1 before the first search of a term, the row of the last hit, or -2
// after a search that ran out. `description(row)` is the row's description cell
// (Windows-1252).
ShowSearchStep nextSearchStep(int searchIndex, int rowCount, const std::function<std::string_view(int)>& description,
                              const SearchTerm& term);

}  // namespace vistrel
