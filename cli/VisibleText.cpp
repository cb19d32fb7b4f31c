#include "cli/VisibleText.h"

#include <cstdio>

namespace vistrel::cli {

namespace {

std::string escape(const char* format, unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string visibleText(std::string_view utf8, Layout layout) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const bool kept = layout == Layout::Kept &&
                          (byte == '\n' || byte == '\t' || (byte == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n'));
        if ((byte < 0x20 || byte == 0x7f) && !kept) {
            out += escape("\\x%02x", byte);
        } else if (byte == 0xc2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(utf8[i + 1]) <= 0x9f) {
            // U+0080 .. U+009F in UTF-8: the C1 codes, which some terminals obey too.
            out += escape("\\u%04x", static_cast<unsigned char>(utf8[++i]));
        } else {
            out += utf8[i];
        }
    }
    return out;
}

}  // namespace vistrel::cli
