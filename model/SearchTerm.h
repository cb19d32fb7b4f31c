#pragma once
// The comparison both searches make, in the open show and in show files on disk: a
// description matches when it holds the term as one piece. Unless case matters, both
// are compared in upper case as the Windows code page folds it (umlauts too).
#include <array>
#include <string>
#include <string_view>

namespace vistrel {

class SearchTerm {
public:
    // `termUtf8` as the user typed it.
    SearchTerm(std::string_view termUtf8, bool matchCase);

    // `description` holds Windows-1252 bytes.
    bool matches(std::string_view description) const;

    // Whether the term occurs anywhere in `text` as it would in a description of it.
    // A quick test over a whole file: where it fails, no description of the file matches.
    bool occursIn(std::string_view text) const;

    bool matchCase() const { return matchCase_; }

private:
    std::string term_;  // Windows-1252, folded unless case matters
    bool matchCase_;
    // A term with a character the code page has no byte for can occur in no
    // description; it must not turn into a '?' that matches real question marks.
    bool representable_;
    // How far the quick test may move on past a text byte that ends no occurrence.
    std::array<unsigned char, 256> skip_{};
};

}  // namespace vistrel
