#include "sim/WireTiming.h"

#include <algorithm>

namespace vistrel::sim {

namespace {
constexpr std::int64_t BitsPerByte = 11;  // start bit, 8 data bits, 2 stop bits
}

WireTiming::WireTiming(int baud) : byteNs_(baud > 0 ? BitsPerByte * 1'000'000'000 / baud : 0) {}

std::int64_t WireTiming::arrivalNs(std::int64_t writtenNs) {
    inputFreeNs_ = std::max(writtenNs, inputFreeNs_) + byteNs_;
    return inputFreeNs_;
}

std::int64_t WireTiming::deliveryNs(std::int64_t readyNs) {
    outputFreeNs_ = std::max(readyNs, outputFreeNs_) + byteNs_;
    return outputFreeNs_;
}

}  // namespace vistrel::sim
