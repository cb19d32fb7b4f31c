#pragma once
// One program line of a show and the show's header texts, stored by value in
// fixed-size records: copying a line is a plain copy of its record.
#include <cstdint>

#include "model/FixedText.h"

namespace vistrel {

constexpr int MaxProgramLines = 999;
// Storage of the document: the show's lines plus scratch records used while loading.
constexpr int LineStorageRecords = 1002;

enum ChangeMark : std::uint8_t {
    ChangedSinceSave = 0x01,
    NotInProjector = 0x02,
    NotInModule = 0x04,
    AllChangeMarks = 0x07,
};

struct ProgramLine {
    FixedText<8> programNumber;      // "%03d" of the 1-based position, or the file's value
    std::int32_t slideNumber = 0;    // 0..999; 0 marks the end of the show
    std::int32_t dissolveTime = 0;   // tenths of a second, 0..255
    std::int32_t timerTime = 0;      // tenths of a second, 0..6000; 0 pauses the show
    std::int32_t specialFunction = 0;
    FixedText<181> description;
    std::uint8_t changeMarks = 0;

    friend bool operator==(const ProgramLine&, const ProgramLine&) = default;
};

// Whether two lines say the same, whatever their change marks.
inline bool sameContent(const ProgramLine& a, const ProgramLine& b) {
    return a.programNumber == b.programNumber && a.slideNumber == b.slideNumber && a.dissolveTime == b.dissolveTime &&
           a.timerTime == b.timerTime && a.specialFunction == b.specialFunction && a.description == b.description;
}

struct ShowHeader {
    FixedText<180> title;                 // "/h1"
    FixedText<180> description;           // "/h2"
    FixedText<180> descriptionContinued;  // "/h3"
    FixedText<20> storageLocation;        // "/h4"
    FixedText<20> moduleNumber;           // "/a"

    friend bool operator==(const ShowHeader&, const ShowHeader&) = default;
};

// The fields in which two headers differ, as HeaderField bits (model/DocumentChange.h).
unsigned differingHeaderFields(const ShowHeader& a, const ShowHeader& b);

}  // namespace vistrel
