#include "cli/TerminalProgress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace vistrel::cli {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// The one line on the terminal at any time; a second TerminalProgress that draws
// takes it over.
TerminalProgress* active = nullptr;

// `text` cut to at most `width` characters (UTF-8); `characters` gets their count.
std::string cutToColumns(const std::string& text, std::size_t width, std::size_t& characters) {
    characters = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t next = i + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
        if (characters == width) break;
        ++characters;
        i = next;
    }
    return text.substr(0, i);
}

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* stream)
    : stream_(stream), enabled_(stream && isatty(fileno(stream)) == 1) {}

TerminalProgress::~TerminalProgress() {
    clear();
    if (active == this) active = nullptr;
}

void TerminalProgress::show(const std::string& text) {
    if (!enabled_ || text == lastText_) return;
    if (std::chrono::steady_clock::now() - lastDraw_ < kRedrawInterval) return;
    draw(text);
}

void TerminalProgress::showNow(const std::string& text) {
    if (!enabled_) return;
    draw(text);
    lastDraw_ = {};  // the first figure after it is not held back
}

void TerminalProgress::clear() {
    lastText_.clear();
    lastDraw_ = {};
    if (!enabled_ || shownWidth_ == 0) return;
    std::fputs(("\r" + std::string(shownWidth_, ' ') + "\r").c_str(), stream_);
    std::fflush(stream_);
    shownWidth_ = 0;
}

void TerminalProgress::clearActive() {
    if (active) active->clear();
}

void TerminalProgress::draw(const std::string& text) {
    if (active && active != this) active->clear();
    active = this;
    std::size_t width = 0;
    // One column short of the edge: a full line would wrap on some terminals, and
    // "\r" would then return to the wrong line.
    std::string line = "\r" + cutToColumns(text, columns() - 1, width);
    if (width < shownWidth_) line += std::string(shownWidth_ - width, ' ');
    std::fputs(line.c_str(), stream_);
    std::fflush(stream_);
    shownWidth_ = std::max(width, shownWidth_);
    lastText_ = text;
    lastDraw_ = std::chrono::steady_clock::now();
}

std::size_t TerminalProgress::columns() const {
    winsize size{};
    if (ioctl(fileno(stream_), TIOCGWINSZ, &size) == 0 && size.ws_col > 10) return size.ws_col;
    return 80;
}

}  // namespace vistrel::cli
