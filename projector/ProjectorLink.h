#pragma once
// The program's one connection to the slide projector: opens and configures the
// serial port, moves single bytes with a short time-out and a small retry, sends
// text with a byte-by-byte echo check, reads reply lines, finds the port the
// projector is on and writes every byte that crosses the line into the raw
// traffic log DIA.LOG.
//
// Every operation returns 0 (or the byte) on success and -1 on failure; only
// `connect` talks to the user. There is one link per process.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/SerialPort.h"

namespace vistrel {

class ProjectorLink {
public:
    // `logPath` is where DIA.LOG goes; an empty path means no log.
    ProjectorLink(SerialPort& port, Clock& clock, Prompter& prompter, std::string logPath);
    ~ProjectorLink();
    ProjectorLink(const ProjectorLink&) = delete;
    ProjectorLink& operator=(const ProjectorLink&) = delete;

    // "COM1" .. "COM4"; the fourth character is the port digit. The settings keep it.
    std::string portName = "COM2";
    // Set once a projector answered the probe on the open port. Closing the port clears
    // it, and so do a command that failed on a dead line and a projector that stopped
    // answering during a run (see ProjectorProtocol::reportProjectorError and
    // reportLinkLost): the link is either really open to a projector or marked closed,
    // so that the next command opens the port and searches again.
    bool connected = false;
    // Milliseconds to pause after each block read (kept in the settings file).
    int blockDelay = 10;
    // Consecutive byte reads that got nothing; the first of a run purges the queues.
    int readFailureRun = 0;
    // The projector's silence has been reported; cleared by the next byte it sends.
    bool silenceReported = false;
    // The last byte could not be written (the device has gone, say).
    bool lastWriteFailed = false;

    // Opens `portName` and sets 9600/none/8/2, RTS off, DTR on, then throws away
    // whatever was waiting. After a failure the caller closes the port.
    int openPort();
    void closePort();
    bool isPortOpen() const;

    // Discards the output queue, then the input queue.
    void purge();
    // Discards the input queue only.
    void purgeInput();

    // One byte 0..255, or -1 when three attempts of ~126 ms each got nothing.
    int readByte();
    // The byte written, or -1 (both queues are then purged).
    int writeByte(std::uint8_t byte);
    // Sends every byte and checks its echo; stops at the first byte that fails.
    int sendChecked(std::string_view bytes);
    // Reads a reply line of at most `max` bytes; `text` gets the bytes before the
    // carriage return. 0 also when no carriage return came within `max` bytes.
    int readLine(std::string& text, int max);
    // Reads and throws away bytes until a read gets nothing.
    void drainInput();

    // 0 when a projector answers the status query on the open port.
    int probe();
    // Makes sure a projector is connected, searching COM1 .. COM4 when needed, and
    // tells the user when none is found.
    int connect() { return reportSearch(search()); }
    // The two halves of `connect`, for a caller that shows the search as a wait: the
    // search itself (`goOn`, asked before each further port, may end it early, which
    // counts as nothing found), and the message about a search that found nothing.
    enum class Search { Found, NoAnswer, NoPorts };
    Search search(const std::function<bool()>& goOn = {});
    int reportSearch(Search result);

    // Closes DIA.LOG for good (at program end); later bytes are not logged.
    void closeLog();

    Clock& clock() { return clock_; }
    SerialPort& port() { return port_; }

private:
    void openLogOnce();
    void logByte(std::uint8_t byte);
    void flushLog();
    void setPortDigit(int digit);

    SerialPort& port_;
    Clock& clock_;
    Prompter& prompter_;
    std::string logPath_;
    bool logOpened_ = false;
    std::FILE* log_ = nullptr;
};

}  // namespace vistrel
