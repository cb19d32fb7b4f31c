#include "cli/Interrupt.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace vistrel::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;
int wakeFds[2] = {-1, -1};
int watchDepth = 0;
struct sigaction previousAction {};

extern "C" void onInterrupt(int) {
    interrupted = 1;
    const int saved = errno;
    if (wakeFds[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeFds[1], &byte, 1);
    }
    errno = saved;
}

}  // namespace

InterruptWatch::InterruptWatch() {
    if (watchDepth++ > 0) return;
    interrupted = 0;
    if (::pipe(wakeFds) == 0) {
        for (int fd : wakeFds) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // The serial port's reads and writes go on undisturbed; the waits look at the flag.
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &previousAction);
}

InterruptWatch::~InterruptWatch() {
    if (--watchDepth > 0) return;
    ::sigaction(SIGINT, &previousAction, nullptr);
    for (int& fd : wakeFds) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

bool interruptRequested() { return interrupted != 0; }

int interruptWakeFd() { return wakeFds[0]; }

void InterruptibleClock::sleepMs(int ms) {
    const std::int64_t until = nowMs() + ms;
    for (;;) {
        const std::int64_t left = until - nowMs();
        if (left <= 0 || interruptRequested()) return;
        if (wakeFds[0] < 0) {
            steady_.sleepMs(static_cast<int>(left));
            return;
        }
        // The wake pipe is never emptied: once readable, it keeps every later sleep short.
        pollfd wake{wakeFds[0], POLLIN, 0};
        ::poll(&wake, 1, static_cast<int>(left));
    }
}

}  // namespace vistrel::cli
