#pragma once
// A zero-terminated text of fixed capacity, as show files and the projector know
// them: N bytes of storage hold at most N-1 characters. Every write is bounded;
// a longer text is cut to the capacity. The bytes are Windows-1252, unconverted.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace vistrel {

template <std::size_t N>
class FixedText {
    static_assert(N >= 1);

public:
    static constexpr std::size_t capacity = N - 1;

    FixedText() { bytes_.fill('\0'); }
    FixedText(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose, reads naturally
    FixedText(const char* text) { assign(text ? std::string_view(text) : std::string_view()); }  // NOLINT

    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    FixedText& operator=(const char* text) { return *this = (text ? std::string_view(text) : std::string_view()); }

    void assign(std::string_view text) {
        bytes_.fill('\0');
        // Stop at an embedded zero as a C text would, and at the capacity.
        const auto zero = text.find('\0');
        if (zero != std::string_view::npos) text = text.substr(0, zero);
        text = text.substr(0, capacity);
        std::copy(text.begin(), text.end(), bytes_.begin());
    }

    void clear() { bytes_.fill('\0'); }

    std::string_view view() const { return std::string_view(bytes_.data(), std::strlen(bytes_.data())); }
    std::string str() const { return std::string(view()); }
    bool empty() const { return bytes_[0] == '\0'; }
    std::size_t size() const { return std::strlen(bytes_.data()); }
    const char* c_str() const { return bytes_.data(); }

    // Direct access for in-place edits (the writer turns slashes into backslashes).
    char* data() { return bytes_.data(); }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
    friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const FixedText& a, const char* b) { return a.view() == std::string_view(b ? b : ""); }

private:
    std::array<char, N> bytes_;
};

}  // namespace vistrel
