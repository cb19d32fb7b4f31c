#include "projector/ShowTransfer.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "model/ProgramRecord.h"
#include "res/strings/ProjectorStrings.h"
#include "res/strings/SafetyStrings.h"

namespace vistrel {

namespace {

// Failure codes this sequence hands to reportProjectorError.
constexpr int CommandNotEchoed = 1;
constexpr int ModuleLoadNotEchoed = 2;
constexpr int FirmwareReadFailed = 3;
constexpr int ShowBaseReadFailed = 4;
constexpr int RecordBlockFailed = 6;
constexpr int NoModule = 10;
constexpr int ModuleTooSmall = 11;
constexpr int ModuleCannotStore = 12;
constexpr int ModuleHoldsNoShow = 97;
constexpr int ShowStillRunning = 98;

constexpr int MinimumFirmware = 31;  // 3.1, in tenths
// With the end-marker option the show is closed by 50 end records, otherwise by one;
// reading stops after as many zero records in a row.
constexpr int EndMarkerRecords = 50;
constexpr int ModuleWaits = 4;
constexpr int ModuleSettleMs = 800;

// Record i of the show area. Addresses are 16 bits on the projector and wrap there.
std::uint16_t recordAddress(std::uint16_t start, int index) {
    return static_cast<std::uint16_t>((start + ProgramRecordSize * index) & 0xFFFF);
}

// A number as the program has always read texts: leading blanks, an optional sign, the
// digits up to the first non-digit; no digits give 0. Clamped instead of overflowing.
int parseDecimal(std::string_view text) {
    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos) return 0;
    bool negative = false;
    if (text[pos] == '-' || text[pos] == '+') negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = std::min<long long>(value * 10 + (text[pos] - '0'), 2147483647LL);
    }
    return static_cast<int>(negative ? -value : value);
}

std::string threeDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", value);
    return text;
}

// The reply LZ gives for a line that holds exactly these values.
std::string expectedLineReply(int programNumber, const ProgramLine& line) {
    char text[64];
    std::snprintf(text, sizeof text, "%03d %03d %03d %04d %03d", programNumber, line.slideNumber, line.dissolveTime,
                  line.timerTime, line.specialFunction);
    return text;
}

// Keeps the run control's poll away from the line while a reply is on its way.
class ReplyPendingScope {
public:
    explicit ReplyPendingScope(RunState& state) : state_(state) { state_.replyPending = true; }
    ~ReplyPendingScope() { state_.replyPending = false; }
    ReplyPendingScope(const ReplyPendingScope&) = delete;
    ReplyPendingScope& operator=(const ReplyPendingScope&) = delete;

private:
    RunState& state_;
};

