// The 6-byte program record and its special-function byte, checked against the
// byte values the projector expects.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/ProgramRecord.h"
#include "tests/projector/ShowTransferBench.h"

namespace vistrel {
namespace {

struct CodeByte {
    int code;
    std::uint8_t byte;
};

TEST(SpecialFunctionByte, EncodesEachDigitCombination) {
    const CodeByte cases[] = {
        {0, 0x00},    {45, 0x25},   {100, 0x01},  {260, 0x62}, {500, 0x05}, {470, 0x74},
        {60, 0x60},   {65, 0x60},   {77, 0x70},   {15, 0x45},  {29, 0x59},  {33, 0x33},
        {41, 0x21},   {52, 0x12},   {5, 0x05},    {80, 0x00},  {93, 0x03},  {103, 0x01},
        {135, 0x31},  {570, 0x75},  {600, 0x06},  {999, 0x99},
        // Codes of four digits and more follow the same rule with H = code / 100.
        {1000, 0x0A}, {1234, 0x3C}, {2550, 0x69}, {99999, 0x77},
        // Negative codes carry no special function.
        {-1, 0x00},   {-470, 0x00},
    };
    for (const auto& c : cases) EXPECT_EQ(encodeSpecialFunctionByte(c.code), c.byte) << "code " << c.code;
}

TEST(SpecialFunctionByte, DecodesEveryGroupAndTheMechanicalBits) {
    const CodeByte cases[] = {
        {0, 0x00},   {45, 0x25},  {100, 0x01}, {260, 0x62}, {500, 0x05}, {470, 0x74}, {60, 0x60},
        {15, 0x45},  {29, 0x59},  {33, 0x33},  {52, 0x12},  {200, 0x02}, {300, 0x03}, {400, 0x04},
        {6, 0x06},   {14, 0x0E},  {100, 0x0F}, {370, 0x73}, {170, 0x71}, {560, 0x65},
        // Units above 9 survive in the groups without mechanical bits.
        {65, 0x1F},  {25, 0x4F},
        // Bit 7 is ignored.
        {500, 0x85}, {45, 0xA5},  {0, 0x80},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeSpecialFunctionByte(c.byte), c.code) << "byte " << int(c.byte);
}

// Every code the line editor can compose comes back unchanged from the projector.
TEST(SpecialFunctionByte, EditorCodesRoundTrip) {
    for (int code : test::editorComposableCodes()) EXPECT_EQ(decodeSpecialFunctionByte(encodeSpecialFunctionByte(code)), code) << code;
}

TEST(SpecialFunctionByte, CodesOutsideTheEditorComeBackAsTheProjectorReadsThem) {
    // The byte has no room for these; what comes back is what the projector would report.
    const struct {
        int written;
        int readBack;
    } cases[] = {{1, 100}, {2, 200}, {3, 300}, {4, 400}, {5, 500}, {7, 100}, {9, 100},
                 {65, 60}, {81, 100}, {105, 100}, {133, 31}, {600, 6}, {1000, 200}};
    for (const auto& c : cases)
        EXPECT_EQ(decodeSpecialFunctionByte(encodeSpecialFunctionByte(c.written)), c.readBack) << c.written;
}

ProgramLine lineWith(int slide, int dissolve, int timer, int code) {
    ProgramLine line;
    line.slideNumber = slide;
    line.dissolveTime = dissolve;
    line.timerTime = timer;
    line.specialFunction = code;
    return line;
}

TEST(ProgramRecordTest, EncodesFieldsLowByteFirst) {
    const struct {
        ProgramLine line;
        ProgramRecord record;
    } cases[] = {
        {lineWith(300, 25, 125, 45), {0x2C, 0x01, 25, 0xE2, 0x04, 0x25}},
        {lineWith(999, 255, 6000, 570), {0xE7, 0x03, 0xFF, 0x60, 0xEA, 0x75}},
        {lineWith(1, 1, 0, 0), {0x01, 0x00, 0x01, 0x00, 0x00, 0x00}},
        // Dissolve keeps its low 8 bits; slide and timer are held to 16 bits.
        {lineWith(5, 300, 6553, 0), {0x05, 0x00, 0x2C, 0xFA, 0xFF, 0x00}},
        {lineWith(70000, 1, 7000, 0), {0xFF, 0xFF, 0x01, 0xFF, 0xFF, 0x00}},
        {lineWith(-3, 1, -40, 0), {0x00, 0x00, 0x01, 0x00, 0x00, 0x00}},
    };
    for (const auto& c : cases) EXPECT_EQ(encodeProgramRecord(c.line), c.record) << c.line.slideNumber;
}

TEST(ProgramRecordTest, DecodeLeavesTextsAndMarksAlone) {
    ProgramLine line = lineWith(0, 0, 0, 0);
    line.description = "Titeldia";
    line.programNumber = "007";
    line.changeMarks = 7;
    const ProgramRecord record{0x2C, 0x01, 30, 0xE7, 0x04, 0x62};
    decodeProgramRecord(record, line);
    EXPECT_EQ(line.slideNumber, 300);
    EXPECT_EQ(line.dissolveTime, 30);
    EXPECT_EQ(line.timerTime, 125);  // 1255 hundredths, truncated to tenths
    EXPECT_EQ(line.specialFunction, 260);
    EXPECT_EQ(line.description, "Titeldia");
    EXPECT_EQ(line.programNumber, "007");
    EXPECT_EQ(line.changeMarks, 7);
}

TEST(ProgramRecordTest, FieldRangesRoundTrip) {
    for (int slide : {0, 1, 255, 256, 300, 999})
        for (int timer : {0, 1, 25, 125, 6000})
            for (int dissolve : {0, 1, 16, 255}) {
                ProgramLine out;
                decodeProgramRecord(encodeProgramRecord(lineWith(slide, dissolve, timer, 45)), out);
                EXPECT_EQ(out.slideNumber, slide);
                EXPECT_EQ(out.timerTime, timer);
                EXPECT_EQ(out.dissolveTime, dissolve);
                EXPECT_EQ(out.specialFunction, 45);
            }
}

TEST(ProgramRecordTest, OnlySixZeroBytesMakeAnEndRecord) {
    EXPECT_TRUE(isEndRecord(ProgramRecord{0, 0, 0, 0, 0, 0}));
    for (int i = 0; i < ProgramRecordSize; ++i) {
        ProgramRecord record{};
        record[static_cast<std::size_t>(i)] = 1;
        EXPECT_FALSE(isEndRecord(record)) << i;
    }
}

}  // namespace
}  // namespace vistrel
