// "vistrel-cli projector play" end to end: the built virtual projector on one pseudo
// terminal, the player with its keyboard on another (so that Ctrl+C is the terminal's
// own interrupt) and its output on a pipe, read line by line while the show runs, as
// a script would read it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/CliProcess.h"
#include "tests/projector/ProjectorProcess.h"

namespace vistrel::test {
namespace {

#if defined(VISTREL_PROJECTOR_EXE)

// The player as a user runs it in a terminal.
class PlayerUnderTest {
public:
    PlayerUnderTest(const std::vector<std::string>& args, const std::string& logPath) {
        int slave = -1;
        if (openpty(&keyboard_, &slave, nullptr, nullptr, nullptr) != 0) return;
        termios modes{};
        tcgetattr(slave, &modes);
        modes.c_lflag &= ~static_cast<tcflag_t>(ECHO);  // keep what is typed off the terminal's screen
        tcsetattr(slave, TCSANOW, &modes);
        int out[2];
        int err[2];
        if (pipe(out) != 0 || pipe(err) != 0) return;
        std::vector<std::string> words{VISTREL_CLI};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            // A session of its own with the pseudo terminal as its controlling terminal.
            setsid();
            ioctl(slave, TIOCSCTTY, 0);
            dup2(slave, STDIN_FILENO);
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            for (int fd : {slave, keyboard_, out[0], out[1], err[0], err[1]}) close(fd);
            setenv("VISTREL_LOG", logPath.c_str(), 1);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(slave);
        close(out[1]);
        close(err[1]);
        output_ = out[0];
        errors_ = err[0];
    }
    ~PlayerUnderTest() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        for (int fd : {keyboard_, output_, errors_}) {
            if (fd >= 0) close(fd);
        }
    }
    PlayerUnderTest(const PlayerUnderTest&) = delete;
    PlayerUnderTest& operator=(const PlayerUnderTest&) = delete;

    // The next printed line, or nothing when none came within `timeoutMs` (or the output ended).
    std::optional<std::string> nextLine(int timeoutMs) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0) return std::nullopt;
            pollfd watched{output_, POLLIN, 0};
            if (poll(&watched, 1, static_cast<int>(left.count())) <= 0) continue;
            char chunk[256];
            const ssize_t got = read(output_, chunk, sizeof chunk);
            if (got <= 0) return std::nullopt;
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }
    void type(const std::string& text) { [[maybe_unused]] const auto n = write(keyboard_, text.data(), text.size()); }
    void pressCtrlC() { type("\x03"); }

    // The exit code, or -1 when the player was still running after `timeoutMs`.
    int exitCode(int timeoutMs) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < until) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    // What the player wrote on stderr. A player that is still running is killed after
    // `timeoutMs`, so that a test whose show went wrong fails instead of waiting for ever.
    std::string errorText(int timeoutMs = 5000) {
        std::string text;
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                kill(pid_, SIGKILL);
                return text + "[still running]";
            }
            pollfd watched{errors_, POLLIN, 0};
            if (poll(&watched, 1, static_cast<int>(left.count())) <= 0) continue;
            char chunk[256];
            const ssize_t got = read(errors_, chunk, sizeof chunk);
            if (got <= 0) return text;
            text.append(chunk, static_cast<std::size_t>(got));
        }
    }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int keyboard_ = -1;
    int output_ = -1;
    int errors_ = -1;
    std::string buffer_;
};

class PlayEndToEnd : public ::testing::Test {
protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vistrel-play-e2e-" + std::to_string(getpid()));
    // Timers run four times faster: a line of 8 s stands 2 s, well over the 700 ms poll.
    ProjectorProcess projector{VISTREL_PROJECTOR_EXE, {"--speed", "4"}};

