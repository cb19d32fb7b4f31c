#include "sim/ShowRecord.h"

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

int ShowRecord::pauseCount() const {
    int pauses = 0;
    if (timerHundredths == 0) ++pauses;
    if (specialCode() % 100 == 70) ++pauses;
    return pauses;
}

bool ShowRecord::isAutoreverse() const {
    // Mechanical functions 1, 3 and 5 are autoreverse, alone or with a slave trigger.
    const int mechanical = specialCode() / 100;
    return mechanical == 1 || mechanical == 3 || mechanical == 5;
}

int ShowRecord::effectTenths() const {
    const int code = specialCode();
    const int light = (code % 100) / 10;
    const int parameter = code % 10;
    const int dissolve = dissolveTenths;
    switch (light) {
        case 1:
        case 2: return 10 * parameter + 2 * dissolve;
        case 3:
        case 4:
        case 5: return 2 * parameter * dissolve;
        case 6:
        case 7: return 2 * dissolve;
        default: return dissolve;
    }
}

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

std::uint8_t encodeSpecialFunction(int code) {
    if (code < 0) code = 0;
    const int mechanical = code / 100;
    const int light = (code / 10) % 10;
    const int parameter = code % 10;
    if (mechanical != 0) return lowByte(light * 16 + mechanical);
    switch (light) {
        case 1: return lowByte(0x40 + parameter);
        case 2: return lowByte(0x50 + parameter);
        case 3: return lowByte(0x30 + parameter);
        case 4: return lowByte(0x20 + parameter);
        case 5: return lowByte(0x10 + parameter);
        case 6: return 0x60;
        case 7: return 0x70;
        default: return lowByte(parameter);  // light 0, 8 and 9 carry no group value
    }
}

int decodeSpecialFunction(std::uint8_t byte) {
    if (byte == 0) return 0;
    static constexpr int lightByGroup[8] = {0, 5, 4, 3, 1, 2, 6, 7};
    const int group = (byte >> 4) & 0x07;
    int light = lightByGroup[group];
    int parameter = byte & 0x0F;
    int mechanical = 0;
    if (group == 0 || group == 6 || group == 7) {
        const int bits12 = byte & 0x06;
        if (bits12 == 0x02) {
            mechanical = 2;
            parameter = 0;
        } else if (bits12 == 0x04) {
            mechanical = 4;
            parameter = 0;
        }
        if (byte & 0x01) {
            mechanical += 1;
            parameter = 0;
        }
    }
    return 100 * mechanical + 10 * light + parameter;
}

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
