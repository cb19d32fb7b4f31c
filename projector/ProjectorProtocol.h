#pragma once
// What goes over the serial line to the projector: text commands with echo, the
// one-byte status query and the two wait loops that pace every sequence, the
// escaped memory block frames, the descriptor and firmware version reads, and the
// one routine that turns a failure code into a message for the user.
//
// Built on ProjectorLink; show transfers, run control and the info window compose
// their sequences from these pieces. Failures are negative return values.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/Prompter.h"
#include "projector/ProjectorLink.h"

namespace vistrel {

// The text commands, without their closing carriage return.
namespace command {
inline constexpr std::string_view OpenOperation = "PE";
inline constexpr std::string_view CloseOperation = "PA";
inline constexpr std::string_view LeavePcMode = "RS";
inline constexpr std::string_view CurrentLine = "AZ";      // reply: 1-based line shown, 0 = none
inline constexpr std::string_view Halt = "ST";
inline constexpr std::string_view Continue = "WE";
inline constexpr std::string_view NextImage = "BV";
inline constexpr std::string_view EndShow = "EN";
inline constexpr std::string_view ShowRunning = "AB";      // reply: non-zero while a show runs
inline constexpr std::string_view LoadModule = "ML";
inline constexpr std::string_view StoreModule = "MS";
inline constexpr std::string_view AfterModuleStore = "MOT";
}  // namespace command

// Status letters of the status query, lowered.
namespace status {
inline constexpr int Ready = 'r';
inline constexpr int AlsoReady = 'v';
inline constexpr int Busy = 'b';
inline constexpr int J = 'j';  // ends waitReady with 106; treated like ready by every caller
inline constexpr int ModuleDone = 'w';
inline constexpr int NoModule = 'x';
inline constexpr int ModuleTooSmall = 'y';
inline constexpr int ModuleFailed = 'z';
}  // namespace status

// Block frame commands (first header byte).
namespace block {
inline constexpr int Write = 0;
inline constexpr int ReadShowRecords = 1;
inline constexpr int ReadDescriptor = 2;
}  // namespace block

// The firmware version, in tenths, from the 5-byte version text: "3.1.." and " 3.2."
// both work. -1 when the characters it needs are not digits.
int decodeVersionText(std::span<const std::uint8_t> text);

// "Der Projektor trägt die Firmware-Version " + " " + "%2.1f" of tenths / 10,
// always with a point (not the locale's comma).
std::string formatVersionMessage(int tenths);

// "NAME:%0<width>d", e.g. commandWithArgument("SL", 7, 3) == "SL:007".
std::string commandWithArgument(std::string_view name, int value, int width);

class ProjectorProtocol {
public:
    ProjectorProtocol(ProjectorLink& link, Clock& clock, Prompter& prompter, EventPump& events,
                      ProgressWindows& progress);

    ProjectorLink& link() { return link_; }
    // Drains the window message queue (between steps of long sequences).
    void drainEvents() { events_.drain(); }

    // Sends a text command with its closing carriage return, every byte echo-checked.
    int sendCommand(std::string_view textWithoutCr);
    // The commands with an argument.
    int sendLampLevel(int level) { return sendCommand(commandWithArgument("SL", level, 3)); }
    int sendStartAt(int line) { return sendCommand(commandWithArgument("GZ", line, 3)); }
    int sendReadLine(int line) { return sendCommand(commandWithArgument("LZ", line, 3)); }
    int sendSelectLine(int line) { return sendCommand(commandWithArgument("SZ", line, 3)); }
    int sendSlideNumber(int slide) { return sendCommand(commandWithArgument("BN", slide, 3)); }
    int sendDissolveTime(int tenths) { return sendCommand(commandWithArgument("DI", tenths, 3)); }
    int sendTimerTime(int tenths) { return sendCommand(commandWithArgument("TI", tenths, 4)); }
    int sendSpecialFunction(int code) { return sendCommand(commandWithArgument("SF", code, 3)); }

    // Writes 0xE1 and reads the status letter: 'r' and 'v' come back positive,
    // every other letter as its negative, no answer as -1.
    int statusQuery();
    // How long a wait for the projector lasts at most, in milliseconds.
    static constexpr int WaitLimitMs = 30000;

    // Polls every 50 ms until the projector is ready: 0 ready, 106 for "j", 122 for
    // "z", -1 when it has not said so within `limitMs` (or 600 polls), at once on a
    // port that is not open. The window message queue is drained between polls, so the
    // windows stay alive meanwhile. The user sees the wait and may end it (`kind` says
    // what for); ended, it fails as one that ran out.
    int waitReady(int limitMs = WaitLimitMs, ProgressWindows::WaitKind kind = ProgressWindows::WaitKind::Ready);
    // Polls until a module operation has finished: 'w', 'x', 'y', 'z', or -1 after
    // `limitMs` (or 600 polls), or when the user ended the wait.
    int waitModuleResult(int limitMs = WaitLimitMs);

    // The link's `connect`, as a wait the user sees and may end: with no projector
    // anywhere the search over the ports takes its time.
    int connect();

    // A sequence is one command or one tick of a timer; its owner marks where each one
    // begins. Once the user has ended a wait, the sequence's other waits fail at once,
    // and so do its block transfers: a sequence of many waits would otherwise ask again
    // and again.
    void beginSequence() { userStopped_ = false; }
    // True once the user has said not to wait any longer in this sequence.
    bool userStopped();

    // Writes `data` at `address`. `progressMode` > 0 opens the write-progress
    // window with that total; 0 continues it; -1 marks the last block and closes
    // the window on every way out. Bytes of the block that opened the window are
    // not counted, those of later blocks are.
    int writeBlock(std::uint16_t address, std::span<const std::uint8_t> data, int progressMode);
    // Reads out.size() bytes with block command 1 (show records) or 2 (descriptor),
    // then pauses the link's blockDelay.
    int readBlock(int command, std::uint16_t address, std::span<std::uint8_t> out);
    // The address of the show records (descriptor bytes 2 and 3).
    int readShowBase(std::uint16_t& start);
    // The firmware version in tenths ("3.1" gives 31).
    int readFirmwareVersion(int& tenths);

    // Shows the message for a failure code; 0 only clears the line.
    void reportProjectorError(int code);
    // A projector that stopped answering in the middle of a run: "Fehler bei der
    // Kommunikation" once, however many of the run's followers (the poll, the info
    // window, the homing wait) notice it, and the link marked closed, so that the next
    // command opens the port and searches again.
    void reportLinkLost();
    // The message text for a failure code ("" for 0).
    static std::string projectorErrorText(int code);

    // The menu command "Projektorversion". Returns 0, or the failure code it reported.
    int showProjectorVersion();

    // SL argument for a lamp brightness in percent (x 2.55 in single precision,
    // truncated, at most 255): 100 gives 254.
    static int lampLevel(int percent);

    // Progress of the running block write, read by the write-progress window.
    int transferTotal() const { return transferTotal_; }
    int transferDone() const { return transferDone_; }

private:
    int sendHeader(int command, std::uint16_t address, std::size_t count);
    int writeDataByte(std::uint8_t value);
    int readDataByte();
    int writeBlockBody(std::uint16_t address, std::span<const std::uint8_t> data, bool counting);

    ProjectorLink& link_;
    Clock& clock_;
    Prompter& prompter_;
    EventPump& events_;
    ProgressWindows& progress_;
    int transferTotal_ = 0;
    int transferDone_ = 0;
    bool userStopped_ = false;
};

}  // namespace vistrel
