#include "model/SearchTerm.h"

#include <algorithm>
#include <array>

#include "model/Cp1252.h"

namespace vistrel {

namespace {

const std::array<char, 256>& foldTable() {
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = upperCp1252(static_cast<char>(b));
        return t;
    }();
    return table;
}

}  // namespace

SearchTerm::SearchTerm(std::string_view termUtf8, bool matchCase) : matchCase_(matchCase) {
    term_ = utf8ToCp1252(termUtf8);
    representable_ = cp1252ToUtf8(term_) == termUtf8;
    if (!matchCase_) term_ = upperCp1252(term_);

    // Skips of the quick test: a text byte that (folded) is the term's byte j, counted
    // from the term's end, allows a move of that distance; any other byte the whole term.
    const std::size_t length = term_.size();
    const auto& fold = foldTable();
    for (int b = 0; b < 256; ++b) {
        const char folded = matchCase_ ? static_cast<char>(b) : fold[static_cast<std::size_t>(b)];
        std::size_t shift = std::min<std::size_t>(length, 255);
        for (std::size_t j = 0; j + 1 < length; ++j) {
            if (term_[j] == folded) shift = std::min<std::size_t>(length - 1 - j, 255);
        }
        skip_[static_cast<std::size_t>(b)] = static_cast<unsigned char>(std::max<std::size_t>(shift, 1));
    }
}

bool SearchTerm::occursIn(std::string_view text) const {
    if (!representable_) return false;
    const std::size_t length = term_.size();
    if (length == 0) return true;
    if (text.size() < length) return false;
    const auto& fold = foldTable();
    auto folded = [this, &fold](char c) { return matchCase_ ? c : fold[static_cast<unsigned char>(c)]; };
    const char last = term_[length - 1];
    for (std::size_t at = 0; at + length <= text.size();) {
        const char end = text[at + length - 1];
        if (folded(end) == last) {
            std::size_t j = 0;
            while (j + 1 < length && folded(text[at + j]) == term_[j]) ++j;
            if (j + 1 >= length) return true;
        }
        at += skip_[static_cast<unsigned char>(end)];
    }
    return false;
}

bool SearchTerm::matches(std::string_view description) const {
    if (!representable_) return false;
    if (term_.empty()) return true;
    if (term_.size() > description.size()) return false;
    if (matchCase_) return description.find(term_) != std::string_view::npos;

    // Descriptions are short; fold them on the stack.
    const auto& fold = foldTable();
    char small[256];
    std::string large;
    char* folded = small;
    if (description.size() > sizeof small) {
        large.resize(description.size());
        folded = large.data();
    }
    for (std::size_t i = 0; i < description.size(); ++i)
        folded[i] = fold[static_cast<unsigned char>(description[i])];
    return std::string_view(folded, description.size()).find(term_) != std::string_view::npos;
}

}  // namespace vistrel
