// The progress line: drawn in place on a terminal, wiped at the end, and absent
// where stderr is a file or a pipe.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/TerminalProgress.h"
#include "cli/TerminalProgressWindows.h"
#include "tests/cli/CliProcess.h"
#include "tests/search/SearchTree.h"

#if defined(VISTREL_PROJECTOR_EXE)
#include "tests/projector/ProjectorProcess.h"
#endif

extern char** environ;

namespace vistrel::cli {
namespace {

using ::testing::HasSubstr;

// A pseudo terminal `columns` wide; what is written to its slave is read at the master.
class PseudoTerminal {
public:
    explicit PseudoTerminal(int columns) {
        winsize size{};
        size.ws_col = static_cast<unsigned short>(columns);
        size.ws_row = 24;
        if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) master_ = slave_ = -1;
        raw(slave_);
    }
    ~PseudoTerminal() {
        if (stream_) std::fclose(stream_);
        else if (slave_ >= 0) close(slave_);
        if (master_ >= 0) close(master_);
    }
    bool ok() const { return master_ >= 0; }
    int master() const { return master_; }
    int slave() const { return slave_; }
    std::FILE* slaveStream() {
        if (!stream_) stream_ = fdopen(slave_, "w");
        return stream_;
    }
    void closeSlave() {
        if (stream_) std::fclose(stream_);
        else close(slave_);
        stream_ = nullptr;
        slave_ = -1;
    }
    // Everything written so far (reads until the terminal is quiet for a moment).
    std::string drain(int quietMs = 20) {
        std::string text;
        pollfd p{master_, POLLIN, 0};
        char buffer[4096];
        while (poll(&p, 1, quietMs) > 0) {
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return text;
    }

private:
    // No "\n" to "\r\n" turned on the way: the test sees the bytes as written.
    static void raw(int fd) {
        termios t{};
        if (fd < 0 || tcgetattr(fd, &t) != 0) return;
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    int master_ = -1;
    int slave_ = -1;
    std::FILE* stream_ = nullptr;
};

TEST(TerminalProgress, DrawsInPlaceAndWipesTheLineOnATerminal) {
    PseudoTerminal terminal(20);
    ASSERT_TRUE(terminal.ok());
    TerminalProgress progress(terminal.slaveStream());
    ASSERT_TRUE(progress.enabled());

    struct Step {
        const char* action;
        std::string text;
        std::string written;
    };
    const Step steps[] = {
        {"now", "Lese Zeile : 1", "\rLese Zeile : 1"},
        {"show", "Lese Zeile : 2", "\rLese Zeile : 2"},  // the first figure after showNow comes at once
        {"show", "Lese Zeile : 3", ""},                  // then at most ten a second
        {"now", "Modul", "\rModul         "},           // a shorter text blanks the rest
        {"now", "Daten werden aus dem Modul gelesen", "\rDaten werden aus de"},  // cut to the width less one
        {"now", "Größenänderung überall", "\rGrößenänderung über"},            // characters, not bytes
        {"clear", "", "\r                   \r"},
        {"clear", "", ""},
    };
    for (const Step& step : steps) {
        const std::string action = step.action;
        if (action == "now") progress.showNow(step.text);
        if (action == "show") progress.show(step.text);
        if (action == "clear") progress.clear();
        EXPECT_EQ(terminal.drain(), step.written) << step.action << " " << step.text;
    }
}

TEST(TerminalProgress, PrintsNothingWhereStderrIsNoTerminal) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        TerminalProgressWindows windows(file);
        windows.openWriteProgress(600);
        for (int done = 0; done <= 600; ++done) windows.setWriteProgress(done);
        windows.openModuleWindow(false);
        windows.closeModuleWindow();
        windows.closeWriteProgress();
        windows.openReadProgress();
        windows.setReadLine(1);
        windows.closeReadProgress();
        TerminalProgress progress(file);
        EXPECT_FALSE(progress.enabled());
        progress.showNow("Dateien: 12");
    }
    EXPECT_EQ(std::ftell(file), 0L);
    std::fclose(file);
}

// The windows' figures: bytes written as a bar, the line being read, the module
// window's title; an inner window shows until it closes, then the outer one again.
TEST(TerminalProgress, TransferWindowsShowTheirFigures) {
    PseudoTerminal terminal(100);
    ASSERT_TRUE(terminal.ok());
    TerminalProgressWindows windows(terminal.slaveStream());
    windows.openWriteProgress(600);
    EXPECT_THAT(terminal.drain(), HasSubstr("Schreiben der Diaschau in den Projektor [--------------------]   0 %"));
    windows.setWriteProgress(150);
    EXPECT_THAT(terminal.drain(), HasSubstr("Schreiben der Diaschau in den Projektor [#####---------------]  25 %"));
    windows.openModuleWindow(true);
    EXPECT_THAT(terminal.drain(), HasSubstr("Daten werden aus dem Modul gelesen  Bitte warten Sie einen Augenblick..."));
    windows.closeModuleWindow();
    EXPECT_THAT(terminal.drain(), HasSubstr("[#####---------------]  25 %"));
    windows.closeWriteProgress();
    EXPECT_EQ(terminal.drain().find_first_not_of(" \r"), std::string::npos);
    windows.openReadProgress();
    windows.setReadLine(1);
    EXPECT_THAT(terminal.drain(), HasSubstr("Diaschau aus den Projektor lesen  Lese Zeile : 1"));
}

// Runs vistrel-cli with stderr on `terminal` and stdout in a file; returns the exit
// code and everything that reached the terminal.
std::pair<int, std::string> runOnTerminal(PseudoTerminal& terminal, const std::vector<std::string>& args,
                                          const std::string& logPath) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, terminal.slave(), STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words{VISTREL_CLI};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> env{"VISTREL_LOG=" + logPath};
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    const bool spawned = posix_spawn(&pid, VISTREL_CLI, &actions, nullptr, argv.data(), envp.data()) == 0;
    posix_spawn_file_actions_destroy(&actions);
    std::string seen;
    int status = 0;
    while (spawned) {
        seen += terminal.drain(50);
        if (waitpid(pid, &status, WNOHANG) == pid) break;
    }
    seen += terminal.drain();
    return {spawned && WIFEXITED(status) ? WEXITSTATUS(status) : -1, seen};
}

