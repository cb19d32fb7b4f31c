#pragma once
// The projector as the window program drives it: the one link on the serial port with
// its protocol, transfers and run control, the info window and the homing wait, and the
// rehearsal. It carries out the commands that talk to the projector, decides which
// projector they talk to (the rehearsal's while one runs) and which show window they act
// on, and keeps projector sequences from cutting into each other (whenLineFree).
#include <functional>
#include <memory>

namespace vistrel {

class CSplitterFrame;
class CVistrelApp;
class CVistrelDoc;
class ProjectorLink;
class ProjectorProtocol;
class Rehearsal;
class RunControl;
class ShowRunWindows;
class ShowTransfer;

class RunCommands {
public:
    explicit RunCommands(CVistrelApp& app);
    ~RunCommands();
    RunCommands(const RunCommands&) = delete;
    RunCommands& operator=(const RunCommands&) = delete;

    // Whether `commandId` talks to the projector: run() carries it out.
    static bool talksToProjector(int commandId);
    // Carries out a command that talks to the projector, as one sequence on the line.
    void run(int commandId, CSplitterFrame* frame);
    // The show window a command acts on: for the run commands the rehearsed one while
    // a rehearsal runs, else the active one.
    CSplitterFrame* commandFrame(int commandId) const;

    // True while a projector sequence runs. It keeps the window alive by handling
    // input between its steps; meanwhile no other command may start, and no show
    // window may close under it.
    bool projectorBusy() const { return busy_ > 0; }
    // Runs `work` as a projector sequence unless one is running already (then nothing
    // happens and the answer is false).
    bool whenLineFree(const std::function<void()>& work);

    // Space in a show's list or the rehearsal window: pause or go on, in every state.
    void pauseContinue(CVistrelDoc& doc);
    // A line stored while a show runs goes into the projector: 1 sent, 0 refused.
    int sendLineToRunningShow(CVistrelDoc& doc);
    // A tick of `frame`'s 700 ms poll.
    void pollTick(CSplitterFrame& frame);
    // Whether a run is followed now (a poll running, the homing wait open).
    bool showIsFollowed() const;
    // "PAUSE !", menus and tool bar follow the run state; a rehearsal whose run is over ends.
    void runStateChanged();
    // `frame` closes: a rehearsal of its show ends now.
    void frameClosing(CSplitterFrame* frame);

    // The end of the program: a rehearsal ends, the run's windows go.
    void closeRunWindows();
    // The end of the run: PC mode off when the settings say so, port and log closed.
    void endOfRun();

    ProjectorLink& link() { return *link_; }
    ProjectorProtocol& protocol() { return *protocol_; }
    // The run control the run commands talk to: the rehearsal's while a rehearsal
    // runs, else the projector's on the serial port.
    RunControl& runControl();
    ShowRunWindows& runWindows() { return *runWindows_; }
    Rehearsal& rehearsal() { return *rehearsal_; }

private:
    ProjectorProtocol& runProtocol();
    ShowTransfer& runTransfer();
    // The show window of the rehearsal, while one runs.
    CSplitterFrame* rehearsedFrame() const;
    // Points the link at the port and pause the settings name now.
    void takeLinkSettings();
    // RS at the end of the run, after a bounded wait for the projector.
    void leavePcMode();

    CVistrelApp& app_;
    std::unique_ptr<ProjectorLink> link_;
    std::unique_ptr<ProjectorProtocol> protocol_;
    std::unique_ptr<ShowTransfer> transfer_;
    std::unique_ptr<RunControl> runControl_;
    std::unique_ptr<ShowRunWindows> runWindows_;
    // After the run windows: it goes first, and closes those it opened.
    std::unique_ptr<Rehearsal> rehearsal_;
    int busy_ = 0;
};

}  // namespace vistrel
