// "vistrel-cli projector upload" and "download" end to end: the built virtual
// projector on a real pseudo terminal, the Qt serial port, the link, the protocol,
// the transfer and the show file writer.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "model/CVistrelDoc.h"
#include "model/ShowFile.h"
#include "tests/projector/ProjectorProcess.h"

namespace vistrel {
namespace {

#if defined(VISTREL_PROJECTOR_EXE) && defined(VISTREL_CLI_EXE)

using test::ProjectorProcess;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct CliRun {
    int exitCode = -1;
    std::string err;
};

class ShowTransferEndToEnd : public ::testing::Test {
protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vistrel-transfer-e2e-" + std::to_string(getpid()));
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    CliRun cli(const std::vector<std::string>& args) {
        const auto errPath = folder / "stderr.txt";
        std::string command = "VISTREL_LOG='" + (folder / "DIA.LOG").string() + "' '" VISTREL_CLI_EXE "' projector";
        for (const auto& a : args) command += " '" + a + "'";
        command += " >/dev/null 2>'" + errPath.string() + "'";
        CliRun result;
        const int status = std::system(command.c_str());
        if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
        result.err = readFile(errPath);
        return result;
    }

    std::string writeShow(const std::string& name, const std::string& text) {
        const auto path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
};

// The file a download of `showText` must give: the same lines without descriptions,
// numbered from 1, under an empty header, in the writer's own form.
std::string expectedDownload(const std::string& showText) {
    auto doc = std::make_unique<CVistrelDoc>();
    parseShowText(*doc, showText, {});
    doc->header = ShowHeader{};
    for (int i = 0; i < doc->lineCount; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", i + 1);
        doc->lines[i].programNumber = number;
        doc->lines[i].description.clear();
    }
    return formatShowText(*doc);
}

const std::string kShow =
    "/h1 Urlaub 2001\r\n/h2 Ostsee\r\n/h3 \r\n/h4 Schrank 2\r\n/a 7\r\n"
    "/p 001 012 /d 025 /t 0055 /s 000 /c Titeldia\r\n"
    "/p 002 300 /d 016 /t 0125 /s 045 /c Strand\r\n"
    "/p 003 999 /d 255 /t 6000 /s 270 \r\n"
    "/p 004 013 /d 030 /t 0000 /s 100 \r\n";

// (Without the 50 end records a download reads on past the single end record into
// whatever the projector held before, which is what the end-marker option is for;
// the in-process tests cover that option.)
struct RoundTripCase {
    const char* name;
    std::vector<std::string> uploadOptions;
    std::vector<std::string> downloadOptions;
};

class CliRoundTrip : public ShowTransferEndToEnd, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(CliRoundTrip, DownloadGivesBackTheUploadedLines) {
    const RoundTripCase& c = GetParam();
    ProjectorProcess projector(VISTREL_PROJECTOR_EXE, {});
    ASSERT_FALSE(projector.devicePath().empty());
    const std::string in = writeShow("in.dpd", kShow);
    const std::string out = (folder / "out.dpd").string();

    std::vector<std::string> upload{"upload", in, "--port", projector.devicePath()};
    upload.insert(upload.end(), c.uploadOptions.begin(), c.uploadOptions.end());
    const CliRun up = cli(upload);
    ASSERT_EQ(up.exitCode, 0) << up.err;
    EXPECT_EQ(up.err, "");

    std::vector<std::string> download{"download", out, "--port", projector.devicePath()};
    download.insert(download.end(), c.downloadOptions.begin(), c.downloadOptions.end());
    const CliRun down = cli(download);
    ASSERT_EQ(down.exitCode, 0) << down.err;
    EXPECT_EQ(readFile(out), expectedDownload(kShow));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliRoundTrip,
    ::testing::Values(RoundTripCase{"WorkingMemory", {}, {}},
                      RoundTripCase{"Module", {"--module"}, {"--module"}},
                      RoundTripCase{"AllOptions", {"--end-marker=1", "--differential=1", "--lamp", "50"}, {}}),
    [](const auto& param) { return std::string(param.param.name); });

struct FailureCase {
    const char* name;
    std::vector<std::string> projectorOptions;
    bool download;
    std::vector<std::string> extra;
    const char* message;
};

class CliFailure : public ShowTransferEndToEnd, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CliFailure, EndsWithTheMessageAndExitCode1) {
    const FailureCase& c = GetParam();
    ProjectorProcess projector(VISTREL_PROJECTOR_EXE, c.projectorOptions);
    ASSERT_FALSE(projector.devicePath().empty());
    std::string longShow = "/h1 Lang\r\n";
    for (int i = 1; i <= 200; ++i) longShow += "/p " + std::to_string(100 + i).substr(1) + " 001 /d 025 /t 0055 /s 000 \r\n";
    const std::string in = writeShow("in.dpd", longShow);
    const auto out = folder / "out.dpd";

    std::vector<std::string> args = c.download ? std::vector<std::string>{"download", out.string()}
                                               : std::vector<std::string>{"upload", in};
    args.insert(args.end(), {"--port", projector.devicePath()});
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const CliRun run = cli(args);
    EXPECT_EQ(run.exitCode, 1);
    // One line, led by the device it is about.
    EXPECT_EQ(run.err, "vistrel-cli: " + projector.devicePath() + ": " + c.message);
    EXPECT_FALSE(std::filesystem::exists(out));  // no half show saved
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliFailure,
    ::testing::Values(
        FailureCase{"UploadLosesBytes", {"--drop-every", "300"}, false, {},
                    "Die Verbindung zum Projektor ist gestört! Die Übertragung wird abgebrochen.\n"},
        FailureCase{"DownloadLosesBytes", {"--drop-every", "300"}, true, {},
                    "Die Verbindung zum Projektor ist gestört! Die Übertragung wird abgebrochen.\n"},
        FailureCase{"UploadNoModule", {"--module", "absent"}, false, {"--module"}, "Kein Modul im Einsteckschacht!\n"},
        FailureCase{"OldFirmware", {"--firmware", "3.0"}, false, {},
                    "Die Firmware des Projektors ist veraltet! Bitte besorgen Sie sich eine neue Version. "
                    "Vistrel läuft erst ab der Firmware-Version 3.1.\n"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ShowTransferEndToEnd, AShowWithoutLinesIsNotWritten) {
    ProjectorProcess projector(VISTREL_PROJECTOR_EXE, {});
    ASSERT_FALSE(projector.devicePath().empty());
    const CliRun run = cli({"upload", writeShow("empty.dpd", "/h1 Leer\r\n"), "--port", projector.devicePath()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no program lines"), std::string::npos);
}

#endif

}  // namespace
}  // namespace vistrel
