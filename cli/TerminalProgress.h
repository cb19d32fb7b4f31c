#pragma once
// One status line on the terminal for long work (a transfer, a folder search, a
// print): redrawn in place on stderr at most ten times a second, and wiped when the
// work ends or before anything else is printed. When stderr is not a terminal (a
// pipe, a file, a script) it prints nothing at all, so that whoever reads the output
// sees exactly the command's own.
//
//     TerminalProgress progress;                      // on stderr
//     for (...) progress.show("Dateien: " + std::to_string(count));
//     progress.clear();                               // before printing a result line
//
// Only plain characters are written ("\r", blanks), no escape sequences, so the line
// is wiped on any terminal.
#include <chrono>
#include <cstdio>
#include <string>

namespace vistrel::cli {

class TerminalProgress {
public:
    explicit TerminalProgress(std::FILE* stream = stderr);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Whether anything is drawn: the stream is a terminal.
    bool enabled() const { return enabled_; }

    // Shows `text` as the status line, unless the last drawing is younger than a
    // tenth of a second (a counter that moves on every byte stays cheap).
    void show(const std::string& text);
    // Shows `text` at once: the first figure of a new step.
    void showNow(const std::string& text);
    // Wipes the line; the next show() draws it again.
    void clear();

    // Wipes whichever status line is on the terminal. Everything that prints while
    // work may be in progress (the messages of ConsolePrompter) calls this first.
    static void clearActive();

private:
    void draw(const std::string& text);
    std::size_t columns() const;

    std::FILE* stream_;
    bool enabled_;
    std::size_t shownWidth_ = 0;  // characters of the line on the terminal, 0 = none
    std::string lastText_;
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace vistrel::cli
