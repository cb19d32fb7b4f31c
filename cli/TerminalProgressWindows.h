#pragma once
// The progress windows of the show transfers as a status line on the terminal: the
// window's title and its figure (the bar of bytes written, the line being read), or
// for the module window its title and its plea to wait. Windows opened inside
// another one (the module window during a write) show theirs until they close. A
// wait for the projector that lasts shows what it waits for, and Ctrl+C ends it.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/TerminalProgress.h"
#include "platform/ProgressWindows.h"

namespace vistrel::cli {

class TerminalProgressWindows final : public ProgressWindows {
public:
    explicit TerminalProgressWindows(std::FILE* stream = stderr) : line_(stream) {}

    void openWriteProgress(int totalBytes) override;
    void setWriteProgress(int bytesDone) override;
    void closeWriteProgress() override;

    void openReadProgress() override;
    void setReadLine(int lineNumber) override;
    void closeReadProgress() override;

    void openModuleWindow(bool reading) override;
    void closeModuleWindow() override;

    // A wait for the projector shows what it waits for once it lasts a moment; Ctrl+C
    // ends it (and every later one).
    void beginWait(WaitKind kind) override;
    void endWait() override;
    bool waitCancelled() override;

private:
    enum class Window { Write, Read, Module, Wait };
    void open(Window window, const std::string& text);
    void close(Window window);

    TerminalProgress line_;
    // The open windows, innermost last, each with the text it shows now.
    std::vector<std::pair<Window, std::string>> open_;
    int totalBytes_ = 0;
    std::optional<WaitKind> waitKind_;
    std::chrono::steady_clock::time_point waitBegan_{};
    bool waitShown_ = false;
};

}  // namespace vistrel::cli
