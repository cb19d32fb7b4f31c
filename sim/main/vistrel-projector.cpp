// vistrel-projector: a virtual slide projector on a pseudo terminal, so that the
// program (or any other client) can talk to it through a real serial-port API.
// Line 1 of the output is the device path, line 2 the VISTREL_COMn setting.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "PtyServer.h"
#include "sim/ProjectorCommandLine.h"
#include "sim/VirtualProjector.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: poll() must return so the loop sees the flag
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace

int main(int argc, char** argv) {
    using vistrel::sim::ProjectorCommandLine;
    const ProjectorCommandLine commandLine = ProjectorCommandLine::parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!commandLine.error.empty()) {
        std::cerr << "vistrel-projector: " << commandLine.error << "\n\n" << ProjectorCommandLine::usage();
        return 2;
    }
    if (commandLine.help) {
        std::cout << ProjectorCommandLine::usage();
        return 0;
    }

    installSignalHandlers();
    vistrel::sim::VirtualProjector projector(commandLine.options);
    vistrel::sim::PtyServer server(projector, commandLine.baud);
    if (!server.open()) {
        std::cerr << "vistrel-projector: cannot open a pseudo terminal (" << server.error() << ")\n";
        return 1;
    }
    std::cout << server.slavePath() << '\n'
              << "VISTREL_COM" << commandLine.com << '=' << server.slavePath() << '\n'
              << std::flush;
    server.run(stopRequested);
    return 0;
}
