#include "model/ShowSearchStep.h"

#include "res/strings/SearchStrings.h"

namespace vistrel {

ShowSearchStep nextSearchStep(int searchIndex, int rowCount, const std::function<std::string_view(int)>& description,
                              const SearchTerm& term) {
    const int start = searchIndex + 1 > 0 ? searchIndex + 1 : 0;
    for (int row = start; row < rowCount; ++row) {
        if (term.matches(description(row))) return {row, row, 0};
    }
    // Which of the two messages depends only on whether an earlier step had a hit.
    return {-1, -2, searchIndex < 0 ? ids::NoFurtherData : ids::NoMatchingRecords};
}

}  // namespace vistrel
