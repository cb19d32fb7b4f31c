#include "sim/ShowRecord.h"

#include "model/ProgramRecord.h"

namespace vistrel::sim {

namespace {

std::uint8_t lowByte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t highByte(int value) { return static_cast<std::uint8_t>((value >> 8) & 0xFF); }

}  // namespace

std::array<std::uint8_t, ShowRecordSize> ShowRecord::toBytes() const {
    return {lowByte(slide),           highByte(slide), dissolveTenths,
            lowByte(timerHundredths), highByte(timerHundredths), special};
}

ShowRecord ShowRecord::fromBytes(const std::uint8_t* bytes) {
    ShowRecord record;
    record.slide = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    record.dissolveTenths = bytes[2];
    record.timerHundredths = static_cast<std::uint16_t>(bytes[3] | (bytes[4] << 8));
    record.special = bytes[5];
    return record;
}

bool ShowRecord::isEndRecord() const {
    return slide == 0 && dissolveTenths == 0 && timerHundredths == 0 && special == 0;
}

int ShowRecord::specialCode() const { return decodeSpecialFunction(special); }

LineTiming ShowRecord::timing() const {
    // A timer of a few hundredths is still a timer, not a pause.
    const std::int64_t timerTenths = (std::int64_t{timerHundredths} + 9) / 10;
    return lineTiming(specialCode(), dissolveTenths, timerTenths);
}

int ShowRecord::pauseCount() const { return timing().pauseCount(); }

bool ShowRecord::isAutoreverse() const { return timing().autoreverse; }

int ShowRecord::effectTenths() const { return static_cast<int>(timing().effectTenths); }

ShowRecord ShowRecord::fromLine(int slideNumber, int dissolve, int timerTenths, int specialCode) {
    ShowRecord record;
    // The record's fields are as wide as the projector keeps them; wider values keep
    // their low bits, exactly as a show write stores them.
    record.slide = static_cast<std::uint16_t>(slideNumber & 0xFFFF);
    record.dissolveTenths = lowByte(dissolve);
    record.timerHundredths = static_cast<std::uint16_t>((timerTenths * 10) & 0xFFFF);
    record.special = encodeSpecialFunction(specialCode);
    return record;
}

std::uint8_t encodeSpecialFunction(int code) { return encodeSpecialFunctionByte(code); }

int decodeSpecialFunction(std::uint8_t byte) { return decodeSpecialFunctionByte(byte); }

std::vector<ShowRecord> demoShow() {
    return {
        ShowRecord::fromLine(1, 20, 50, 0),
        ShowRecord::fromLine(2, 20, 50, 15),
        ShowRecord::fromLine(3, 20, 50, 0),
        ShowRecord::fromLine(4, 20, 50, 33),
        ShowRecord::fromLine(5, 20, 50, 60),
        ShowRecord::fromLine(6, 30, 80, 0),
    };
}

}  // namespace vistrel::sim
