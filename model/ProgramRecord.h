#pragma once
// One program line as the projector stores it: a 6-byte record in its show area.
//
//   bytes 0-1  slide number, 16 bits, low byte first
//   byte  2    dissolve time in tenths of a second (low 8 bits)
//   bytes 3-4  timer time in hundredths of a second, 16 bits, low byte first
//   byte  5    special-function byte
//
// A record of six zero bytes is an end record. The special-function byte packs the
// three decimal digits of the code (mechanical H, light T, parameter U) into one byte;
// that packing is lossy outside the codes the line editor composes, so reading a record
// back may give a different code than was written (code 1 comes back as 100, for example).
#include <array>
#include <cstdint>
#include <span>

#include "model/ProgramLine.h"

namespace vistrel {

constexpr int ProgramRecordSize = 6;
// The projector's show area holds at most this many records.
constexpr int MaxProjectorRecords = 1000;

using ProgramRecord = std::array<std::uint8_t, ProgramRecordSize>;

// The special-function byte of `code`.
//  - Negative codes carry no special function: 0.
//  - Codes are split literally as H = code / 100, T = (code / 10) % 10, U = code % 10.
//    H may be 10 or more for codes of four digits and more; with H != 0 the byte is
//    (T * 16 + H) modulo 256, so such codes wrap rather than being refused.
std::uint8_t encodeSpecialFunctionByte(int code);

// The code a special-function byte stands for (0..570).
int decodeSpecialFunctionByte(std::uint8_t byte);

// The record of `line`. Values outside the record's fields are made to fit without
// wrapping into a different meaning: slide numbers are limited to 0..65535 and timer
// hundredths to 0..65535 (a timer above 6553.5 s is sent as 6553.5 s); the dissolve time
// keeps its low 8 bits, which is what the projector has always been sent.
ProgramRecord encodeProgramRecord(const ProgramLine& line);

// Fills slide, dissolve, timer (hundredths / 10) and special function of `line` from a
// record; the texts and marks of the line are left alone.
void decodeProgramRecord(std::span<const std::uint8_t, ProgramRecordSize> record, ProgramLine& line);

bool isEndRecord(std::span<const std::uint8_t, ProgramRecordSize> record);

// The line as the projector will run it once written: slide, dissolve, timer and code
// after their trip through a record (a code the byte cannot carry comes back as the one
// the projector keeps). The rehearsal runs the virtual projector, so whatever predicts
// its timing must start from these values, not from the file's.
ProgramLine asProjectorHoldsIt(const ProgramLine& line);
// Writing `line` puts an end record into the projector: the show stops before it.
bool endsShowOnProjector(const ProgramLine& line);

}  // namespace vistrel
