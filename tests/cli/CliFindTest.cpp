// vistrel-cli find, run as a user would run it: the output lines, the JSON shape,
// the exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/CliProcess.h"
#include "tests/search/SearchTree.h"

namespace vistrel::test {
namespace {

class CliFind : public ::testing::Test {
protected:
    std::string in(const std::string& relative) const { return tree.root() + "/" + relative; }
    SearchTree tree;
};

TEST_F(CliFind, PrintsOneLinePerFileWithDescriptionAndTitleInUtf8) {
    tree.show("shows/urlaub.dpd", "Urlaub an der K\xFCste", {"Titeldia", "Sonnenuntergang \xFC" "ber dem Meer", "Sonne"});
    tree.show("shows/alt/winter.DPD", "Winter", {"Schnee", "SONNE im Schnee"});
    tree.show("shows/leer.dpd", "Leer", {"nichts"});
    const CliResult r = runCliProcess({"find", in("shows"), "sonne"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, in("shows/alt/winter.DPD") + "\tSONNE im Schnee\tWinter\n" + in("shows/urlaub.dpd") +
                         "\tSonnenuntergang über dem Meer\tUrlaub an der Küste\n");
    // A FOLDER ending in "/" gets no second one.
    EXPECT_EQ(runCliProcess({"find", in("shows/"), "Sonne", "--match-case"}).out,
              in("shows/urlaub.dpd") + "\tSonnenuntergang über dem Meer\tUrlaub an der Küste\n");
}

TEST_F(CliFind, JsonCarriesTheCountersAndTheResults) {
    tree.show("a.dpd", "Eins", {"Ein \"Zitat\" und C:\\Pfad"});
    tree.file("b.dpd", std::string(2000, 'x'));
    tree.file("c.dpd", "");
    const CliResult r = runCliProcess({"find", tree.root(), "zitat", "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"term\": \"zitat\", \"matchCase\": false, \"filesExamined\": 2, \"kilobytes\": 2, "
                     "\"results\": [{\"path\": \"" + in("a.dpd") +
                         "\", \"description\": \"Ein \\\"Zitat\\\" und C:\\\\Pfad\", \"title\": \"Eins\"}]}\n");
    EXPECT_EQ(runCliProcess({"find", tree.root(), "nirgends", "--json", "--match-case"}).out,
              "{\"term\": \"nirgends\", \"matchCase\": true, \"filesExamined\": 2, \"kilobytes\": 2, \"results\": []}\n");
}

TEST_F(CliFind, ExitCodes) {
    tree.show("a.dpd", "T", {"x"});
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        bool saysSomething;
    };
    const Case table[] = {
        {{"find", tree.root(), "nirgends"}, 0, false},  // no hit is no error
        {{"find", in("missing"), "x"}, 1, true},         // a start folder that cannot be read
        {{"find", in("a.dpd"), "x"}, 1, true},
        {{"find", tree.root()}, 2, true},                // usage errors
        {{"find", tree.root(), "x", "--whole-word"}, 2, true},
        {{"find", tree.root(), "--", "--x"}, 0, false},  // a term that starts like an option
    };
    for (const Case& c : table) {
        const CliResult r = runCliProcess(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.arguments.back();
        EXPECT_EQ(!r.err.empty(), c.saysSomething) << c.arguments.back() << ": " << r.err;
    }
}

TEST_F(CliFind, AnEmptyTermListsTheFirstDescriptionOfEveryShow) {
    tree.show("a.dpd", "A", {"erste", "zweite"});
    tree.show("b.dpd", "B", {"dritte"});
    EXPECT_EQ(runCliProcess({"find", tree.root(), ""}).out,
              in("a.dpd") + "\terste\tA\n" + in("b.dpd") + "\tdritte\tB\n");
}

}  // namespace
}  // namespace vistrel::test
