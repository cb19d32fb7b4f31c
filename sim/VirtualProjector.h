#pragma once
// The slide projector in software: its side of the serial protocol, driven by the
// bytes the program sends and by time. Front ends (the in-process serial port, the
// pseudo-terminal executable) feed it bytes with receive() and collect what it
// sends with takeOutput(); it never looks at a clock itself, so it is deterministic.
//
// How this projector behaves, in particular where the protocol leaves it open:
//  - Command mode: 0xE1 is the status query (answered, never echoed); 0x00, 0x01,
//    0x02 at the start of a command begin a block frame; every other byte is echoed
//    and collected until CR ends a text command. Unknown commands are echoed and ignored.
//  - Replies (AZ, LZ, AB) follow the echo of the CR as the text, CR, LF.
//    AZ: "%d" of the 1-based line shown, 0 when none is (no show runs, or the tray
//    runs back). AB: "1" while a show
//    runs (also halted or at a pause), else "0". LZ:n: "%03d %03d %03d %04d %03d".
//  - Line numbers of SZ, LZ and GZ are 1-based: SZ:001 and LZ:001 are the first record.
//    SZ:000 selects no line (BN/DI/TI/SF then change nothing); LZ:000 and lines past
//    1000 reply with zeros. GZ:000 and GZ:001 both start at the first line.
//  - Status letters: "B" busy (homing after EN, a module operation, --busy-ms),
//    then the module result "w"/"x"/"y"/"z" until the next text command, "v" while a
//    show runs, "R" when idle at home. "R" and "B" are capitals because the program's
//    port probe only accepts those two in that case; everything compares them caselessly.
//  - A show runs from GZ; an all-zero record (or the end of the 1000 records) ends it.
//    A line stands for its light effect (one dissolve; two for fading out and in;
//    P seconds and two dissolves for fading in or freezing; P times two dissolves for
//    blinking, flashing or rocking), then for its timer. AZ names it from the moment
//    its light effect begins.
//    A line whose mechanical function includes autoreverse (1, 3, 5) is never shown:
//    reaching it, the tray runs back for that line's dissolve and timer time, with AZ 0
//    meanwhile (AB still 1, status "v"), and line 1 follows. A pause line (timer 0, or
//    code mod 100 = 70) waits for BV after its light effect; a line with both waits
//    for two BVs; a BV while such a line is still dissolving in counts for its
//    first pause. BV elsewhere moves on to the next line at once. ST halts and WE
//    continues (WE does not leave a pause line); GZ while halted moves to the line and
//    stays halted. After GZ:n and WE, AZ names line n itself.
//  - Every run state answers the status query with a ready letter ("v" while a show
//    runs, halted or not, "R" when none does), so that the program's status wait
//    before each command goes on at once.
//  - EN ends the show and homes for HomingMs / speed (status "B"), then "R". An EN
//    while homing does not start the homing again.
//  - ML and MS take ModuleOperationMs (status "B", not sped up), then report their
//    letter; ML replaces the show area with the module's show when it reports "w".
//    MOT only acknowledges (it ends the module result like any text command).
//  - PE, PA, RS and SL are accepted without a reply; they change nothing the
//    program could see, except that SL keeps the lamp level for inspection.
//  - Block frames reach the whole 64 KiB (addresses wrap at the end); write stores
//    the unescaped values; read sends each value escaped
//    and waits for the program's echo of every byte before the next. A wrong echo
//    ends the frame and is then taken as a new command byte.
//  - A frame or text command left unfinished for PartialInputTimeoutMs is dropped,
//    so that a program that gave up on a byte (its read time-out is about 126 ms,
//    tried three times) starts over in command mode.
//  - Faults: silent sends nothing; badEchoAfter N echoes the first N bytes right and
//    every later byte plus one; dropEvery N loses every Nth byte the projector sends;
//    busyMs reports "B" for that long after every complete text command.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "sim/BlockFrame.h"
#include "sim/ModuleSlot.h"
#include "sim/ProjectorMemory.h"
#include "sim/ProjectorOptions.h"
#include "sim/ShowRunner.h"

