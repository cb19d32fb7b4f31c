#pragma once
// USB serial adapters hold received bytes in their driver for up to 16 ms before
// passing them on, to gather more. With one echo per byte that turns a 35 s upload
// into minutes. Most of these drivers offer a low-latency mode that hands every byte
// on at once; pseudo terminals and plain serial ports do not need it and refuse.

namespace vistrel {

enum class LowLatency {
    Set,         // the driver now passes bytes on at once
    AlreadySet,  // it did already
    Refused,     // the device has no such mode (a pseudo terminal), or may not be changed
};

// Asks the driver of the open serial device `fd` for its low-latency mode.
LowLatency requestLowLatency(int fd);

}  // namespace vistrel
