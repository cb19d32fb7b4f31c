#pragma once
// The terminal of `vistrel-cli projector play` and `stop`: commands are read from
// standard input without ever blocking the show's timers (poll() with the time to
// the next tick as its time-out), Ctrl+C (noted by the session's InterruptWatch)
// arrives as an input of its own, and every printed line is flushed at once, so that
// a script reading the output through a pipe sees each line as the show reaches it.
#include <string>

#include "projector/ShowPlayer.h"

namespace vistrel::cli {

class PlayerConsole final : public PlayerTerminal {
public:
    explicit PlayerConsole(int inputFd = 0) : inputFd_(inputFd) {}

    Input waitForInput(int timeoutMs, std::string& line) override;
    void printLine(const std::string& text) override;
    void printNote(const std::string& text) override;

private:
    // A whole line from what was read so far (the last one also without its line end
    // once the input has ended).
    bool takeLine(std::string& line);
    bool inBackground() const;

    int inputFd_;
    bool inputEnded_ = false;
    std::string pending_;
};

}  // namespace vistrel::cli
