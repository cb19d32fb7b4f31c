#pragma once
// One program line as the projector stores it: 6 bytes at show start + 6 × index.
//   0-1 slide number (low byte first), 2 dissolve (tenths), 3-4 timer (hundredths,
//   low byte first), 5 special-function byte.
// Also the translation between a special-function code (three decimal digits:
// mechanical, light, parameter) and the one byte the projector keeps of it.
#include <array>
#include <cstdint>
#include <vector>

#include "model/LineTiming.h"

namespace vistrel::sim {

constexpr int ShowRecordSize = 6;
constexpr int MaxShowRecords = 1000;

struct ShowRecord {
    std::uint16_t slide = 0;
    std::uint8_t dissolveTenths = 0;
    std::uint16_t timerHundredths = 0;
    std::uint8_t special = 0;  // the encoded special-function byte

    std::array<std::uint8_t, ShowRecordSize> toBytes() const;
    static ShowRecord fromBytes(const std::uint8_t* bytes);

    // Six zero bytes end the show.
    bool isEndRecord() const;
    int specialCode() const;
    // The line's times as the editor's show length counts them, so that a show takes
    // on this projector as long as the editor says.
    LineTiming timing() const;
    // Timer 0, or the light function "fade out/in with pause".
    int pauseCount() const;
    // Reaching such a line sends the show back to its first line.
    bool isAutoreverse() const;
    // How long the line's light effect takes before its timer starts, in tenths.
    int effectTenths() const;

    // A record built from the values the line-editing commands and the program use.
    static ShowRecord fromLine(int slide, int dissolveTenths, int timerTenths, int specialCode);

    bool operator==(const ShowRecord&) const = default;
};

// The special-function byte, packed as the program writes it (model/ProgramRecord).
std::uint8_t encodeSpecialFunction(int code);
int decodeSpecialFunction(std::uint8_t byte);

// A short show for a fresh projector and a fresh module, so that something can run at once.
std::vector<ShowRecord> demoShow();

}  // namespace vistrel::sim
