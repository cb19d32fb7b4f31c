#include "model/ShowScan.h"

#include <cstring>

namespace vistrel {

namespace {

// Where the field starting at `start` ends (a CR or a "/"), when that lies within
// `capacity` characters of it; npos otherwise. The end of the text is no end: a
// field cut off there was never finished.
std::size_t fieldEnd(std::string_view text, std::size_t start, std::size_t capacity) {
    if (start >= text.size()) return std::string_view::npos;
    const std::size_t last = std::min(text.size() - 1, start + capacity);
    for (std::size_t i = start; i <= last; ++i) {
        if (text[i] == '\r' || text[i] == '/') return i;
    }
    return std::string_view::npos;
}

}  // namespace

void ShowTextScanner::readTag(std::string_view text, std::size_t slash) {
    if (slash + 1 >= text.size()) return;
    const char tag = text[slash + 1];
    if ((tag == 'h' || tag == 'H') && slash + 2 < text.size() && text[slash + 2] == '1') {
        // The title keeps the blank that follows the tag.
        const std::size_t start = slash + 3;
        const std::size_t end = fieldEnd(text, start, TitleCapacity);
        if (end != std::string_view::npos) title_.assign(text.substr(start, end - start));
    } else if (tag == 'c' || tag == 'C') {
        const std::size_t start = slash + 3;  // after "/c "
        const std::size_t end = fieldEnd(text, start, DescriptionCapacity);
        if (end == std::string_view::npos) return;
        const std::string_view description = text.substr(start, end - start);
        if (term_.matches(description)) hit_ = ShowHit{std::string(description), title_};
    }
}

std::size_t ShowTextScanner::scan(std::string_view text, bool atEnd) {
    if (hit_) return text.size();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const void* found = std::memchr(text.data() + pos, '/', text.size() - pos);
        if (!found) return text.size();
        const auto slash = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        // A tag near the end of this piece is decided once the next piece is there.
        if (!atEnd && slash + Lookahead > text.size()) return slash;
        readTag(text, slash);
        if (hit_) return text.size();
        pos = slash + 1;
    }
    return text.size();
}

std::optional<ShowHit> scanShowText(std::string_view text, const SearchTerm& term) {
    ShowTextScanner scanner(term);
    scanner.scan(text, true);
    return scanner.hit();
}

}  // namespace vistrel
