// vistrel-cli print, run as a user runs it: the PDF it writes, its messages and exit codes.
#include <unistd.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "tests/cli/CliProcess.h"

namespace {

namespace fs = std::filesystem;
using vistrel::test::readWholeFile;

void spit(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string data(const std::string& name) { return std::string(VISTREL_TEST_DATA) + "/" + name; }

int pageCount(const std::string& pdf) {
    static const std::regex page("/Type /Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

class CliPrint : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vistrel-print-test-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "config");
        // Standard settings of its own, and neither a display nor a chosen Qt platform.
        setenv("VISTREL_CONFIG_DIR", (folder_ / "config").c_str(), 1);
        unsetenv("DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
    }
    void TearDown() override { fs::remove_all(folder_); }

    static vistrel::test::CliResult run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "print");
        return vistrel::test::runCliProcess(arguments);
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

TEST_F(CliPrint, WritesOnePdfPagePerPrintedPage) {
    struct Case {
        int lines;
        std::vector<const char*> pageSize;
        int pages;
        const char* mediaBox;
    };
    const Case cases[] = {
        {2, {}, 1, "/MediaBox [0 0 595"},  // A4 by default
        {120, {"--page-size", "A4"}, 3, "/MediaBox [0 0 595"},
        {150, {"--page-size", "Letter"}, 4, "/MediaBox [0 0 612"},  // 49 rows fit a Letter page
        {0, {"--page-size=Letter"}, 1, "/MediaBox [0 0 612"},
    };
    for (const Case& c : cases) {
        std::string show = "/h1 Test\r\n";
        for (int i = 1; i <= c.lines; ++i)
            show += "/p " + std::to_string(1000 + i).substr(1) + " 001 /d 025 /t 0055 /s 000 /c Dia\r\n";
        spit(path("show.dpd"), show);
        std::vector<std::string> arguments{path("show.dpd"), "--pdf", path("out.pdf")};
        for (const char* word : c.pageSize) arguments.push_back(word);
        const auto result = run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        const std::string pdf = readWholeFile(path("out.pdf"));
        EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
        EXPECT_EQ(pageCount(pdf), c.pages) << c.lines << " lines";
        EXPECT_NE(pdf.find(c.mediaBox), std::string::npos) << c.lines << " lines";
    }
}

TEST_F(CliPrint, FailuresAndUsageErrors) {
    spit(path("show.txt"), "/h1 Test\r\n");
    fs::create_directories(path("folder.pdf"));
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    };
    const std::string sample = data("sample.dpd");
    spit(path("show.dpd"), readWholeFile(sample));
    fs::create_symlink(path("show.dpd"), path("link.pdf"));
    const Case cases[] = {
        {{path("show.txt"), "--pdf", path("a.pdf")}, 1, "Diese Datei tägt nicht die DPD-Kennung!"},
        {{path("missing.dpd"), "--pdf", path("a.pdf")}, 1,
         "vistrel-cli: " + path("missing.dpd") + ": Die angegebende Vistrel-Datei konnte nicht geladen werden.\n"},
        {{sample, "--pdf", path("folder.pdf")}, 1,
         "vistrel-cli: " + path("folder.pdf") + ": Die Datei konnte nicht unter dem angegebenden Pfad gespeichert "
         "werden.\n"},
        // The PDF must not take the place of the show it is made from, under any name.
        {{path("show.dpd"), "--pdf", path("show.dpd")}, 1,
         "vistrel-cli: " + path("show.dpd") + ": the PDF would replace the show it is made from; choose another "
         "file\n"},
        {{path("show.dpd"), "--pdf", path("link.pdf")}, 1, "the PDF would replace the show"},
        {{sample, "--pdf", path("a.pdf"), "--page-size", "A3"}, 2, "A4 or Letter"},
        {{sample, "--pdf", path("a.pdf"), "--sf-text=2"}, 2, "0 or 1"},
    };
    for (const Case& c : cases) {
        const auto result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments[0] << "\n" << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.arguments[0] << "\n" << result.err;
    }
    EXPECT_FALSE(fs::exists(path("a.pdf")));
    EXPECT_EQ(readWholeFile(path("show.dpd")), readWholeFile(sample));
}

TEST_F(CliPrint, AFailedWriteLeavesThePreviousFile) {
    spit(path("out.pdf"), "the PDF printed yesterday");
    vistrel::test::CliResult result;
    {
        // Writes beyond 4 KB fail (the child inherits the limit and the ignored signal).
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = 4096;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        result = run({data("sample.dpd"), "--pdf", path("out.pdf")});
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Die Datei konnte nicht unter dem"), std::string::npos) << result.err;
    EXPECT_EQ(readWholeFile(path("out.pdf")), "the PDF printed yesterday");
}

}  // namespace
