#pragma once
// A running vistrel-projector on a pseudo terminal, for end-to-end tests and the
// link benchmark: started with the given options, its device path read from line 1
// of its output, stopped (SIGTERM, then waited for) when the object goes.
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string>
#include <vector>

extern char** environ;

namespace vistrel::test {

class ProjectorProcess {
public:
    ProjectorProcess(const std::string& executable, const std::vector<std::string>& options) {
        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        std::vector<std::string> args = {executable};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, executable.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        output_ = fdopen(fds[0], "r");
        std::array<char, 512> line{};
        if (pid_ > 0 && output_ && fgets(line.data(), static_cast<int>(line.size()), output_)) {
            devicePath_ = line.data();
            while (!devicePath_.empty() && (devicePath_.back() == '\n' || devicePath_.back() == '\r'))
                devicePath_.pop_back();
        }
    }
    ~ProjectorProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
        if (output_) fclose(output_);
    }
    ProjectorProcess(const ProjectorProcess&) = delete;
    ProjectorProcess& operator=(const ProjectorProcess&) = delete;

    // Empty when the projector did not start.
    const std::string& devicePath() const { return devicePath_; }

private:
    pid_t pid_ = -1;
    FILE* output_ = nullptr;
    std::string devicePath_;
};

}  // namespace vistrel::test
