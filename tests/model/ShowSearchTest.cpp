// The rules both searches share: how a description is compared with the term, what
// the scan of a show file takes as title and description, and the steps of the
// search in the open show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/SearchTerm.h"
#include "model/ShowScan.h"
#include "model/ShowSearchStep.h"

namespace vistrel {
namespace {

struct MatchCase {
    const char* term;  // UTF-8, as typed
    bool matchCase;
    const char* description;  // Windows-1252
    bool matches;
};

TEST(SearchTerm, ComparesAsTheCodePageFoldsCase) {
    const MatchCase table[] = {
        {"sonne", false, "Sonnenuntergang", true},
        {"sonne", true, "Sonnenuntergang", false},
        {"Sonne", true, "Sonnenuntergang", true},
        {"titel", false, "Titel", true},
        {"titel", true, "Titel", false},
        {"GRÜN", false, "gr\xFCne Wiese", true},        // umlauts fold as well
        {"grün", true, "GR\xDC" "NE", false},
        {"straße", false, "STRASSE", false},             // ß has no capital to fold to
        {"éte", false, "\xC9TE", true},
        {"", false, "", true},                            // an empty term matches everything
        {"", true, "irgendwas", true},
        {" ", false, " ", true},                          // the blank of an empty list cell
        {"un ter", false, "Sonnenuntergang", false},      // one piece, not scattered
        {"gang", false, "Sonnenuntergang", true},
        {"?", false, "Wer?", true},
        {"中", false, "?", false},                        // no byte for it: no match, not a '?'
        {"Sonnenuntergang!", false, "Sonnenuntergang", false},
    };
    for (const MatchCase& c : table) {
        const SearchTerm term(c.term, c.matchCase);
        EXPECT_EQ(term.matches(c.description), c.matches) << c.term << (c.matchCase ? " (case) " : " ") << c.description;
        // The quick test over a whole file must never miss what the comparison finds.
        const std::string file = std::string("/h1 x\r\n/p 001 /c ") + c.description + "\r\n";
        if (c.matches) {
            EXPECT_TRUE(term.occursIn(file)) << c.term << " in " << c.description;
        }
    }
}

TEST(SearchTerm, QuickTestFindsTheTermAnywhereInAText) {
    const std::string text = "Ein langer Text mit Leuchtturm und Sonnenuntergang, dazu GR\xDCNE Wiesen";
    const std::pair<const char*, bool> table[] = {
        {"Ein", true}, {"wiesen", true}, {"leuchtturm", true}, {"grüne", true}, {"Untergang,", true},
        {"Leuchttürme", false}, {"Wiesen!", false}, {"xyz", false}, {"nn", true}, {"tt", true},
    };
    for (const auto& [termText, found] : table) {
        EXPECT_EQ(SearchTerm(termText, false).occursIn(text), found) << termText;
    }
    EXPECT_FALSE(SearchTerm("leuchtturm", true).occursIn(text));
    EXPECT_TRUE(SearchTerm("Leuchtturm", true).occursIn(text));
}

// A show file as the program writes it, with the title and the given descriptions.
std::string showText(const std::string& title, const std::vector<std::string>& descriptions) {
    std::string text = "/h1 " + title + "\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n";
    int number = 1;
    for (const std::string& description : descriptions) {
        char line[64];
        std::snprintf(line, sizeof line, "/p %03d %03d /d 025 /t 0055 /s 000 ", number, number);
        text += line;
        text += description.empty() ? "\r\n" : "/c " + description + "\r\n";
        ++number;
    }
    return text;
}

struct ScanCase {
    const char* name;
    std::string text;
    const char* term;
    bool matchCase;
    bool found;
    std::string description;
    std::string title;
};

TEST(ShowScan, TakesTheFirstMatchingDescriptionAndTheTitleReadBeforeIt) {
    const std::string longest(180, 'x');
    const std::string tooLong(181, 'x');
    const std::string longTitle(178, 't');
    const ScanCase table[] = {
        {"plain hit", showText("Urlaub", {"Titeldia", "Sonnenuntergang"}), "sonne", false, true, "Sonnenuntergang",
         " Urlaub"},
        {"case matters", showText("Urlaub", {"Sonnenuntergang"}), "sonne", true, false, "", ""},
        {"first of two hits", showText("U", {"Sonne am Meer", "Sonne im Wald"}), "Sonne", false, true,
         "Sonne am Meer", " U"},
        {"no hit", showText("U", {"Meer"}), "Wald", false, false, "", ""},
        {"180 characters take part", showText("U", {longest}), "x", false, true, longest, " U"},
        {"181 characters do not", showText("U", {tooLong}), "x", false, false, "", ""},
        {"a title of 179 characters", showText(longTitle, {"a"}), "a", false, true, "a", " " + longTitle},
        {"a longer title is not taken", "/h1 A\r\n/h1 " + std::string(179, 't') + "\r\n/p 001 /c a\r\n", "a",
         false, true, "a", " A"},
        {"a title after the hit is not its title", "/p 001 /c Sonne\r\n/h1 Sp\xE4t\r\n", "sonne", false, true,
         "Sonne", ""},
        {"the later title wins", "/h1 Eins\r\n/h1 Zwei\r\n/p 001 /c a\r\n", "a", false, true, "a", " Zwei"},
        {"tags in upper case", "/H1 Gro\xDF\r\n/P 001 /C Meer\r\n", "meer", false, true, "Meer", " Gro\xDF"},
        {"a description ends at a slash", "/h1 T\r\n/c Meer/Strand\r\n", "Strand", false, false, "", ""},
        {"the text after the slash is a tag of its own", "/h1 T/c Strand\r\n", "strand", false, true, "Strand",
         " T"},
        {"an empty term takes the first description", showText("T", {"", "zwei"}), "", false, true, "zwei", " T"},
        {"an empty description line matches the empty term",
         "/h1 T\r\n/p 001 /c \r\n", "", false, true, "", " T"},
        {"a description cut off by the end of the file", "/h1 T\r\n/p 001 /c Sonne", "sonne", false, false, "", ""},
        {"only /h1 is a title", "/h2 Zwei\r\n/h1\r\n/c x\r\n", "x", false, true, "x", ""},
        {"LF line ends run on to the next slash", "/h1 T\n/p 001 /c Meer\n/p 002\n", "meer", false, true,
         "Meer\n", " T\n"},
        {"a slash at the very end", "/h1 T\r\n/", "x", false, false, "", ""},
    };
    for (const ScanCase& c : table) {
        const SearchTerm term(c.term, c.matchCase);
        const auto hit = scanShowText(c.text, term);
        ASSERT_EQ(hit.has_value(), c.found) << c.name;
        if (!hit) continue;
        EXPECT_EQ(hit->description, c.description) << c.name;
        EXPECT_EQ(hit->title, c.title) << c.name;
    }
}

TEST(ShowScan, FindsTheSameInPiecesAsInOneBuffer) {
    // Titles and descriptions straddling every possible cut between two pieces.
    std::string text = showText("Reise", {"erste", std::string(170, 'a') + "Ziel", "Ziel zwei"});
    text += "/h1 Neuer Titel\r\n/p 009 /c " + std::string(175, 'b') + "ziel\r\n";
    for (const bool matchCase : {false, true}) {
        const SearchTerm term("ziel", matchCase);
        const auto whole = scanShowText(text, term);
        ASSERT_TRUE(whole.has_value());
        for (std::size_t cut = 1; cut < text.size(); ++cut) {
            ShowTextScanner scanner(term);
            std::string pending = text.substr(0, cut);
            const std::size_t done = scanner.scan(pending, false);
            ASSERT_LE(pending.size() - done, ShowTextScanner::Lookahead) << cut;
            if (!scanner.hit()) scanner.scan(pending.substr(done) + text.substr(cut), true);
            ASSERT_TRUE(scanner.hit().has_value()) << cut;
            EXPECT_EQ(scanner.hit()->description, whole->description) << cut;
            EXPECT_EQ(scanner.hit()->title, whole->title) << cut;
        }
    }
}

struct StepCase {
    int searchIndex;
    const char* term;
    int hitRow;
    int newIndex;
    int messageId;
};

TEST(ShowSearchStep, StartsAfterTheLastHitAndRunsOutWithoutWrappingAround) {
    const std::vector<std::string> rows = {"Titel", "Meer", " ", "Sonne", "Meer am Abend"};
    auto description = [&rows](int row) -> std::string_view { return rows[static_cast<std::size_t>(row)]; };
    const StepCase table[] = {
        {-1, "meer", 1, 1, 0},    // a new term starts at the top
        {1, "meer", 4, 4, 0},     // a repetition after the last hit
        {4, "meer", -1, -2, 1015},  // ran out after an earlier hit
        {-2, "meer", 1, 1, 0},    // after running out, from the top again
        {-1, "wald", -1, -2, 1014},  // a new search without any hit
        {-2, "wald", -1, -2, 1014},
        {-1, "", 0, 0, 0},        // an empty term: every row, one after the other
        {0, "", 1, 1, 0},
        {-1, " ", 2, 2, 0},       // the blank of an empty description
        {3, "titel", -1, -2, 1015},
    };
    for (const StepCase& c : table) {
        const ShowSearchStep step =
            nextSearchStep(c.searchIndex, static_cast<int>(rows.size()), description, SearchTerm(c.term, false));
        EXPECT_EQ(step.hitRow, c.hitRow) << c.searchIndex << " " << c.term;
        EXPECT_EQ(step.searchIndex, c.newIndex) << c.searchIndex << " " << c.term;
        EXPECT_EQ(step.messageId, c.messageId) << c.searchIndex << " " << c.term;
    }
}

}  // namespace
}  // namespace vistrel
