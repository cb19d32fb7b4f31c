#pragma once
// Runs a built program (vistrel-cli, or the window program for its terminal options)
// with exact argument bytes (no shell between) and collects its exit code, stdout and
// stderr.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace vistrel::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline CliResult runProcess(const char* program, const std::vector<std::string>& args) {
    char outName[] = "/tmp/vistrel-cli-out-XXXXXX";
    char errName[] = "/tmp/vistrel-cli-err-XXXXXX";
    const int outFd = mkstemp(outName);
    const int errFd = mkstemp(errName);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    CliResult result;
    pid_t pid = -1;
    if (posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(outFd);
    close(errFd);
    result.out = readWholeFile(outName);
    result.err = readWholeFile(errName);
    std::filesystem::remove(outName);
    std::filesystem::remove(errName);
    return result;
}

#ifdef VISTREL_CLI
inline CliResult runCliProcess(const std::vector<std::string>& args) { return runProcess(VISTREL_CLI, args); }
#endif

}  // namespace vistrel::test
