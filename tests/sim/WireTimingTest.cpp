// The wire time the pseudo-terminal front end gives bytes with --baud.
#include <gtest/gtest.h>

#include "sim/WireTiming.h"

namespace vistrel::sim {
namespace {

TEST(WireTiming, AByteAndItsEchoCostTwentyTwoBitTimes) {
    WireTiming wire(9600);
    const std::int64_t byte = wire.byteNs();
    EXPECT_EQ(byte, 11'000'000'000LL / 9600);
    const std::int64_t arrived = wire.arrivalNs(0);
    EXPECT_EQ(arrived, byte);
    EXPECT_EQ(wire.deliveryNs(arrived), 2 * byte);
}

TEST(WireTiming, EachDirectionCarriesOneByteAfterTheOther) {
    WireTiming wire(9600);
    const std::int64_t byte = wire.byteNs();
    // Three bytes written at once arrive one byte time apart.
    EXPECT_EQ(wire.arrivalNs(0), byte);
    EXPECT_EQ(wire.arrivalNs(0), 2 * byte);
    EXPECT_EQ(wire.arrivalNs(0), 3 * byte);
    // A reply line of three bytes ready at once leaves one byte time apart.
    EXPECT_EQ(wire.deliveryNs(3 * byte), 4 * byte);
    EXPECT_EQ(wire.deliveryNs(3 * byte), 5 * byte);
    EXPECT_EQ(wire.deliveryNs(3 * byte), 6 * byte);
    // After a quiet spell the line is free again at once.
    EXPECT_EQ(wire.arrivalNs(100 * byte), 101 * byte);
}

TEST(WireTiming, WithoutBaudNothingWaits) {
    WireTiming wire(0);
    EXPECT_EQ(wire.arrivalNs(500), 500);
    EXPECT_EQ(wire.deliveryNs(500), 500);
    EXPECT_EQ(wire.deliveryNs(500), 500);
}

}  // namespace
}  // namespace vistrel::sim
