#include "model/ProgramRecord.h"

#include <algorithm>
#include <cstdint>

namespace vistrel {

namespace {

// Group value of the light digit when there is no mechanical function. Light 8 and 9 do
// not exist on the projector and travel as plain dissolve.
constexpr std::uint8_t kLightGroup[10] = {0x00, 0x40, 0x50, 0x30, 0x20, 0x10, 0x60, 0x70, 0x00, 0x00};

// The light digit of each group (bits 4..6 of the byte), the inverse of kLightGroup.
constexpr int kGroupLight[8] = {0, 5, 4, 3, 1, 2, 6, 7};

std::uint16_t clampTo16Bits(std::int64_t value) {
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(value, 0, 0xFFFF));
}

}  // namespace

std::uint8_t encodeSpecialFunctionByte(int code) {
    if (code <= 0) return 0;
    const int mechanical = code / 100;
    const int light = (code / 10) % 10;
    const int parameter = code % 10;
    if (mechanical != 0) return static_cast<std::uint8_t>((light * 16 + mechanical) & 0xFF);
    // Fade-out/in with or without pause take no parameter on the projector.
    if (light == 6 || light == 7) return kLightGroup[light];
    return static_cast<std::uint8_t>(kLightGroup[light] + parameter);
}

int decodeSpecialFunctionByte(std::uint8_t byte) {
    if (byte == 0) return 0;
    const int group = (byte >> 4) & 0x07;  // bit 7 carries nothing
    const int light = kGroupLight[group];
    int parameter = byte & 0x0F;
    int mechanical = 0;
    // Only plain dissolve and the two fade-out/in functions can carry a mechanical
    // function; it then sits in the low bits where the parameter would be.
    if (group == 0 || group == 6 || group == 7) {
        const int slaveBits = byte & 0x06;
        if (slaveBits == 0x02) {
            mechanical = 2;
            parameter = 0;
        } else if (slaveBits == 0x04) {
            mechanical = 4;
            parameter = 0;
        }
        if (byte & 0x01) {
            mechanical += 1;
            parameter = 0;
        }
    }
    return mechanical * 100 + light * 10 + parameter;
}

ProgramRecord encodeProgramRecord(const ProgramLine& line) {
    const std::uint16_t slide = clampTo16Bits(line.slideNumber);
    const std::uint16_t hundredths = clampTo16Bits(static_cast<std::int64_t>(line.timerTime) * 10);
    return {
        static_cast<std::uint8_t>(slide & 0xFF),
        static_cast<std::uint8_t>(slide >> 8),
        static_cast<std::uint8_t>(static_cast<std::uint32_t>(line.dissolveTime) & 0xFF),
        static_cast<std::uint8_t>(hundredths & 0xFF),
        static_cast<std::uint8_t>(hundredths >> 8),
        encodeSpecialFunctionByte(line.specialFunction),
    };
}

void decodeProgramRecord(std::span<const std::uint8_t, ProgramRecordSize> record, ProgramLine& line) {
    line.slideNumber = record[0] | (record[1] << 8);
    line.dissolveTime = record[2];
    line.timerTime = (record[3] | (record[4] << 8)) / 10;
    line.specialFunction = decodeSpecialFunctionByte(record[5]);
}

bool isEndRecord(std::span<const std::uint8_t, ProgramRecordSize> record) {
    return std::all_of(record.begin(), record.end(), [](std::uint8_t b) { return b == 0; });
}

ProgramLine asProjectorHoldsIt(const ProgramLine& line) {
    ProgramLine held = line;
    const ProgramRecord record = encodeProgramRecord(line);
    decodeProgramRecord(record, held);
    return held;
}

bool endsShowOnProjector(const ProgramLine& line) { return isEndRecord(encodeProgramRecord(line)); }

}  // namespace vistrel
