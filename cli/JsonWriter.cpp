#include "cli/JsonWriter.h"

namespace vistrel::cli {

std::string jsonString(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto b = static_cast<unsigned char>(c);
        // DEL and the C1 codes (U+0080 .. U+009F) need no escape in JSON, but a
        // terminal showing the output would obey them: escaped like the C0 codes.
        const bool c1 = b == 0xc2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(utf8[i + 1]) <= 0x9f;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7f || c1) {
            const auto code = c1 ? static_cast<unsigned char>(utf8[++i]) : b;
            out += "\\u00";
            out += kHex[code >> 4];
            out += kHex[code & 0x0F];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

}  // namespace vistrel::cli
