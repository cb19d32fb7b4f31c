#include "cli/TerminalProgressWindows.h"

#include <algorithm>

#include "cli/Interrupt.h"
#include "res/StringTable.h"
#include "res/strings/DialogStrings.h"
#include "res/strings/ProjectorStrings.h"
#include "res/strings/WaitStrings.h"

namespace vistrel::cli {

namespace {

constexpr int kBarWidth = 20;

// "Schreiben der Diaschau in den Projektor [########------------]  40 %"
std::string writeText(int done, int total) {
    const int percent = total > 0 ? std::clamp(static_cast<int>(100LL * done / total), 0, 100) : 0;
    const int filled = percent * kBarWidth / 100;
    std::string percentText = std::to_string(percent);
    percentText.insert(0, 3 - std::min<std::size_t>(3, percentText.size()), ' ');
    return std::string(res::text(ids::WriteProgressTitle)) + " [" + std::string(filled, '#') +
           std::string(kBarWidth - filled, '-') + "] " + percentText + " %";
}

// "Diaschau aus den Projektor lesen  Lese Zeile : 12"; without a number until the
// first line is being read.
std::string readText(int line) {
    std::string text = std::string(res::text(ids::ReadProgressTitle)) + "  " + res::text(ids::ReadLineLabel);
    return line > 0 ? text + " " + std::to_string(line) : text;
}

// "warten ...  Vistrel wartet, bis der Projektor bereit ist (höchstens 30 Sekunden).
// Strg+C bricht ab." on one line.
std::string waitText(ProgressWindows::WaitKind kind) {
    int id = ids::WaitReadyText;
    if (kind == ProgressWindows::WaitKind::Module) id = ids::WaitModuleText;
    if (kind == ProgressWindows::WaitKind::Search) id = ids::WaitSearchText;
    std::string text = std::string(res::text(ids::WaitCaption)) + "  " + res::text(id) + " Strg+C bricht ab.";
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

void TerminalProgressWindows::openWriteProgress(int totalBytes) {
    totalBytes_ = totalBytes;
    open(Window::Write, writeText(0, totalBytes));
}

void TerminalProgressWindows::setWriteProgress(int bytesDone) {
    if (open_.empty() || open_.back().first != Window::Write) return;
    open_.back().second = writeText(bytesDone, totalBytes_);
    line_.show(open_.back().second);
}

void TerminalProgressWindows::closeWriteProgress() { close(Window::Write); }

void TerminalProgressWindows::openReadProgress() { open(Window::Read, readText(0)); }

void TerminalProgressWindows::setReadLine(int lineNumber) {
    if (open_.empty() || open_.back().first != Window::Read) return;
    open_.back().second = readText(lineNumber);
    line_.show(open_.back().second);
}

void TerminalProgressWindows::closeReadProgress() { close(Window::Read); }

void TerminalProgressWindows::openModuleWindow(bool reading) {
    open(Window::Module, std::string(res::text(reading ? ids::ReadingFromModuleTitle : ids::ModuleWindowTitle)) +
                             "  " + res::text(ids::ModulePleaseWaitText));
}

void TerminalProgressWindows::closeModuleWindow() { close(Window::Module); }

void TerminalProgressWindows::beginWait(WaitKind kind) {
    waitKind_ = kind;
    waitBegan_ = std::chrono::steady_clock::now();
    waitShown_ = false;
}

void TerminalProgressWindows::endWait() {
    waitKind_.reset();
    if (waitShown_) close(Window::Wait);
    waitShown_ = false;
}

bool TerminalProgressWindows::waitCancelled() {
    // As the window program's wait window: nothing for a wait that is over at once.
    constexpr auto ShowAfter = std::chrono::milliseconds(300);
    if (waitKind_ && !waitShown_ && std::chrono::steady_clock::now() - waitBegan_ >= ShowAfter) {
        waitShown_ = true;
        open(Window::Wait, waitText(*waitKind_));
    }
    return interruptRequested();
}

void TerminalProgressWindows::open(Window window, const std::string& text) {
    open_.emplace_back(window, text);
    line_.showNow(text);
}

void TerminalProgressWindows::close(Window window) {
    const auto it = std::find_if(open_.rbegin(), open_.rend(), [window](const auto& w) { return w.first == window; });
    if (it == open_.rend()) return;
    open_.erase(std::next(it).base());
    if (open_.empty()) {
        line_.clear();
    } else {
        line_.showNow(open_.back().second);
    }
}

}  // namespace vistrel::cli