// Marks a line update as under way for as long as it lasts.
class LineUpdateScope {
public:
    explicit LineUpdateScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~LineUpdateScope() { flag_ = false; }
    LineUpdateScope(const LineUpdateScope&) = delete;
    LineUpdateScope& operator=(const LineUpdateScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

ShowTransfer::ShowTransfer(ProjectorProtocol& protocol, Settings& settings, ApplicationState& appState,
                           RunState& runState, Prompter& prompter, Clock& clock, EventPump& events,
                           ProgressWindows& progress)
    : protocol_(protocol),
      settings_(settings),
      appState_(appState),
      runState_(runState),
      prompter_(prompter),
      clock_(clock),
      events_(events),
      progress_(progress) {}

// --- writing -------------------------------------------------------------------------

int ShowTransfer::uploadShow(CVistrelDoc& doc, int target) {
    switch (upload(doc, target)) {
        case UploadOutcome::Sent: return UploadDone;
        case UploadOutcome::FirmwareTooOld: return UploadFirmwareTooOld;
        case UploadOutcome::NothingToSend:
        case UploadOutcome::Failed: break;
    }
    return UploadNothingSent;
}

ShowTransfer::UploadOutcome ShowTransfer::upload(CVistrelDoc& doc, int target) {
    const std::uint8_t targetMark = target == Module ? NotInModule : NotInProjector;

    protocol_.link().connect();
    protocol_.reportProjectorError(0);
    if (protocol_.sendCommand(command::OpenOperation) < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
        return UploadOutcome::Failed;
    }
    protocol_.waitReady();
    if (protocol_.sendLampLevel(ProjectorProtocol::lampLevel(settings_.lampBrightness)) < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
        return UploadOutcome::Failed;
    }
    protocol_.waitReady();
    int version = 0;
    if (protocol_.readFirmwareVersion(version) < 0) {
        protocol_.reportProjectorError(FirmwareReadFailed);
        return UploadOutcome::Failed;
    }
    if (version < MinimumFirmware) {
        prompter_.showMessage(ids::FirmwareTooOld, MessageIcon::Exclamation, MessageButtons::Ok);
        return UploadOutcome::FirmwareTooOld;
    }
    protocol_.waitReady();
    std::uint16_t start = 0;
    if (protocol_.readShowBase(start) < 0) {
        protocol_.reportProjectorError(ShowBaseReadFailed);
        return UploadOutcome::Failed;
    }
    protocol_.waitReady();

    // Only lines changed since the last write need to go when the projector holds this
    // very show; the title of the show last written tells whether it does.
    const bool differential = settings_.differentialTransfer && appState_.projectorShowTitle == doc.windowTitle;
    // Without the 50 end records a single end record follows the last line sent; the last
    // line always goes along so that this record lands after the whole show.
    if (!settings_.endMarker && settings_.differentialTransfer) {
        doc.lines[std::max(doc.lineCount - 1, 0)].changeMarks |= targetMark;
    }
    int linesToSend = 0;
    for (int i = 0; i < doc.lineCount; ++i) {
        if (!differential || (doc.lines[i].changeMarks & targetMark)) ++linesToSend;
    }
    if (linesToSend == 0) return UploadOutcome::NothingToSend;

    const int endRecordBytes = (settings_.endMarker ? EndMarkerRecords : 1) * ProgramRecordSize;
    const int total = ProgramRecordSize * linesToSend + endRecordBytes;
    ++(target == Module ? doc.moduleWrites : doc.projectorWrites);
    int next = 0;  // index of the line after the last one handled
    bool failed = false;
    bool firstBlock = true;
    for (; next < doc.lineCount; ++next) {
        ProgramLine& line = doc.lines[next];
        if (differential && !(line.changeMarks & targetMark)) continue;
        const ProgramRecord record = encodeProgramRecord(line);
        const int progressMode = firstBlock ? total : 0;
        firstBlock = false;
        if (protocol_.writeBlock(recordAddress(start, next), record, progressMode) < 0) {
            protocol_.reportProjectorError(RecordBlockFailed);
            failed = true;
            break;
        }
        if (differential) line.changeMarks &= static_cast<std::uint8_t>(~targetMark);
    }
    // A broken write leaves the projector without the failed line and without whatever the
    // end records cover: those lines must go again, whatever their marks said before.
    if (failed) {
        for (int i = next; i < doc.lineCount; ++i) doc.lines[i].changeMarks |= targetMark;
    }

    const std::vector<std::uint8_t> endRecords(static_cast<std::size_t>(endRecordBytes), 0);
    if (protocol_.writeBlock(recordAddress(start, next), endRecords, -1) < 0 && !failed) {
        // Every line is in, but the show is not closed: have the next write close it.
        protocol_.reportProjectorError(RecordBlockFailed);
        failed = true;
        doc.lines[std::max(doc.lineCount - 1, 0)].changeMarks |= targetMark;
    }
    appState_.projectorShowTitle = doc.windowTitle;
    return failed ? UploadOutcome::Failed : UploadOutcome::Sent;
}

bool ShowTransfer::writeToProjector(CVistrelDoc& doc) {
    const UploadOutcome outcome = upload(doc, WorkingMemory);
    // A broken line has been reported once already; its PA failing too says nothing new.
    if (!closeOperation(outcome != UploadOutcome::Failed)) return false;
    return outcome == UploadOutcome::Sent || outcome == UploadOutcome::NothingToSend;
}

bool ShowTransfer::writeToModule(CVistrelDoc& doc) {
    const UploadOutcome outcome = upload(doc, Module);
    // Storing a show that did not get into the working memory would replace the module's
    // good show with a broken one; the failure has been reported, so only close up.
    if (outcome == UploadOutcome::Failed || outcome == UploadOutcome::FirmwareTooOld) {
        closeOperation(outcome != UploadOutcome::Failed);
        return false;
    }

    progress_.openModuleWindow(false);
    events_.drain();
    if (protocol_.sendCommand(command::StoreModule) < 0) {
        progress_.closeModuleWindow();
        protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }
    int result = -1;
    int waits = 0;
    do {
        result = protocol_.waitModuleResult();
        ++waits;
    } while (result < 0 && waits < ModuleWaits);
    if (waits == 1) clock_.sleepMs(ModuleSettleMs);
    progress_.closeModuleWindow();

    switch (result) {
        case status::NoModule: protocol_.reportProjectorError(NoModule); return false;
        case status::ModuleTooSmall: protocol_.reportProjectorError(ModuleTooSmall); return false;
        case status::ModuleFailed: protocol_.reportProjectorError(ModuleCannotStore); return false;
        case -1:
            // The projector never said the module is done: nothing tells that the show
            // is in the module, so this is no success. MOT belongs to a finished store
            // only; the operation is still closed.
            protocol_.reportProjectorError(CommandNotEchoed);
            closeOperation(false);
            return false;
        default: break;
    }
    protocol_.sendCommand(command::AfterModuleStore);
    if (protocol_.sendCommand(command::CloseOperation) < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }
    return true;
}

bool ShowTransfer::closeOperation(bool reportFailure) {
    if (protocol_.sendCommand(command::CloseOperation) < 0) {
        if (reportFailure) protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }
    protocol_.waitReady();
    return true;
}

// --- reading -------------------------------------------------------------------------

bool ShowTransfer::openOperation() {
    protocol_.link().connect();
    protocol_.reportProjectorError(0);
    if (protocol_.sendCommand(command::OpenOperation) < 0) {
        protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }
    return true;
}

bool ShowTransfer::readShowFromProjector(CVistrelDoc& doc, bool clearDescriptions) {
    const ReadResult result = readShow(doc, clearDescriptions);
    return result.complete && result.closed;
}

ShowTransfer::ReadResult ShowTransfer::readShow(CVistrelDoc& doc, bool clearDescriptions) {
    ReadResult result;
    if (!openOperation()) return result;
    protocol_.waitReady();
    int version = 0;
    if (protocol_.readFirmwareVersion(version) < 0) {
        protocol_.reportProjectorError(FirmwareReadFailed);
        return result;
    }
    protocol_.waitReady();
    std::uint16_t start = 0;
    if (protocol_.readShowBase(start) < 0) {
        protocol_.reportProjectorError(ShowBaseReadFailed);
        return result;
    }
    protocol_.waitReady();

    // Read from here on, the document holds new lines whatever happens next: the list
    // must be refilled on every way out.
    result.started = true;
    result.complete = readRecords(doc, start, clearDescriptions);
    if (result.complete) result.closed = closeOperation(true);
    doc.linesReplaced(CVistrelDoc::Replaced::ReadIn);
    return result;
}

bool ShowTransfer::readRecords(CVistrelDoc& doc, std::uint16_t start, bool clearDescriptions) {
    const int oldLineCount = doc.lineCount;
    int zeroRun = 0;
    int lastNonZero = -1;
    int endRunIndex = -1;  // index of the 50th zero record in a row
    int recordsRead = 0;
    bool failed = false;

    progress_.openReadProgress();
    for (int i = 0; i < MaxProjectorRecords; ++i) {
        progress_.setReadLine(i + 1);
        ProgramRecord record{};
        if (protocol_.readBlock(block::ReadShowRecords, recordAddress(start, i), record) < 0) {
            protocol_.reportProjectorError(RecordBlockFailed);
            failed = true;
            break;
        }
        events_.drain();

        ProgramLine& line = doc.lines[i];
        decodeProgramRecord(record, line);
        line.changeMarks = ChangedSinceSave;
        if (clearDescriptions || i >= oldLineCount) line.description.clear();
        if (i >= oldLineCount) line.programNumber = threeDigits(i + 1);
        recordsRead = i + 1;

        if (!isEndRecord(record)) {
            zeroRun = 0;
            lastNonZero = i;
        } else if (++zeroRun == EndMarkerRecords) {
            endRunIndex = i;
            break;
        }
    }
    progress_.closeReadProgress();

    int count = 0;
    if (endRunIndex >= 0) {
        count = endRunIndex - (EndMarkerRecords - 1);  // the zero run is not part of the show
    } else if (failed) {
        // Keep every line that came in; zero records just before the break are the start
        // of the end run, not lines.
        count = lastNonZero + 1;
    } else {
        count = recordsRead - 1;  // all 1000 records: the show holds at most 999 lines
    }
    doc.lineCount = std::clamp(count, 0, MaxProgramLines);
    return !failed;
}

bool ShowTransfer::loadModule(CVistrelDoc&) {
    if (!openOperation()) return false;
    protocol_.waitReady();
    std::string reply;
    {
        ReplyPendingScope pending(runState_);
        protocol_.sendCommand(command::ShowRunning);  // only the reply matters
        protocol_.link().readLine(reply, 20);
    }
    if (parseDecimal(reply) != 0) {
        protocol_.reportProjectorError(ShowStillRunning);
        return false;
    }

    progress_.openModuleWindow(true);
    protocol_.waitReady();
    prompter_.beginWaitCursor();
    events_.drain();
    // From here on the working memory may hold the module's show instead of the one
    // written last, even when ML seems to fail: the next write must send every line.
    appState_.projectorShowTitle.clear();
    if (protocol_.sendCommand(command::LoadModule) < 0) {
        prompter_.endWaitCursor();
        progress_.closeModuleWindow();
        protocol_.reportProjectorError(ModuleLoadNotEchoed);
        return false;
    }
    protocol_.waitReady();
    const int result = protocol_.waitModuleResult();
    prompter_.endWaitCursor();

    if (result == status::NoModule || result == status::ModuleTooSmall) {
        progress_.closeModuleWindow();
        protocol_.reportProjectorError(NoModule);
        return false;
    }
    if (result == status::ModuleFailed) {
        progress_.closeModuleWindow();
        protocol_.reportProjectorError(ModuleHoldsNoShow);
        return false;
    }
    clock_.sleepMs(ModuleSettleMs);
    progress_.closeModuleWindow();
    return true;
}

bool ShowTransfer::loadFromProjector(CVistrelDoc& doc, const NewDocumentFactory& newDocument) {
    return askAndRead(doc, newDocument, false);
}

bool ShowTransfer::loadFromModule(CVistrelDoc& doc, const NewDocumentFactory& newDocument) {
    return askAndRead(doc, newDocument, true);
}

bool ShowTransfer::askAndRead(CVistrelDoc& doc, const NewDocumentFactory& newDocument, bool fromModule) {
    if (doc.lineCount > 0) {
        const MessageAnswer answer = prompter_.showMessage(ids::LoadOverwritesQuestion, MessageIcon::Question,
                                                           MessageButtons::YesNoCancel, 1);
        if (answer == MessageAnswer::Yes) {
            CVistrelDoc* fresh = newDocument ? newDocument() : nullptr;
            if (fresh == nullptr || fresh == &doc) {
                prompter_.showMessage(ids::NoNewDocument, MessageIcon::Exclamation, MessageButtons::Ok);
                return false;
            }
            if (fromModule && !loadModule(*fresh)) return false;
            return readShowFromProjector(*fresh, true);
        }
        if (answer != MessageAnswer::No) return false;
    }

    // An empty show has no descriptions to keep.
    bool clearDescriptions = true;
    if (doc.lineCount > 0) {
        const MessageAnswer answer = prompter_.showMessage(ids::ClearDescriptionsQuestion, MessageIcon::Question,
                                                           MessageButtons::YesNoCancel, 1);
        if (answer == MessageAnswer::Cancel) return false;
        clearDescriptions = answer == MessageAnswer::Yes;
    }

    // An empty show has nothing to lose: it takes the lines as they come.
    if (doc.lineCount == 0) {
        if (!fromModule) return readShowFromProjector(doc, clearDescriptions);
        const bool read = loadModule(doc) && readShowFromProjector(doc, clearDescriptions);
        return closeModuleRead(read);
    }

    // The user's lines are replaced only by a complete show. The read goes into a copy
    // (which keeps descriptions and program numbers as the read would keep them);
    // after a break the show stays as it was, and what came in is offered in a window
    // of its own.
    auto copy = std::make_unique<CVistrelDoc>();
    copy->lines = doc.lines;
    copy->lineCount = doc.lineCount;
    ReadResult result;
    if (!fromModule || loadModule(*copy)) result = readShow(*copy, clearDescriptions);
    if (result.complete) {
        takeLines(doc, *copy);
    } else if (result.started) {
        offerPartialRead(doc, *copy, newDocument);
    }
    const bool read = result.complete && result.closed;
    return fromModule ? closeModuleRead(read) : read;
}

bool ShowTransfer::closeModuleRead(bool read) {
    // The operation is closed either way; a failure already reported is not reported twice.
    if (protocol_.sendCommand(command::CloseOperation) < 0) {
        if (read) protocol_.reportProjectorError(CommandNotEchoed);
        return false;
    }
    return read;
}

void ShowTransfer::takeLines(CVistrelDoc& doc, const CVistrelDoc& from) {
    doc.lines = from.lines;
    doc.lineCount = from.lineCount;
    doc.linesReplaced(CVistrelDoc::Replaced::ReadIn);
}

void ShowTransfer::offerPartialRead(const CVistrelDoc& doc, const CVistrelDoc& partial,
                                    const NewDocumentFactory& newDocument) {
    if (partial.lineCount == 0 || !newDocument) return;
    CVistrelDoc* fresh = newDocument();
    if (fresh == nullptr || fresh == &doc) return;
    takeLines(*fresh, partial);
    prompter_.showMessage(ids::BrokenReadKeptShow, MessageIcon::Information, MessageButtons::Ok);
}

// --- a line into the running show ----------------------------------------------------------

int ShowTransfer::sendLineToRunningShow(CVistrelDoc& doc) {
    const int index = std::max(doc.currentLine, 0);
    // Only lines the projector already has can be changed; a new line cannot be placed
    // into a running show. A second line while the first is still on its way (the
    // waits keep the window alive) must wait for the next change.
    if (doc.appendMode || index >= doc.lineCount || lineUpdateActive_) {
        prompter_.beep();
        return 0;
    }
    LineUpdateScope active(lineUpdateActive_);
    ++doc.projectorWrites;
    // The run control's poll stays off the line for the whole exchange, not only while
    // LZ is answered: its AZ between two of these commands would be taken for an echo.
    ReplyPendingScope pending(runState_);

    // Everything below, retries included, ends within one wait's time: a projector that
    // went away must not hold the window for minutes.
    const std::int64_t deadline = clock_.nowMs() + ProjectorProtocol::WaitLimitMs;
    const auto remaining = [&] { return static_cast<int>(std::max<std::int64_t>(deadline - clock_.nowMs(), 0)); };

    // A show the user paused stays paused: the line goes in, and the projector is left
    // as the user left it.
    bool haltedHere = false;
    bool answered = true;
    if (runState_.pauseState == 0) {
        answered = protocol_.waitReady(remaining()) >= 0;
        if (answered) {
            protocol_.sendCommand(command::Halt);
            haltedHere = true;
        }
        clock_.sleepMs(250);
    }
    const ProgramLine& line = doc.lines[index];
    const int programNumber = parseDecimal(line.programNumber.view());
    for (int attempt = 0; attempt < 4 && answered; ++attempt) {
        const LineUpdate update = sendLineOnce(line, programNumber, remaining);
        if (update == LineUpdate::Confirmed) break;
        answered = update != LineUpdate::NoAnswer && remaining() > 0;
    }
    if (!answered) protocol_.reportProjectorError(CommandNotEchoed);
    if (haltedHere) protocol_.sendCommand(command::Continue);
    return 1;
}

ShowTransfer::LineUpdate ShowTransfer::sendLineOnce(const ProgramLine& line, int programNumber,
                                                    const std::function<int()>& remaining) {
    const std::string commands[] = {
        commandWithArgument("SZ", programNumber, 3),    commandWithArgument("BN", line.slideNumber, 3),
        commandWithArgument("DI", line.dissolveTime, 3), commandWithArgument("TI", line.timerTime, 4),
        commandWithArgument("SF", line.specialFunction, 3),
    };
    // A command that is not echoed shows up in the read-back below; no message here.
    // A wait that runs out means nobody answers: no use going on.
    for (const std::string& text : commands) {
        if (protocol_.waitReady(remaining()) < 0) return LineUpdate::NoAnswer;
        protocol_.sendCommand(text);
        clock_.sleepMs(50);
    }

    const std::string expected = expectedLineReply(programNumber, line);
    if (protocol_.waitReady(remaining()) < 0) return LineUpdate::NoAnswer;
    clock_.sleepMs(150);
    std::string reply;
    protocol_.sendReadLine(programNumber);
    protocol_.link().readLine(reply, 40);
    clock_.sleepMs(50);
    if (protocol_.waitReady(remaining()) < 0) return LineUpdate::NoAnswer;
    // The projector's reply may carry more after the five numbers; they are what counts.
    return reply.substr(0, 20) == expected.substr(0, 20) ? LineUpdate::Confirmed : LineUpdate::Differs;
}

}  // namespace vistrel
