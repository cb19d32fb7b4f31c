// vistrel-cli's show commands, run as a user would run them.
#include <unistd.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

std::string data(const std::string& name) { return std::string(VISTREL_TEST_DATA) + "/" + name; }

class VistrelCli : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vistrel-cli-test-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    CliRun run(const std::string& arguments) {
        const std::string command = std::string("'") + VISTREL_CLI + "' " + arguments + " >'" +
                                    (folder_ / "out").string() + "' 2>'" + (folder_ / "err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(folder_ / "out"), slurp(folder_ / "err")};
    }
    std::string file(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

TEST_F(VistrelCli, ShowJsonMatchesTheGoldenFiles) {
    const std::pair<std::string, std::string> table[] = {
        {"model/lenient.dpd", "model/lenient.json"},
        {"--convert-dos-umlauts=0 model/lenient.dpd --use-500watt-times=1", "model/lenient-no-dos.json"},
        {"model/lenient.dpd --convert-dos-umlauts=1", "model/lenient.json"},
    };
    for (const auto& [arguments, golden] : table) {
        std::string args = arguments;
        const auto at = args.find("model/lenient.dpd");
        args.replace(at, 17, "'" + data("model/lenient.dpd") + "'");
        const CliRun r = run("show --json " + args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, slurp(data(golden))) << arguments;
    }
}

TEST_F(VistrelCli, ShowTimerDefaultFollowsTheOption) {
    const CliRun on = run("show --json '" + data("model/lenient.dpd") + "'");
    const CliRun off = run("show --json --use-500watt-times=0 '" + data("model/lenient.dpd") + "'");
    EXPECT_NE(on.out.find("\"slideNumber\": 7, \"dissolveTime\": 15, \"timerTime\": 55"), std::string::npos);
    EXPECT_NE(off.out.find("\"slideNumber\": 7, \"dissolveTime\": 15, \"timerTime\": 40"), std::string::npos);
}

TEST_F(VistrelCli, ShowPrintsTheClipboardForm) {
    const CliRun r = run("show '" + data("sample.dpd") + "'");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out,
              "title: Urlaub 2001\ndescription: Sommerreise an die Ostsee\ndescriptionContinued: \n"
              "storageLocation: Schrank 2\nmoduleNumber: 7\n"
              "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n"
              "001\t  12\t    2.5\t    5.5\t  0\tTiteldia\t\r\n"
              "002\t  13\t    3.0\t    0.0\t  100\t \t\r\n");
}

TEST_F(VistrelCli, ControlCharactersFromTheFileArePrintedAsVisibleEscapes) {
    // An escape sequence that would clear the terminal, a bell and the Windows-1252
    // byte 0x9D, which becomes the C1 code U+009D.
    std::ofstream(file("hostile.dpd"), std::ios::binary)
        << "/h1 A\x1b[2JB\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a 7\r\n"
           "/p 001 012 /d 025 /t 0055 /s 000 /c x\x07yz\x9d!\r\n";
    const struct {
        const char* options;
        const char* expected;
    } table[] = {
        {"", "title: A\\x1b[2JB\n"},
        {"", "001\t  12\t    2.5\t    5.5\t  0\tx\\x07yz\\u009d!\t\r\n"},
        {"--json ", "\"title\": \"A\\u001b[2JB\""},
        {"--json ", "\"description\": \"x\\u0007yz\\u009d!\""},
    };
    for (const auto& row : table) {
        const CliRun r = run(std::string("show ") + row.options + "'" + file("hostile.dpd") + "'");
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_NE(r.out.find(row.expected), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
        EXPECT_EQ(r.out.find('\x07'), std::string::npos);
        EXPECT_EQ(r.out.find("\xc2\x9d"), std::string::npos);
    }
}

TEST_F(VistrelCli, SaveWritesTheProgramsOwnBytes) {
    ASSERT_EQ(run("save '" + data("sample.dpd") + "' '" + file("copy.dpd") + "'").exitCode, 0);
    EXPECT_EQ(slurp(file("copy.dpd")), slurp(data("sample.dpd")));

    ASSERT_EQ(run("save '" + data("model/lenient.dpd") + "' '" + file("lenient") + "'").exitCode, 0);
    const std::string written = slurp(file("lenient"));  // no ".dpd" added: the name is the caller's
    EXPECT_EQ(written.rfind("/h1 Ferien \xE4 1999\r\n/h2 Erste Zeile\r\n/h3 \r\n/h4 \r\n/a 12\r\n", 0), 0u);
    EXPECT_NE(written.find("/p 001 005 /d 030 /t 0060 /s 041 \r\n"), std::string::npos);
    EXPECT_NE(written.find("/c Quote \" and \\ back\r\n"), std::string::npos);
}

TEST_F(VistrelCli, NewWritesAnEmptyShowWhereSaveWould) {
    std::filesystem::create_directories(file("ordner"));
    std::ofstream(file("schreibgeschuetzt.dpd")) << "alt";
    std::filesystem::permissions(file("schreibgeschuetzt.dpd"), std::filesystem::perms::owner_read);
    std::ofstream(file("alt.dpd")) << "alt";
    const struct {
        std::string out;        // in the scratch folder
        std::string options;
        int exitCode;
        std::string written;    // the file's bytes afterwards
    } table[] = {
        {"leer.dpd", "", 0, "/h1 \r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n"},
        {"titel.dpd", " --title 'Sommer \xc3\xa4 2001'", 0, "/h1 Sommer \xe4 2001\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n"},
        {"alt.dpd", " --title Neu", 0, "/h1 Neu\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n"},
        {"schreibgeschuetzt.dpd", "", 1, "alt"},
        {"ordner", "", 1, ""},
    };
    for (const auto& row : table) {
        const CliRun r = run("new '" + file(row.out) + "'" + row.options);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.out;
        if (!row.written.empty()) {
            EXPECT_EQ(slurp(file(row.out)), row.written) << row.out;
        }
        EXPECT_EQ(r.err, row.exitCode == 0 ? std::string()
                                           : "vistrel-cli: " + file(row.out) +
                                                 ": Die Datei konnte nicht unter dem angegebenden Pfad gespeichert "
                                                 "werden.\n")
            << row.out;
    }
    // What `new` wrote reads back without a word.
    const CliRun shown = run("show '" + file("titel.dpd") + "'");
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.err, "");
}

TEST_F(VistrelCli, SfPrintsOneTextPerCode) {
    const CliRun r = run("sf 0 15 160 5 999");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "\n5 Sek. einblenden\nAutoreverse + Ab-/Aufblenden\n5\nunbekannter SF-Code\n");
}

TEST_F(VistrelCli, FailuresAndUsageErrors) {
    const CliRun missing = run("show '" + file("missing.dpd") + "'");
    EXPECT_EQ(missing.exitCode, 1);
    // The message as one line, led by the file it is about.
    EXPECT_EQ(missing.err,
              "vistrel-cli: " + file("missing.dpd") + ": Die angegebende Vistrel-Datei konnte nicht geladen werden.\n");
    EXPECT_TRUE(missing.out.empty());

    const CliRun unwritable = run("save '" + data("sample.dpd") + "' '" + file("no/such/x.dpd") + "'");
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(unwritable.err, "vistrel-cli: " + file("no/such/x.dpd") +
                                  ": Die Datei konnte nicht unter dem angegebenden Pfad gespeichert werden.\n");


    for (const char* usage : {"show", "show a b", "show a --json=1", "show a --use-500watt-times=2",
                              "save a", "sf", "sf 1x", "sf 99999999999"}) {
        EXPECT_EQ(run(usage).exitCode, 2) << usage;
    }
}

}  // namespace
