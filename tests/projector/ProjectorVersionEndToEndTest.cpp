// "vistrel-cli projector version" end to end: the built virtual projector on a
// real pseudo terminal, the Qt serial port, the link, the protocol and the log.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/projector/ProjectorProcess.h"

namespace vistrel {
namespace {

#if defined(VISTREL_PROJECTOR_EXE) && defined(VISTREL_CLI_EXE)

using test::ProjectorProcess;

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs vistrel-cli with `args`, its log going to `logPath`.
CliResult runCli(const std::vector<std::string>& args, const std::filesystem::path& folder,
                 const std::string& environment = "") {
    const auto outPath = folder / "stdout.txt";
    const auto errPath = folder / "stderr.txt";
    std::string command = environment + " VISTREL_LOG='" + (folder / "DIA.LOG").string() + "' '" VISTREL_CLI_EXE "'";
    for (const auto& a : args) command += " '" + a + "'";
    command += " >'" + outPath.string() + "' 2>'" + errPath.string() + "'";
    CliResult result;
    const int status = std::system(command.c_str());
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

class ProjectorVersionEndToEnd : public ::testing::Test {
protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vistrel-e2e-" + std::to_string(getpid()));
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(ProjectorVersionEndToEnd, PrintsTheFirmwareVersionAndLogsTheTraffic) {
    ProjectorProcess projector(VISTREL_PROJECTOR_EXE, {"--firmware", "3.1"});
    ASSERT_FALSE(projector.devicePath().empty()) << "vistrel-projector did not name its device";

    const CliResult result = runCli({"projector", "version", "--port", projector.devicePath()}, folder);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Der Projektor trägt die Firmware-Version  3.1\n");
    EXPECT_EQ(result.err, "");
    // The log starts with the probe (status query and its letter) and holds the
    // echoed PE and PA commands.
    const std::string log = readFile(folder / "DIA.LOG");
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(log[0]), 0xE1);
    EXPECT_NE(log.find("PPEE\r\r"), std::string::npos);
    EXPECT_NE(log.find("PPAA\r\r"), std::string::npos);
}

TEST_F(ProjectorVersionEndToEnd, AFailingProjectorEndsWithTheMessageAndExitCode1) {
    ProjectorProcess projector(VISTREL_PROJECTOR_EXE, {"--bad-echo-after", "1"});
    ASSERT_FALSE(projector.devicePath().empty());
    const CliResult result = runCli({"projector", "version", "--port", projector.devicePath()}, folder);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    // One line, led by the device it is about.
    EXPECT_NE(result.err.find("vistrel-cli: " + projector.devicePath() +
                              ": Fehler bei der Kommunikation mit dem Projektor\n"),
              std::string::npos)
        << result.err;
}

// A projector that never answers fails the search and then the first command; the
// terminal shows both messages, in the order the window program shows them.
TEST_F(ProjectorVersionEndToEnd, ASilentProjectorPrintsTheSearchsAndTheCommandsMessage) {
    ProjectorProcess projector(VISTREL_PROJECTOR_EXE, {"--silent"});
    ASSERT_FALSE(projector.devicePath().empty());
    const CliResult result = runCli({"projector", "version", "--port", projector.devicePath()}, folder);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    const std::string lead = "vistrel-cli: " + projector.devicePath() + ": ";
    EXPECT_EQ(result.err,
              lead + "Der Projektor scheint nicht mit dem Computer verbunden zu sein! Überprüfen Sie die "
                     "Kabelverbindungen und schalten Sie den Projektor aus und wieder ein.\n" +
                  lead + "Fehler bei der Kommunikation mit dem Projektor\n");
}

TEST_F(ProjectorVersionEndToEnd, WithoutAnyPortTheSearchSaysSoBeforeTheCommandFails) {
    std::string noPorts;
    for (int n = 1; n <= 4; ++n) noPorts += " VISTREL_COM" + std::to_string(n) + "=" + (folder / "none").string();
    const CliResult result = runCli({"projector", "version", "--port", "COM1"}, folder, noPorts);
    EXPECT_EQ(result.exitCode, 1);
    // The port named does not exist: that comes first, then what the search found.
    const std::string lead = "vistrel-cli: " + (folder / "none").string() + ": ";
    EXPECT_EQ(result.err,
              lead + "Diese Schnittstelle gibt es nicht. Es sind keine Schnittstellen verfügbar! Prüfen Sie die "
                     "Schnittstellen oder beenden Sie evtl. laufende Programme, die die Schnittelle belegen.\n" +
                  lead + "Fehler bei der Kommunikation mit dem Projektor\n");
}

TEST_F(ProjectorVersionEndToEnd, UsageErrorsExitWith2) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"projector", "version"}, {"projector", "version", "--port", "COM7"},
          {"projector", "version", "--port"}, {"projector", "version", "--port", "COM2", "--bogus"}}) {
        EXPECT_EQ(runCli(args, folder).exitCode, 2) << args.back();
    }
}

#else

TEST(ProjectorVersionEndToEnd, NeedsTheBuiltExecutables) {
    GTEST_SKIP() << "vistrel-projector or vistrel-cli is not part of this build";
}

#endif

}  // namespace
}  // namespace vistrel
