// The string table is spread over one file per area of the program; an id given two
// different texts would make one of them unreachable without anything else failing.
#include "res/StringTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

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

TEST(StringTable, OurTextsPlaceTheirValuesAsNumberedPlaceholders) {
    // Only a text taken over word for word keeps a printf placeholder.
    const std::map<int, std::string> wordForWord = {{2100, "Fehlernummer %d bekommen"}};
    for (const auto area : res::allAreas()) {
        for (const auto& entry : area) {
            const std::string text = entry.text;
            bool printfStyle = false;
            for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
                const char next = at + 1 < text.size() ? text[at + 1] : '\0';
                if (std::isalpha(static_cast<unsigned char>(next))) printfStyle = true;
            }
            const auto kept = wordForWord.find(entry.id);
            if (kept != wordForWord.end()) {
                EXPECT_EQ(text, kept->second);
            } else {
                EXPECT_FALSE(printfStyle) << "id " << entry.id << ": \"" << text << "\"";
            }
        }
    }
}

TEST(StringTable, PlaceholdersAreFilledAsTheTextPlacesThem) {
    const std::pair<std::string, std::string> cases[] = {
        {res::formatText(4047, "show.mp4"), "Das Video show.mp4 ist fertig."},
        // A value is put in as it is, even one that looks like a placeholder.
        {res::formatText(4000, "/tmp/a%1b.wav"), "Die Musikdatei /tmp/a%1b.wav wurde nicht gefunden."},
        {res::formatArgs(3729, {"3"}), "3 Ordner"},
        {res::formatInt(2100, 7), "Fehlernummer 7 bekommen"},
    };
    for (const auto& [filled, expected] : cases) EXPECT_EQ(filled, expected);
}

}  // namespace
}  // namespace vistrel
