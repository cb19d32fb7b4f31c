#pragma once
// The time bytes take on a real serial line, for the pseudo-terminal front end:
// at 9600 baud with 8 data bits and 2 stop bits a byte is 11 bit times long, and
// each direction carries one byte after the other. A byte the program writes has
// arrived one byte time after it left (or after the byte before it arrived); a byte
// the projector sends is delivered one byte time after it could start, and it
// cannot start before the previous one has gone. So a byte and its echo cost 22
// bit times, as on the wire. With baud 0 nothing takes any time.
#include <cstdint>

namespace vistrel::sim {

class WireTiming {
public:
    explicit WireTiming(int baud);

    // When a byte the program wrote at writtenNs has reached the projector.
    std::int64_t arrivalNs(std::int64_t writtenNs);
    // When a byte the projector has ready at readyNs is at the program's end.
    std::int64_t deliveryNs(std::int64_t readyNs);

    std::int64_t byteNs() const { return byteNs_; }

private:
    std::int64_t byteNs_;
    std::int64_t inputFreeNs_ = 0;   // when the line towards the projector is free again
    std::int64_t outputFreeNs_ = 0;  // when the line towards the program is free again
};

}  // namespace vistrel::sim
