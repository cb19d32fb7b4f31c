#include "PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <time.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace vistrel::sim {

namespace {

// Also wake up now and then without traffic, so the show's timers are followed
// even when nobody asks.
constexpr int IdleWakeMs = 200;

// A sleeping process wakes up late by tens of microseconds (more in a virtual
// machine), and at 9600 baud that adds several percent to every byte. So while a
// program is talking to us we stay awake, checking the clock and the line in a loop:
// the last stretch before a byte is due, and a while after each byte we sent, when
// the program's next byte is expected. After a few milliseconds of silence we sleep.
constexpr std::int64_t AwakeBeforeDueNs = 600'000;
constexpr std::int64_t AwakeAfterSendNs = 3'000'000;

std::string systemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

PtyServer::PtyServer(VirtualProjector& projector, int baud) : projector_(projector), wire_(baud) {
    startNs_ = nowNs();
    // Wake-ups as close to the due time as the kernel allows (the default slack is 50 us).
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

PtyServer::~PtyServer() {
    if (slaveFd_ >= 0) ::close(slaveFd_);
    if (masterFd_ >= 0) ::close(masterFd_);
}

std::int64_t PtyServer::nowNs() const {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count() - startNs_;
}

bool PtyServer::open() {
    masterFd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (masterFd_ < 0) {
        error_ = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(masterFd_) != 0 || ::unlockpt(masterFd_) != 0) {
        error_ = systemError("grantpt/unlockpt");
        return false;
    }
    const char* name = ::ptsname(masterFd_);
    if (name == nullptr) {
        error_ = systemError("ptsname");
        return false;
    }
    slavePath_ = name;
    ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);

    // Holding the slave open keeps the master from hanging up while no program has
    // the device open, and lets a program close and reopen it.
    slaveFd_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    if (slaveFd_ < 0) {
        error_ = systemError("open slave");
        return false;
    }
    // Raw bytes, no echo by the terminal itself: the echo is the projector's job.
    termios tio{};
    if (::tcgetattr(slaveFd_, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CSTOPB | CLOCAL | CREAD;
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(slaveFd_, TCSANOW, &tio);
    }
    return true;
}

bool PtyServer::readFromProgram(std::int64_t now) {
    std::uint8_t buffer[256];
    for (;;) {
        const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
        if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        if (n == 0) return true;
        for (ssize_t i = 0; i < n; ++i) arriving_.push_back({buffer[i], wire_.arrivalNs(now)});
    }
}

void PtyServer::feedArrivedBytes(std::int64_t now) {
    while (!arriving_.empty() && arriving_.front().atNs <= now) {
        const TimedByte in = arriving_.front();
        arriving_.pop_front();
        const std::int64_t atMs = in.atNs / 1'000'000;
        projector_.receive(in.byte, atMs);
        while (auto out = projector_.takeOutput(atMs)) delivering_.push_back({*out, wire_.deliveryNs(in.atNs)});
    }
    projector_.advanceTo(now / 1'000'000);
}

bool PtyServer::writeDueBytes(std::int64_t now) {
    std::uint8_t buffer[256];
    std::size_t count = 0;
    while (count < sizeof buffer && count < delivering_.size() && delivering_[count].atNs <= now) {
        buffer[count] = delivering_[count].byte;
        ++count;
    }
    if (count == 0) return true;
    const ssize_t written = ::write(masterFd_, buffer, count);
    if (written < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK) return false;
        // Any other failure: the bytes are lost, as on a cable that is pulled, and
        // keeping them would make the loop retry them at once for ever.
        delivering_.erase(delivering_.begin(), delivering_.begin() + static_cast<std::ptrdiff_t>(count));
        return true;
    }
    delivering_.erase(delivering_.begin(), delivering_.begin() + written);
    if (written > 0) lastSentNs_ = now;
    return static_cast<std::size_t>(written) == count;
}

std::int64_t PtyServer::waitNs(std::int64_t now) const {
    std::int64_t next = now + std::int64_t{IdleWakeMs} * 1'000'000;
    if (!arriving_.empty()) next = std::min(next, arriving_.front().atNs);
    if (!delivering_.empty()) next = std::min(next, delivering_.front().atNs);
    // Exact to the nanosecond: at 9600 baud a byte lasts 1.15 ms, so waits rounded
    // to whole milliseconds would make every echo late.
    return std::max<std::int64_t>(0, next - now);
}

void PtyServer::run(const volatile std::sig_atomic_t& stopFlag) {
    while (!stopFlag) {
        const std::int64_t now = nowNs();
        feedArrivedBytes(now);
        const bool outputBlocked = !writeDueBytes(now);

        pollfd pfd{masterFd_, POLLIN, 0};
        if (outputBlocked) pfd.events |= POLLOUT;
        std::int64_t wait = outputBlocked ? std::int64_t{IdleWakeMs} * 1'000'000 : waitNs(now);
        wait = wait > AwakeBeforeDueNs ? wait - AwakeBeforeDueNs : 0;
        if (wire_.byteNs() > 0 && now - lastSentNs_ < AwakeAfterSendNs) wait = 0;
        const timespec timeout{static_cast<time_t>(wait / 1'000'000'000), static_cast<long>(wait % 1'000'000'000)};
        const int ready = ::ppoll(&pfd, 1, &timeout, nullptr);
        if (ready < 0) {
            if (errno == EINTR) continue;  // a signal: the loop looks at the flag
            return;
        }
        bool lineFailed = (pfd.revents & (POLLHUP | POLLERR)) != 0;
        if (pfd.revents & POLLIN) lineFailed = !readFromProgram(nowNs());
        // Neither should happen while we hold the slave; do not spin if it does.
        if (lineFailed) ::poll(nullptr, 0, IdleWakeMs);
    }
}

}  // namespace vistrel::sim
