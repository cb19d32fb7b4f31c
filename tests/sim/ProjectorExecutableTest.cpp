// End to end: the built vistrel-projector on a real pseudo terminal, opened with
// plain POSIX calls as any client would, and its command line.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim/ProjectorCommandLine.h"

namespace vistrel::sim {
namespace {

TEST(ProjectorCommandLine, ReadsEveryOption) {
    const auto line = ProjectorCommandLine::parse({"--firmware", "3.0", "--module=small", "--speed", "20", "--baud",
                                                   "9600", "--com", "3", "--silent", "--bad-echo-after", "7",
                                                   "--drop-every=5", "--busy-ms", "300"});
    ASSERT_EQ(line.error, "");
    EXPECT_EQ(line.options.firmware, "3.0");
    EXPECT_EQ(line.options.module, ModuleState::Small);
    EXPECT_EQ(line.options.speed, 20);
    EXPECT_EQ(line.baud, 9600);
    EXPECT_EQ(line.com, 3);
    EXPECT_TRUE(line.options.silent);
    EXPECT_EQ(line.options.badEchoAfter, 7);
    EXPECT_EQ(line.options.dropEvery, 5);
    EXPECT_EQ(line.options.busyMs, 300);
    EXPECT_TRUE(line.options.preloadDemoShow);
}

TEST(ProjectorCommandLine, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> bad = {
        {"--firmware", "3.2000"},  // six bytes
        {"--module", "full"},       {"--speed", "0"},   {"--speed", "fast"}, {"--baud", "-1"},
        {"--com", "12"},            {"--drop-every"},   {"--busy-ms", "5x"}, {"--colour"},
        {"--speed", "99999999999"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
        EXPECT_NE(ProjectorCommandLine::parse(args).error, "");
    }
    EXPECT_TRUE(ProjectorCommandLine::parse({"--help"}).help);
}

#ifdef VISTREL_PROJECTOR_EXE

// The executable as a child process whose stdout we read.
class RunningProjector {
public:
    explicit RunningProjector(std::vector<std::string> args) {
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv;
            std::string exe = VISTREL_PROJECTOR_EXE;
            argv.push_back(exe.data());
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(exe.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        stdout_ = ::fdopen(out[0], "r");
    }
    ~RunningProjector() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
        if (stdout_) std::fclose(stdout_);
    }
    std::string line() {
        char buffer[512] = {};
        if (!stdout_ || !std::fgets(buffer, sizeof buffer, stdout_)) return {};
        std::string text = buffer;
        if (!text.empty() && text.back() == '\n') text.pop_back();
        return text;
    }
    // Stops the child with SIGTERM and gives its exit status.
    int stop() {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_ = -1;
    std::FILE* stdout_ = nullptr;
};

int openRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return fd;
    termios tio{};
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

// One byte within a generous time-out (the machine may be busy), or -1.
int readOne(int fd) {
    pollfd pfd{fd, POLLIN, 0};
    if (::poll(&pfd, 1, 5000) <= 0) return -1;
    unsigned char b = 0;
    return ::read(fd, &b, 1) == 1 ? b : -1;
}

std::vector<int> exchange(int fd, const std::string& bytes) {
    std::vector<int> answers;
    for (char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (::write(fd, &b, 1) != 1) return answers;
        answers.push_back(readOne(fd));
    }
    return answers;
}

TEST(ProjectorExecutable, ServesEchoAndStatusOnItsPseudoTerminal) {
    RunningProjector projector({"--com", "3"});
    const std::string path = projector.line();
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    EXPECT_EQ(projector.line(), "VISTREL_COM3=" + path);

    // Twice, to see that a client may close the device and open it again.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const int fd = openRaw(path);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(exchange(fd, "PE\r"), (std::vector<int>{'P', 'E', '\r'}));
        EXPECT_EQ(exchange(fd, "\xE1"), (std::vector<int>{'R'}));
        ::close(fd);
    }
    EXPECT_TRUE(WIFEXITED(projector.stop())) << "SIGTERM ends it cleanly";
}

// A text command and the reply line after its echo, without CR LF.
std::string ask(int fd, const std::string& command) {
    sim::exchange(fd, command + "\r");
    std::string reply;
    for (int b = readOne(fd); b >= 0 && b != '\n'; b = readOne(fd)) {
        if (b != '\r') reply.push_back(static_cast<char>(b));
    }
    return reply;
}

TEST(ProjectorExecutable, SpeedRunsTheShowFaster) {
    // The demonstration show stands about 65 s at normal speed; a thousand times
    // faster it is over long before the generous bound of this loop.
    RunningProjector projector({"--speed", "1000"});
    const std::string path = projector.line();
    projector.line();
    const int fd = openRaw(path);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(exchange(fd, "GZ:000\r"), (std::vector<int>{'G', 'Z', ':', '0', '0', '0', '\r'}));
    std::vector<std::string> seen;
    for (int i = 0; i < 250; ++i) {
        seen.push_back(ask(fd, "AZ"));
        if (seen.back() == "0") break;
        ::poll(nullptr, 0, 20);
    }
    ::close(fd);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "0") << "the show has not ended after " << seen.size() << " polls";
}

#endif

}  // namespace
}  // namespace vistrel::sim