    void SetUp() override {
        std::filesystem::create_directories(folder);
        ASSERT_FALSE(projector.devicePath().empty());
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // A show file of the given "/p" lines (Windows-1252, as the program writes them).
    std::string writeShow(const std::vector<std::string>& lines) {
        const auto path = folder / "show.dpd";
        std::ofstream file(path, std::ios::binary);
        file << "/h1 Test\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a 0\r\n";
        for (const auto& line : lines) file << line << "\r\n";
        return path.string();
    }
    std::unique_ptr<PlayerUnderTest> play(const std::string& show) {
        return std::make_unique<PlayerUnderTest>(
            std::vector<std::string>{"projector", "play", show, "--port", projector.devicePath()},
            (folder / "DIA.LOG").string());
    }
};

constexpr int LineTimeoutMs = 20000;

TEST_F(PlayEndToEnd, PauseLinesWaitForEnterAndTheEndIsPrinted) {
    auto player = play(writeShow({
        "/p 001 001 /d 010 /t 0100 /s 000 /c Anfang",
        "/p 002 002 /d 002 /t 0000 /s 000 /c Halt",
        "/p 003 003 /d 002 /t 0000 /s 070 /c Doppelt",  // waits twice
        "/p 004 004 /d 010 /t 0050 /s 000 /c Schl\xFCss",
    }));
    std::vector<std::string> printed;
    int pauses = 0;
    while (auto line = player->nextLine(LineTimeoutMs)) {
        printed.push_back(*line);
        if (*line != "PAUSE !") continue;
        ++pauses;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        player->type("\n");
        if (pauses == 2) {
            // The first Enter leaves the first half of the double pause; the show stays.
            EXPECT_FALSE(player->nextLine(1500)) << "moved on after one continuation";
            player->type("\n");
        }
    }
    EXPECT_EQ(printed, (std::vector<std::string>{"001\tAnfang", "002\tHalt", "PAUSE !", "003\tDoppelt", "PAUSE !",
                                                 "004\tSchlüss", "Diaschauende"}));
    EXPECT_EQ(player->exitCode(5000), 0);
    EXPECT_EQ(player->errorText(), "");
}

TEST_F(PlayEndToEnd, FollowsTheAutoreverseJumpsAndStopsOnCtrlC) {
    auto player = play(writeShow({
        "/p 001 001 /d 010 /t 0100 /s 000 /c Eins",
        "/p 002 002 /d 010 /t 0070 /s 000 /c Zwei",
        "/p 003 003 /d 001 /t 0001 /s 100 /c Zur\xFC" "ck",  // the tray goes back to line 1
        "/p 004 004 /d 010 /t 0400 /s 000 /c Vier",
    }));
    std::vector<std::string> printed;
    while (auto line = player->nextLine(LineTimeoutMs)) {
        printed.push_back(*line);
        if (printed.size() == 3) player->type("j 4\n");
        if (*line == "004\tVier") player->pressCtrlC();
    }
    EXPECT_EQ(printed, (std::vector<std::string>{"001\tEins", "002\tZwei", "001\tEins", "004\tVier"}));
    EXPECT_EQ(player->exitCode(15000), 130) << "stopped, home, and ended as Ctrl+C ends a program";
    EXPECT_EQ(player->errorText(), "");
}

TEST_F(PlayEndToEnd, TheEndOfInputChangesNothing) {
    // Standard input is /dev/null: ended before the show begins.
    setenv("VISTREL_LOG", (folder / "DIA.LOG").c_str(), 1);
    const CliResult r = runCliProcess({"projector", "play", writeShow({"/p 001 001 /d 010 /t 0100 /s 000 /c Nur"}),
                                       "--port", projector.devicePath()});
    unsetenv("VISTREL_LOG");
    EXPECT_EQ(r.out, "001\tNur\nDiaschauende\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.exitCode, 0);
}

TEST(PlayFailure, ASilentProjectorGivesTheProgramsMessagesInOrder) {
    ProjectorProcess silent(VISTREL_PROJECTOR_EXE, {"--silent"});
    ASSERT_FALSE(silent.devicePath().empty());
    const auto folder = std::filesystem::temp_directory_path() / ("vistrel-play-silent-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    setenv("VISTREL_LOG", (folder / "DIA.LOG").c_str(), 1);
    const CliResult r = runCliProcess({"projector", "play", VISTREL_TEST_DATA "/sample.dpd", "--port", silent.devicePath()});
    unsetenv("VISTREL_LOG");
    std::filesystem::remove_all(folder);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Der Projektor scheint nicht mit dem Computer\nverbunden zu sein!\n\nÜberprüfen Sie die "
              "Kabelverbindungen und\nschalten Sie den Projektor aus und wieder ein.\n"
              "Fehler bei der Kommunikation\nmit dem Projektor\n");
}

#endif

}  // namespace
}  // namespace vistrel::test
