// The time from starting a program to its first window on the screen, for the window
// program and for a bare QMainWindow of the same Qt, started alternately so that both
// see the same load; with the shared objects each has mapped and its memory by then.
// The goal: the window program within twice the bare window's time.
//
//     DISPLAY=:47 startup_bench [ROUNDS [PROGRAM [YARDSTICK]]]
//
// ROUNDS defaults to 15; PROGRAM and YARDSTICK to the window program and the bare
// window of this build (another build's program can be set against this one).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double ms = 0;
    double cpuMs = 0;  // the main thread's processor time: less at the mercy of other load
    std::size_t sharedObjects = 0;
    long rssKb = 0;
};

std::size_t sharedObjectsOf(pid_t pid) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> files;
    for (std::string line; std::getline(maps, line);) {
        const auto slash = line.find('/');
        if (slash != std::string::npos && line.find(".so", slash) != std::string::npos) files.insert(line.substr(slash));
    }
    return files.size();
}

double cpuMsOf(pid_t pid) {
    std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
    double nanoseconds = 0;
    schedstat >> nanoseconds;
    return nanoseconds / 1e6;
}

long rssKbOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// Everything the server has sent so far; true when a window was mapped among it.
bool drainSawMap(xcb_connection_t* connection) {
    bool mapped = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) mapped = true;
        std::free(event);
    }
    return mapped;
}

// Starts `program`, waits (at most 20 s) for its first window and ends it again.
bool measure(xcb_connection_t* connection, const char* program, Sample& sample) {
    drainSawMap(connection);
    char* argv[] = {const_cast<char*>(program), nullptr};
    pid_t pid = -1;
    posix_spawn_file_actions_t quiet;  // what the programs say is no part of the measure
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto started = Clock::now();
    const int spawned = posix_spawn(&pid, program, &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return false;
    bool mapped = false;
    while (!mapped && Clock::now() - started < std::chrono::seconds(20)) {
        pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&descriptor, 1, 100);
        mapped = drainSawMap(connection);
    }
    sample.ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    sample.cpuMs = cpuMsOf(pid);
    sample.sharedObjects = sharedObjectsOf(pid);
    sample.rssKb = rssKbOf(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return mapped;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    if (!std::getenv("DISPLAY")) {
        std::puts("startup_bench: skipped (no DISPLAY; start Xvfb and set DISPLAY)");
        return 0;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "startup_bench: cannot reach display %s\n", std::getenv("DISPLAY"));
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    // The window program on settings of its own, so that no earlier run changes the start.
    const std::filesystem::path config = std::filesystem::temp_directory_path() / ("startup-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(config);
    setenv("VISTREL_CONFIG_DIR", config.c_str(), 1);
    setenv("VISTREL_LOG", (config / "DIA.LOG").c_str(), 1);

    const char* programs[] = {argc > 3 ? argv[3] : BARE_WINDOW, argc > 2 ? argv[2] : VISTREL_APP};
    std::vector<double> times[2];
    std::vector<double> cpuTimes[2];
    Sample last[2];
    for (int round = 0; round < rounds + 1; ++round) {
        for (int i = 0; i < 2; ++i) {
            const int which = (round + i) % 2;  // each goes first every other round
            Sample sample;
            if (!measure(connection, programs[which], sample)) {
                std::fprintf(stderr, "startup_bench: %s showed no window\n", programs[which]);
                return 1;
            }
            if (round > 0) {  // the first round warms the caches
                times[which].push_back(sample.ms);
                cpuTimes[which].push_back(sample.cpuMs);
            }
            last[which] = sample;
        }
    }
    std::filesystem::remove_all(config);
    const double bare = median(times[0]);
    const double app = median(times[1]);
    const double bareCpu = median(cpuTimes[0]);
    const double appCpu = median(cpuTimes[1]);
    std::printf("medians of %d runs each     to the window   processor time   shared objects   memory\n", rounds);
    std::printf("yardstick                   %8.1f ms      %8.1f ms      %10zu   %4ld MB\n", bare, bareCpu,
                last[0].sharedObjects, last[0].rssKb / 1024);
    std::printf("program                     %8.1f ms      %8.1f ms      %10zu   %4ld MB\n", app, appCpu,
                last[1].sharedObjects, last[1].rssKb / 1024);
    std::printf("ratio: %.2f to the window, %.2f in processor time (goal: at most 2 against the bare window)\n",
                app / bare, appCpu / bareCpu);
    xcb_disconnect(connection);
    return 0;
}
