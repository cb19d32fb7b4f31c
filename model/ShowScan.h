#pragma once
// Finds, in the bytes of a show file, the first description that holds a search term,
// together with the title read before it. The file is walked from one "/" to the
// next; only "/h1" (the title) and "/c" (a description) are looked at, each only when
// it ends (at a CR or the next "/") within its field's capacity. Works on a whole file
// or on pieces of it, so that a large file never has to be in memory at once.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/SearchTerm.h"

namespace vistrel {

struct ShowHit {
    std::string description;  // Windows-1252, as in the file
    std::string title;        // Windows-1252, with the blank after "/h1"
};

class ShowTextScanner {
public:
    // Capacities of the fields as the show keeps them.
    static constexpr std::size_t TitleCapacity = 179;
    static constexpr std::size_t DescriptionCapacity = 180;
    // Bytes from a "/" on that deciding its tag may need: "/c", one character, the
    // longest description and its end.
    static constexpr std::size_t Lookahead = 3 + DescriptionCapacity + 1;

    explicit ShowTextScanner(const SearchTerm& term) : term_(term) {}

    // Scans `text`: the bytes not yet done, followed by the file's next bytes.
    // Returns how many bytes from its start are done; the rest must be given again at
    // the start of the next call. With `atEnd` everything is done.
    std::size_t scan(std::string_view text, bool atEnd);

    // The first matching description; once there, the file needs no more scanning.
    const std::optional<ShowHit>& hit() const { return hit_; }

private:
    void readTag(std::string_view text, std::size_t slash);

    const SearchTerm& term_;
    std::string title_;
    std::optional<ShowHit> hit_;
};

// The whole text at once.
std::optional<ShowHit> scanShowText(std::string_view text, const SearchTerm& term);

}  // namespace vistrel