namespace vistrel::sim {

constexpr std::uint8_t StatusQueryByte = 0xE1;
constexpr int HomingMs = 2000;
constexpr int ModuleOperationMs = 1000;
constexpr int PartialInputTimeoutMs = 250;

class VirtualProjector : private FrameSink {
public:
    explicit VirtualProjector(ProjectorOptions options = {});
    // Its parts refer to its memory and to itself: not to be copied.
    VirtualProjector(const VirtualProjector&) = delete;
    VirtualProjector& operator=(const VirtualProjector&) = delete;

    // A byte from the program, arriving at nowMs.
    void receive(std::uint8_t byte, std::int64_t nowMs);
    // Bytes the projector sends, available from their due time on.
    bool hasOutput(std::int64_t nowMs) const;
    std::optional<std::uint8_t> takeOutput(std::int64_t nowMs);
    // Discards everything sent but not yet taken.
    void discardOutput() { output_.clear(); }
    // Runs show timers, homing and module operations up to nowMs.
    void advanceTo(std::int64_t nowMs);

    // --- inspection and set-up for tests ---
    const ProjectorOptions& options() const { return options_; }
    ProjectorMemory& memory() { return memory_; }
    const ProjectorMemory& memory() const { return memory_; }
    ModuleSlot& module() { return module_; }
    const ModuleSlot& module() const { return module_; }
    std::uint16_t showStart() const { return memory_.showStart(); }
    void loadShow(const std::vector<ShowRecord>& records) { memory_.loadShow(records); }
    void setMemory(std::uint16_t address, const std::vector<std::uint8_t>& bytes);

    // Every text command received, without its CR, in order (also unknown ones).
    const std::vector<std::string>& commandLog() const { return commandLog_; }
    int currentLine() const { return runner_.currentLine(); }
    bool isRunning() const { return runner_.running(); }
    bool isHalted() const { return runner_.halted(); }
    bool isAtPause() const { return runner_.atPause(); }
    // Where the show stands, as of the last advanceTo.
    ShowRunner::Position showPosition() const { return runner_.position(nowMs_); }
    bool isHoming() const { return nowMs_ < homingUntilMs_; }
    bool inCommandMode() const { return !frame_ && text_.empty(); }
    // The letter a status query would get now.
    char statusLetter() const;
    int lampLevel() const { return lampLevel_; }
    bool pcMode() const { return pcMode_; }
    int selectedLine() const { return selectedLine_; }

private:
    enum class ModuleOperation { None, Load, Store };

    void handleCommandByte(std::uint8_t byte);
    void dropPartialInputIfStale();
    void resetToCommandMode();

    void execute(const std::string& name, std::optional<int> argument);
    void changeSelectedRecord(const std::string& name, int value);
    void reply(const std::string& text);
    std::string lineReply(int line) const;

    // FrameSink: every byte the projector sends goes through these two, where the
    // faults are applied.
    void echo(std::uint8_t byte) override;
    void send(std::uint8_t byte) override;

    ProjectorOptions options_;
    ProjectorMemory memory_;
    ShowRunner runner_;
    ModuleSlot module_;

    struct Pending {
        std::uint8_t byte;
        std::int64_t dueMs;
    };
    std::deque<Pending> output_;
    std::int64_t nowMs_ = 0;
    std::int64_t lastInputMs_ = 0;

    std::string text_;  // the text command being received
    bool textOverflow_ = false;
    std::optional<BlockFrame> frame_;  // the block frame being received or sent

    long long echoCount_ = 0;
    long long sendCount_ = 0;
    std::vector<std::string> commandLog_;

    std::int64_t busyUntilMs_ = 0;
    std::int64_t homingUntilMs_ = 0;
    ModuleOperation moduleOperation_ = ModuleOperation::None;
    std::int64_t moduleDoneMs_ = 0;
    char moduleResult_ = 0;

    int selectedLine_ = 0;
    int lampLevel_ = 0;
    bool pcMode_ = false;
};

}  // namespace vistrel::sim
