// vistrel-cli find, run as a user would run it: the output lines, the JSON shape,
// the exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/search/SearchTree.h"

namespace vistrel::test {
namespace {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliFind : public ::testing::Test {
protected:
    // Runs vistrel-cli with `arguments` (already quoted for the shell) in the tree's root.
    CliRun run(const std::string& arguments) {
        const std::string out = tree.root() + ".out";
        const std::string err = tree.root() + ".err";
        const std::string command = "cd '" + tree.root() + "' && '" + std::string(VISTREL_CLI) + "' " + arguments +
                                    " >'" + out + "' 2>'" + err + "'";
        const int status = std::system(command.c_str());
        CliRun result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
        std::filesystem::remove(out);
        std::filesystem::remove(err);
        return result;
    }
    SearchTree tree;
};

TEST_F(CliFind, PrintsOneLinePerFileWithDescriptionAndTitleInUtf8) {
    tree.show("shows/urlaub.dpd", "Urlaub an der K\xFCste", {"Titeldia", "Sonnenuntergang \xFC" "ber dem Meer", "Sonne"});
    tree.show("shows/alt/winter.DPD", "Winter", {"Schnee", "SONNE im Schnee"});
    tree.show("shows/leer.dpd", "Leer", {"nichts"});
    const CliRun r = run("find shows sonne");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "shows/alt/winter.DPD\tSONNE im Schnee\t Winter\n"
              "shows/urlaub.dpd\tSonnenuntergang über dem Meer\t Urlaub an der Küste\n");
    EXPECT_EQ(run("find shows/ Sonne --match-case").out,
              "shows/urlaub.dpd\tSonnenuntergang über dem Meer\t Urlaub an der Küste\n");
}

TEST_F(CliFind, JsonCarriesTheCountersAndTheResults) {
    tree.show("a.dpd", "Eins", {"Ein \"Zitat\" und C:\\Pfad"});
    tree.file("b.dpd", std::string(2000, 'x'));
    tree.file("c.dpd", "");
    const CliRun r = run("find . zitat --json");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"term\": \"zitat\", \"matchCase\": false, \"filesExamined\": 2, \"kilobytes\": 2, \"results\": "
              "[{\"path\": \"./a.dpd\", \"description\": \"Ein \\\"Zitat\\\" und C:\\\\Pfad\", \"title\": \" Eins\"}]}\n");
    EXPECT_EQ(run("find . nirgends --json --match-case").out,
              "{\"term\": \"nirgends\", \"matchCase\": true, \"filesExamined\": 2, \"kilobytes\": 2, \"results\": []}\n");
}

TEST_F(CliFind, ExitCodes) {
    tree.show("a.dpd", "T", {"x"});
    struct Case {
        const char* arguments;
        int exitCode;
        bool saysSomething;
    };
    const Case table[] = {
        {"find . nirgends", 0, false},             // no hit is no error
        {"find missing x", 1, true},               // a start folder that cannot be read
        {"find a.dpd x", 1, true},
        {"find .", 2, true},                       // usage errors
        {"find . x --whole-word", 2, true},
        {"find . -- --x", 0, false},               // a term that starts like an option
    };
    for (const Case& c : table) {
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(!r.err.empty(), c.saysSomething) << c.arguments << ": " << r.err;
    }
}

TEST_F(CliFind, AnEmptyTermListsTheFirstDescriptionOfEveryShow) {
    tree.show("a.dpd", "A", {"erste", "zweite"});
    tree.show("b.dpd", "B", {"dritte"});
    EXPECT_EQ(run("find . ''").out, "./a.dpd\terste\t A\n./b.dpd\tdritte\t B\n");
}

}  // namespace
}  // namespace vistrel::test
