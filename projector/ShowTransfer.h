#pragma once
// Moves whole shows between a document and the projector: writes a show into the
// working memory or the plug-in module, reads the working memory (or the module, by
// way of the working memory) into a document, and sends a single changed line into a
// show that is running. Each sequence asks its questions and reports its failures
// through the Prompter, once, and leaves the lines' change marks saying what the
// projector and the module hold.
#include <cstdint>
#include <functional>
#include <string>

#include "model/ApplicationState.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/Prompter.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunState.h"

namespace vistrel {

// Before a show is written: refuses a show with a value no projector record can hold,
// with a message naming the first such line and value. True when refused; then nothing
// may be sent. The command line asks before it opens the port, the transfer again.
bool refuseUnstorableShow(const CVistrelDoc& doc, Prompter& prompter);

class ShowTransfer {
public:
    // Where a show is written.
    enum Target { WorkingMemory = 1, Module = 2 };

    // What uploadShow hands back.
    enum UploadResult { UploadFirmwareTooOld = -1, UploadNothingSent = 0, UploadDone = 1 };

    // Creates a new document as the "new" command does and returns the document that is
    // active afterwards (the old one when none could be created, or null).
    using NewDocumentFactory = std::function<CVistrelDoc*()>;

    ShowTransfer(ProjectorProtocol& protocol, Settings& settings, ApplicationState& appState, RunState& runState,
                 Prompter& prompter, Clock& clock, EventPump& events, ProgressWindows& progress);

    // Writes the show into the working memory (target 1) or for the module (target 2):
    // 1 written, 0 failed or nothing to send, -1 firmware too old.
    int uploadShow(CVistrelDoc& doc, int target);

    // The menu commands. Each returns true when it ended without a reported failure
    // (the command line turns that into its exit code; the windows ignore it).
    bool writeToProjector(CVistrelDoc& doc);  // "Diaschau in den Projektor speichern"
    bool writeToModule(CVistrelDoc& doc);     // "Diaschau ins Modul speichern"
    // "Diaschau vom Projektor laden" / "Diaschau vom Modul laden" with their questions.
    // True when a show was read into a document.
    bool loadFromProjector(CVistrelDoc& doc, const NewDocumentFactory& newDocument);
    bool loadFromModule(CVistrelDoc& doc, const NewDocumentFactory& newDocument);

    // Reads the working memory into `doc`. True when it was read and the operation closed.
    bool readShowFromProjector(CVistrelDoc& doc, bool clearDescriptions);
    // Copies the module into the working memory. True on success.
    bool loadModule(CVistrelDoc& doc);

    // Sends the current line of `doc` into the running show: 1 taken (a projector that
    // does not answer is reported, the line stays in the document), 0 refused. Ends
    // within about 30 s whatever the projector does; a show the user paused stays paused.
    int sendLineToRunningShow(CVistrelDoc& doc);

    // Enabling rules of the menu commands.
    static bool canWrite(const CVistrelDoc& doc, const RunState& runState) {
        return !runState.showRunning && doc.lineCount > 0;
    }
    static bool canLoad(const RunState& runState) { return !runState.showRunning; }

private:
    enum class UploadOutcome { Sent, NothingToSend, Failed, FirmwareTooOld, Refused };
    UploadOutcome upload(CVistrelDoc& doc, int target);
    bool openOperation();
    bool readRecords(CVistrelDoc& doc, std::uint16_t start, bool clearDescriptions);
    enum class LineUpdate { Confirmed, Differs, NoAnswer };
    // One attempt: the five values, then the read-back. `remaining` is the time left.
    LineUpdate sendLineOnce(const ProgramLine& line, int programNumber, const std::function<int()>& remaining);
    // PA; its failure is reported only when asked, so that one failure gets one message.
    bool closeOperation(bool reportFailure);
    bool askAndRead(CVistrelDoc& doc, const NewDocumentFactory& newDocument, bool fromModule);

    // How far a read of the working memory got: `started` once records were being read
    // into the document, `complete` when all of them came, `closed` when PA went too.
    struct ReadResult {
        bool started = false;
        bool complete = false;
        bool closed = false;
    };
    ReadResult readShow(CVistrelDoc& doc, bool clearDescriptions);
    // PA after a read from the module; true when `read` and PA went.
    bool closeModuleRead(bool read);
    // `doc` takes the lines of `from` and refills its views.
    static void takeLines(CVistrelDoc& doc, const CVistrelDoc& from);
    // The lines of a broken read into a new window (not into `doc`), with a word why.
    void offerPartialRead(const CVistrelDoc& doc, const CVistrelDoc& partial, const NewDocumentFactory& newDocument);

    ProjectorProtocol& protocol_;
    Settings& settings_;
    ApplicationState& appState_;
    RunState& runState_;
    Prompter& prompter_;
    Clock& clock_;
    EventPump& events_;
    ProgressWindows& progress_;
    bool lineUpdateActive_ = false;
};

}  // namespace vistrel
