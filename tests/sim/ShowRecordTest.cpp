// The record layout and the special-function byte the projector keeps: a mistake
// here makes the projector run a different show from the one the program wrote.
#include <gtest/gtest.h>

#include "sim/ShowRecord.h"

namespace vistrel::sim {
namespace {

struct CodeByte {
    int code;
    std::uint8_t byte;
};

TEST(SpecialFunctionByte, EncodesAndDecodesTheCodesThatTravel) {
    const CodeByte cases[] = {
        {0, 0x00},   {45, 0x25},  {100, 0x01}, {260, 0x62}, {500, 0x05}, {470, 0x74}, {60, 0x60},
        {70, 0x70},  {15, 0x45},  {29, 0x59},  {33, 0x33},  {41, 0x21},  {52, 0x12},  {160, 0x61},
        {170, 0x71}, {300, 0x03}, {370, 0x73}, {560, 0x65}, {570, 0x75}, {200, 0x02}, {400, 0x04},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeSpecialFunction(c.code), c.byte) << "code " << c.code;
        EXPECT_EQ(decodeSpecialFunction(c.byte), c.code) << "byte " << int{c.byte};
    }
}

TEST(ShowRecord, LaysOutItsSixBytesLowByteFirst) {
    // Slide 300, dissolve 2.5 s, timer 12.5 s, code 45.
    const ShowRecord record = ShowRecord::fromLine(300, 25, 125, 45);
    const std::array<std::uint8_t, 6> expected = {0x2C, 0x01, 25, 0xE2, 0x04, 0x25};
    EXPECT_EQ(record.toBytes(), expected);
    EXPECT_EQ(ShowRecord::fromBytes(expected.data()), record);
}

TEST(ShowRecord, KnowsPausesAutoreverseAndTheEnd) {
    struct Case {
        int timerTenths;
        int code;
        int pauses;
        bool autoreverse;
    };
    const Case cases[] = {
        {50, 0, 0, false},  {0, 0, 1, false},   {50, 70, 1, false}, {0, 70, 2, false},  {50, 170, 1, true},
        {50, 37, 0, false}, {50, 100, 0, true}, {50, 300, 0, true}, {50, 560, 0, true}, {50, 200, 0, false},
        {50, 460, 0, false},
    };
    for (const auto& c : cases) {
        const ShowRecord r = ShowRecord::fromLine(1, 10, c.timerTenths, c.code);
        EXPECT_EQ(r.pauseCount(), c.pauses) << c.timerTenths << "/" << c.code;
        EXPECT_EQ(r.isAutoreverse(), c.autoreverse) << c.code;
        EXPECT_FALSE(r.isEndRecord());
    }
    EXPECT_TRUE(ShowRecord{}.isEndRecord());
    // Slide 0 with times is a line (a dark slide), not the end.
    EXPECT_FALSE(ShowRecord::fromLine(0, 10, 10, 0).isEndRecord());
}

}  // namespace
}  // namespace vistrel::sim
