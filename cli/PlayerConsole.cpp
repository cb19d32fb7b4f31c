#include "cli/PlayerConsole.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "cli/Interrupt.h"
#include "cli/VisibleText.h"
#include "platform/Clock.h"

namespace vistrel::cli {

bool PlayerConsole::inBackground() const {
    if (!::isatty(inputFd_)) return false;
    const pid_t foreground = ::tcgetpgrp(inputFd_);
    return foreground >= 0 && foreground != ::getpgrp();
}

bool PlayerConsole::takeLine(std::string& line) {
    const std::size_t end = pending_.find('\n');
    if (end == std::string::npos) {
        if (!inputEnded_ || pending_.empty()) return false;
        line = pending_;
        pending_.clear();
    } else {
        line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

PlayerTerminal::Input PlayerConsole::waitForInput(int timeoutMs, std::string& line) {
    SystemClock clock;
    const std::int64_t until = clock.nowMs() + timeoutMs;
    for (;;) {
        // Once pressed, Ctrl+C is the answer to every later wait as well: the command ends.
        if (interruptRequested()) return Input::Interrupt;
        if (takeLine(line)) return Input::Line;
        const std::int64_t left = until - clock.nowMs();
        if (left <= 0) return Input::Nothing;

        pollfd watched[2] = {{interruptWakeFd(), POLLIN, 0}, {inputFd_, POLLIN, 0}};
        // After the end of input only the interrupt and the clock are waited for; so
        // too while the player runs in the background of its terminal, where reading
        // the keyboard would have the terminal stop it, and with it the show's timers.
        const nfds_t count = inputEnded_ || inBackground() ? 1 : 2;
        const int ready = ::poll(watched, count, static_cast<int>(left));
        if (ready < 0 && errno != EINTR) inputEnded_ = true;  // no input to wait for
        if (ready <= 0) continue;  // time-out or a signal: looked at above
        if (count == 2 && (watched[1].revents & POLLNVAL) != 0) {
            inputEnded_ = true;  // standard input was closed
        } else if (count == 2 && (watched[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            char buffer[512];
            const ssize_t got = ::read(inputFd_, buffer, sizeof buffer);
            if (got > 0) {
                pending_.append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                inputEnded_ = true;
            }
        }
    }
}

void PlayerConsole::printLine(const std::string& text) {
    std::fputs(visibleText(text).c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void PlayerConsole::printNote(const std::string& text) {
    std::fprintf(stderr, "vistrel-cli: %s\n", visibleText(text).c_str());
    std::fflush(stderr);
}

}  // namespace vistrel::cli