// Runs `args` twice: with stderr on a terminal, where `figure` must show and the line
// be wiped at the end (the last "\r" followed by nothing, the one before by blanks
// only), and with stderr in a file, where nothing at all may reach it.
void expectProgressOnlyOnATerminal(const std::vector<std::string>& args, const std::string& figure,
                                   const std::string& logPath) {
    PseudoTerminal terminal(80);
    ASSERT_TRUE(terminal.ok());
    const auto [exitCode, seen] = runOnTerminal(terminal, args, logPath);
    EXPECT_EQ(exitCode, 0) << seen;
    EXPECT_THAT(seen, HasSubstr(figure));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), '\r');
    const auto wipe = seen.rfind('\r', seen.size() - 2);
    ASSERT_NE(wipe, std::string::npos);
    EXPECT_EQ(seen.substr(wipe + 1, seen.size() - wipe - 2).find_first_not_of(' '), std::string::npos);

    const test::CliResult quiet = test::runCliProcess(args);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, "");
}

// The folder search counts its files, printing its pages and the video export its lines
// on a terminal; with stderr in a file they say nothing at all.
TEST(TerminalProgress, SearchAndPrintShowProgressOnlyOnATerminal) {
    test::SearchTree tree;
    for (int i = 0; i < 40; ++i) tree.show("f" + std::to_string(i % 4) + "/s" + std::to_string(i) + ".dpd", "T", {"Sonne"});
    std::string show = "/h1 Lang\r\n";
    for (int i = 1; i <= 999; ++i) show += "/p " + std::to_string(1000 + i).substr(1) + " 001 /d 025 /t 0055 /s 000 /c Dia\r\n";
    tree.file("long.dpd", show);
    // Slide 1's picture, a white pixel as a BMP: a video without any picture would say so.
    tree.file("Bilder/1.bmp", std::string("BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0"
                                          "\0\0\0\0\x04\0\0\0\x13\x0b\0\0\x13\x0b\0\0\0\0\0\0\0\0\0\0"
                                          "\xff\xff\xff\0",
                                          58));
    const std::string log = tree.root() + "/DIA.LOG";

    struct Case {
        std::vector<std::string> args;
        std::string figure;
    };
    const Case cases[] = {
        {{"find", tree.root(), "sonne"}, "Anzahl der durchsuchten Vistrel-Dateien : "},
        {{"find", tree.root(), "sonne", "--json"}, "Anzahl der durchsuchten Vistrel-Dateien : "},
#ifdef VISTREL_CLI_PRINT
        {{"print", tree.root() + "/long.dpd", "--pdf", tree.root() + "/long.pdf"}, "Drucken: Seite 1 von "},
#endif
#ifdef VISTREL_CLI_VIDEO
        {{"video", tree.root() + "/long.dpd", tree.root() + "/long.mp4", "--size", "64x36", "--fps", "2", "--to", "20",
          "--images", tree.root() + "/Bilder"},
         "Video: Zeile 1 von 20"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        expectProgressOnlyOnATerminal(c.args, c.figure, log);
    }
}

#if defined(VISTREL_PROJECTOR_EXE)

TEST(TerminalProgress, TransfersShowProgressOnlyOnATerminal) {
    const auto folder = std::filesystem::temp_directory_path() / ("vistrel-progress-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::string show = "/h1 Lang\r\n";
    for (int i = 1; i <= 8; ++i) show += "/p " + std::to_string(1000 + i).substr(1) + " 001 /d 025 /t 0055 /s 000 \r\n";
    const std::string in = (folder / "in.dpd").string();
    std::ofstream(in, std::ios::binary) << show;
    const std::string log = (folder / "DIA.LOG").string();

    test::ProjectorProcess projector(VISTREL_PROJECTOR_EXE, {});
    ASSERT_FALSE(projector.devicePath().empty());
    // (One end record instead of 50 keeps the wire time short; the projector's memory
    // behind it is still empty, so the download stops there.)
    struct Case {
        std::vector<std::string> args;
        std::string figure;
    };
    const Case cases[] = {
        {{"projector", "upload", in, "--end-marker=0", "--port", projector.devicePath()},
         "Schreiben der Diaschau in den Projektor ["},
        {{"projector", "download", (folder / "out.dpd").string(), "--port", projector.devicePath()},
         "Diaschau aus den Projektor lesen  Lese Zeile : "},
        {{"projector", "upload", in, "--end-marker=0", "--module", "--port", projector.devicePath()},
         "Daten werden ins Modul übertragen"},
        {{"projector", "download", (folder / "out.dpd").string(), "--module", "--port", projector.devicePath()},
         "Daten werden aus dem Modul gelesen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.figure);
        expectProgressOnlyOnATerminal(c.args, c.figure, log);
    }
    std::filesystem::remove_all(folder);
}

#endif

}  // namespace
}  // namespace vistrel::cli
