#pragma once
// The progress windows of the show transfers as a status line on the terminal: the
// window's title and its figure (the bar of bytes written, the line being read), or
// for the module window its title and its plea to wait. Windows opened inside
// another one (the module window during a write) show theirs until they close.
#include <cstdio>
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

private:
    enum class Window { Write, Read, Module };
    void open(Window window, const std::string& text);
    void close(Window window);

    TerminalProgress line_;
    // The open windows, innermost last, each with the text it shows now.
    std::vector<std::pair<Window, std::string>> open_;
    int totalBytes_ = 0;
};

}  // namespace vistrel::cli
