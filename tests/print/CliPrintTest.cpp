// vistrel-cli print, run as a user runs it: the PDF it writes, its messages and exit codes.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void spit(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string data(const std::string& name) { return std::string(VISTREL_TEST_DATA) + "/" + name; }

int pageCount(const std::string& pdf) {
    static const std::regex page("/Type /Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

class CliPrint : public ::testing::Test {
protected:
    struct Run {
        int exitCode;
        std::string err;
    };

    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vistrel-print-test-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "config");
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Runs with a settings folder of its own (standard settings) and no display.
    Run run(const std::string& arguments) {
        const std::string command = "env -u DISPLAY -u QT_QPA_PLATFORM VISTREL_CONFIG_DIR='" +
                                    (folder_ / "config").string() + "' '" + VISTREL_CLI + "' print " + arguments +
                                    " >/dev/null 2>'" + (folder_ / "err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(folder_ / "err")};
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

TEST_F(CliPrint, WritesOnePdfPagePerPrintedPage) {
    struct Case {
        int lines;
        const char* pageSize;
        int pages;
        const char* mediaBox;
    };
    const Case cases[] = {
        {2, "", 1, "/MediaBox [0 0 595"},  // A4 by default
        {120, "--page-size A4", 3, "/MediaBox [0 0 595"},
        {150, "--page-size Letter", 4, "/MediaBox [0 0 612"},  // 49 rows fit a Letter page
        {0, "--page-size=Letter", 1, "/MediaBox [0 0 612"},
    };
    for (const Case& c : cases) {
        std::string show = "/h1 Test\r\n";
        for (int i = 1; i <= c.lines; ++i)
            show += "/p " + std::to_string(1000 + i).substr(1) + " 001 /d 025 /t 0055 /s 000 /c Dia\r\n";
        spit(path("show.dpd"), show);
        const Run result = run("'" + path("show.dpd") + "' --pdf '" + path("out.pdf") + "' " + c.pageSize);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        const std::string pdf = slurp(path("out.pdf"));
        EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
        EXPECT_EQ(pageCount(pdf), c.pages) << c.lines << " lines " << c.pageSize;
        EXPECT_NE(pdf.find(c.mediaBox), std::string::npos) << c.pageSize;
    }
}

TEST_F(CliPrint, FailuresAndUsageErrors) {
    spit(path("show.txt"), "/h1 Test\r\n");
    fs::create_directories(path("folder.pdf"));
    struct Case {
        std::string arguments;
        int exitCode;
        const char* message;
    };
    const std::string sample = "'" + data("sample.dpd") + "'";
    const Case cases[] = {
        {"'" + path("show.txt") + "' --pdf '" + path("a.pdf") + "'", 1, "Diese Datei tägt nicht die DPD-Kennung!"},
        {"'" + path("missing.dpd") + "' --pdf '" + path("a.pdf") + "'", 1,
         "Die angegebende Vistrel-Datei konnte \nnicht geladen werden."},
        {sample + " --pdf '" + path("folder.pdf") + "'", 1, "Die Datei konnte nicht unter dem \nangegebenden Pfad"},
        {sample, 2, "--pdf"},
        {sample + " --pdf", 2, "--pdf"},
        {sample + " --pdf a.pdf --page-size A3", 2, "A4 or Letter"},
        {sample + " --pdf a.pdf --sf-text=2", 2, "0 or 1"},
        {sample + " " + sample + " --pdf a.pdf", 2, "unexpected argument"},
        {sample + " --pdf a.pdf --colour", 2, "unknown option"},
    };
    for (const Case& c : cases) {
        const Run result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.arguments << "\n" << result.err;
    }
    EXPECT_FALSE(fs::exists(path("a.pdf")));
}

TEST_F(CliPrint, AFailedWriteLeavesThePreviousFile) {
    spit(path("out.pdf"), "the PDF printed yesterday");
    Run result{};
    {
        // Writes beyond 4 KB fail (the child inherits the limit and the ignored signal).
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = 4096;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        result = run("'" + data("sample.dpd") + "' --pdf '" + path("out.pdf") + "'");
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Die Datei konnte nicht unter dem"), std::string::npos) << result.err;
    EXPECT_EQ(slurp(path("out.pdf")), "the PDF printed yesterday");
}

}  // namespace
