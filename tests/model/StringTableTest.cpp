// The string table is spread over one file per area of the program; an id given two
// different texts would make one of them unreachable without anything else failing.
#include "res/StringTable.h"

#include <gtest/gtest.h>

#include <map>

namespace vistrel {
namespace {

TEST(StringTable, EveryIdNamesOneText) {
    std::map<int, std::string> seen;
    for (const auto area : res::allAreas()) {
        for (const auto& entry : area) {
            const auto [at, added] = seen.emplace(entry.id, entry.text);
            EXPECT_TRUE(added || at->second == entry.text) << "id " << entry.id << " holds \"" << at->second << "\" and \"" << entry.text << "\"";
        }
    }
}

}  // namespace
}  // namespace vistrel
