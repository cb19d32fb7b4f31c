#pragma once
// Serves a VirtualProjector on the master side of a pseudo terminal, in real time.
// The slave side is the device the program opens. The server keeps a descriptor of
// the slave open itself, so that the device stays usable when the program closes it
// and opens it again. Bytes are passed through WireTiming, so that with a baud rate
// the answers take as long as on a serial line. One thread, poll() with a time-out
// from the next due byte; awake in a loop only while the program is talking to it.
#include <csignal>
#include <cstdint>
#include <deque>
#include <string>

#include "sim/VirtualProjector.h"
#include "sim/WireTiming.h"

namespace vistrel::sim {

class PtyServer {
public:
    PtyServer(VirtualProjector& projector, int baud);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo terminal; false with a reason in error() when it cannot.
    bool open();
    const std::string& slavePath() const { return slavePath_; }
    const std::string& error() const { return error_; }

    // Serves until stopFlag becomes non-zero (set from a signal handler).
    void run(const volatile std::sig_atomic_t& stopFlag);

private:
    struct TimedByte {
        std::uint8_t byte;
        std::int64_t atNs;
    };

    std::int64_t nowNs() const;
    bool readFromProgram(std::int64_t nowNs);  // false: the terminal failed
    void feedArrivedBytes(std::int64_t nowNs);
    bool writeDueBytes(std::int64_t nowNs);  // false: the terminal would block
    std::int64_t waitNs(std::int64_t nowNs) const;  // until the next due byte or idle wake-up

    VirtualProjector& projector_;
    WireTiming wire_;
    int masterFd_ = -1;
    int slaveFd_ = -1;
    std::string slavePath_;
    std::string error_;
    std::int64_t startNs_ = 0;
    std::int64_t lastSentNs_ = -1'000'000'000;  // when a byte last went to the program
    std::deque<TimedByte> arriving_;    // from the program, not yet at the projector
    std::deque<TimedByte> delivering_;  // from the projector, not yet written out
};

}  // namespace vistrel::sim
