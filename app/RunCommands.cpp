#include "app/RunCommands.h"

#include <QStatusBar>
#include <optional>

#include "app/CMainFrame.h"
#include "app/CSplitterFrame.h"
#include "app/CVistrelApp.h"
#include "app/FrameRunView.h"
#include "app/SettingsCommand.h"
#include "app/ShowMediaCommands.h"
#include "app/ShowRunWindows.h"
#include "model/CVistrelDoc.h"
#include "platform/ProgressWindows.h"
#include "platform/Prompter.h"
#include "platform/qt/core/AppPaths.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunControl.h"
#include "projector/ShowTransfer.h"
#include "rehearsal/Rehearsal.h"
#include "rehearsal/RehearsalProjector.h"
#include "res/CommandIds.h"

namespace vistrel {

namespace {

// Marks a projector sequence as running for as long as it lasts.
class ProjectorBusyScope {
public:
    explicit ProjectorBusyScope(int& counter) : counter_(counter) { ++counter_; }
    ~ProjectorBusyScope() { --counter_; }
    ProjectorBusyScope(const ProjectorBusyScope&) = delete;
    ProjectorBusyScope& operator=(const ProjectorBusyScope&) = delete;

private:
    int& counter_;
};

}  // namespace

RunCommands::RunCommands(CVistrelApp& app) : app_(app) {
    const CVistrelApp::Environment& env = app.environment();
    Settings& settings = app.settings();
    RunState& runState = app.runState();
    link_ = std::make_unique<ProjectorLink>(env.serialPort, env.clock, env.prompter, serialLogPath().toStdString());
    protocol_ = std::make_unique<ProjectorProtocol>(*link_, env.clock, env.prompter, env.events, env.progress);
    transfer_ = std::make_unique<ShowTransfer>(*protocol_, settings, app.appState(), runState, env.prompter, env.clock,
                                               env.events, env.progress);
    runControl_ = std::make_unique<RunControl>(*protocol_, *transfer_, settings, app.appState(), runState,
                                               env.prompter, env.clock);
    runWindows_ = std::make_unique<ShowRunWindows>(ShowRunWindows::Environment{
        [this]() -> ProjectorProtocol& { return runProtocol(); }, runState, settings, env.prompter, env.clock,
        [this]() -> QWidget* { return app_.mainFrame(); },
        [this](const std::function<void()>& work) { return whenLineFree(work); },
        [this]() -> CVistrelDoc* {
            // While a rehearsal runs, the info window describes the rehearsed show.
            if (rehearsal_->running()) return rehearsal_->frame() ? &rehearsal_->frame()->document() : nullptr;
            CSplitterFrame* frame = app_.activeFrame();
            return frame ? &frame->document() : nullptr;
        },
        [this] {
            if (CSplitterFrame* frame = app_.activeFrame()) frame->document().announce({});
            runStateChanged();
        }});
    rehearsal_ = std::make_unique<Rehearsal>(Rehearsal::Environment{
        settings, runState, env.prompter, env.clock, env.events, *runWindows_, [this] { runWindows_->closeAll(); },
        [this](int commandId) { app_.runCommand(commandId); },
        [this](RehearsedShow& frame) {
            if (!whenLineFree([&] { runControl().pauseContinue(frame.document(), frame.runView()); }))
                app_.environment().prompter.beep();
            app_.afterCommand();
        },
        [this](const QString& text) {
            if (app_.mainFrame()) app_.mainFrame()->statusBar()->showMessage(text);
        },
        [this] { runStateChanged(); },
        [this](RehearsedShow& frame) { return app_.showMedia().mediaOf(frame.document()); },
        [this](const QString& path) {
            // Without the module the player itself finds out what it cannot play.
            const mediamodule::MediaFunctions* functions = app_.mediaModule().functions();
            return !functions || functions->decodesSound(path.toStdString());
        }});
}

RunCommands::~RunCommands() = default;

bool RunCommands::talksToProjector(int commandId) {
    switch (commandId) {
    case cmd::WriteToProjector:
    case cmd::WriteToModule:
    case cmd::LoadFromProjector:
    case cmd::LoadFromModule:
    case cmd::ProjectorVersion:
    case cmd::Settings:
    case cmd::StartShow:
    case cmd::StopShow:
    case cmd::PauseContinue:
    case cmd::NextPicture:
    case cmd::JumpToLine:
    case cmd::InfoDisplay:
    case cmd::Rehearse:
        return true;
    default:
        return false;
    }
}

void RunCommands::run(int commandId, CSplitterFrame* frame) {
    ProjectorBusyScope busy(busy_);
    takeLinkSettings();
    protocol_->beginSequence();
    auto newDocument = [this]() -> CVistrelDoc* {
        app_.newShow();
        CSplitterFrame* active = app_.activeFrame();
        return active ? &active->document() : nullptr;
    };
    switch (commandId) {
    case cmd::WriteToProjector: transfer_->writeToProjector(frame->document()); break;
    case cmd::WriteToModule: transfer_->writeToModule(frame->document()); break;
    case cmd::LoadFromProjector: transfer_->loadFromProjector(frame->document(), newDocument); break;
    case cmd::LoadFromModule: transfer_->loadFromModule(frame->document(), newDocument); break;
    case cmd::ProjectorVersion: protocol_->showProjectorVersion(); break;
    case cmd::Settings:
        runSettingsCommand(app_.settings(), *link_, app_.environment().prompter, app_.frames(), app_.mainFrame());
        break;
    case cmd::StartShow: runControl_->start(frame->document(), frame->runView(), *runWindows_); break;
    case cmd::StopShow: runControl().stop(frame->document(), *runWindows_); break;
    case cmd::PauseContinue: runControl().pauseContinue(frame->document(), frame->runView()); break;
    case cmd::NextPicture: runControl().stepForward(frame->document(), frame->runView()); break;
    case cmd::JumpToLine: runControl().jump(frame->document(), frame->runView()); break;
    case cmd::InfoDisplay: runControl().info(*runWindows_); break;
    case cmd::Rehearse:
        rehearsal_->start(*frame);
        rehearsal_->checkEnded();
        break;
    default: break;
    }
    // Where the link found the projector is the port the settings keep.
    app_.settings().portName = link_->portName;
}

CSplitterFrame* RunCommands::commandFrame(int commandId) const {
    // Pause, step, jump, stop and the info window act on the rehearsed show, whichever
    // show window is in front: its list follows, its lines are the ones that pause.
    switch (commandId) {
    case cmd::StopShow:
    case cmd::PauseContinue:
    case cmd::NextPicture:
    case cmd::JumpToLine:
    case cmd::InfoDisplay:
        if (CSplitterFrame* rehearsed = rehearsedFrame()) return rehearsed;
        break;
    default:
        break;
    }
    return app_.activeFrame();
}

CSplitterFrame* RunCommands::rehearsedFrame() const {
    if (!rehearsal_->running() || !rehearsal_->frame()) return nullptr;
    for (CSplitterFrame* frame : app_.frames()) {
        if (frame == rehearsal_->frame()) return frame;
    }
    return nullptr;
}

bool RunCommands::whenLineFree(const std::function<void()>& work) {
    if (projectorBusy()) return false;
    ProjectorBusyScope busy(busy_);
    takeLinkSettings();
    protocol_->beginSequence();
    work();
    return true;
}

void RunCommands::takeLinkSettings() {
    link_->portName = app_.settings().portName;
    link_->blockDelay = app_.settings().blockDelay;
}

void RunCommands::pauseContinue(CVistrelDoc& doc) {
    for (CSplitterFrame* frame : app_.frames()) {
        if (&frame->document() != &doc) continue;
        if (!whenLineFree([&] { runControl().pauseContinue(doc, frame->runView()); }))
            app_.environment().prompter.beep();
        app_.afterCommand();
        return;
    }
}

int RunCommands::sendLineToRunningShow(CVistrelDoc& doc) {
    int sent = 0;
    // A line changed in another show than the one rehearsed goes nowhere.
    if (rehearsal_->running() && &rehearsal_->frame()->document() != &doc) return 1;
    if (!whenLineFree([&] { sent = runTransfer().sendLineToRunningShow(doc); })) app_.environment().prompter.beep();
    return sent;
}

void RunCommands::pollTick(CSplitterFrame& polled) {
    // While a rehearsal runs, only its show window follows it; another window
    // still polling has nothing of its own to follow.
    if (rehearsal_->running() && rehearsal_->frame() != &polled) {
        polled.runView().stopPolling();
        return;
    }
    whenLineFree([&] { runControl().poll(polled.document(), polled.runView()); });
    rehearsal_->checkEnded();
}

bool RunCommands::showIsFollowed() const {
    if (app_.runState().homingDialogOpen) return true;
    for (CSplitterFrame* frame : app_.frames()) {
        if (frame->runView().polling()) return true;
    }
    return false;
}

void RunCommands::runStateChanged() {
    rehearsal_->checkEnded();
    CMainFrame* main = app_.mainFrame();
    if (!main) return;
    main->setPauseIndicator(app_.runState().pauseState != 0);
    main->updateActions();
}

void RunCommands::frameClosing(CSplitterFrame* frame) { rehearsal_->frameClosing(frame); }

void RunCommands::closeRunWindows() {
    rehearsal_->abandon();
    runWindows_->closeAll();
}

RunControl& RunCommands::runControl() {
    return rehearsal_->running() ? rehearsal_->projector()->runControl() : *runControl_;
}

ProjectorProtocol& RunCommands::runProtocol() {
    return rehearsal_->running() ? rehearsal_->projector()->protocol() : *protocol_;
}

ShowTransfer& RunCommands::runTransfer() {
    return rehearsal_->running() ? rehearsal_->projector()->transfer() : *transfer_;
}

void RunCommands::endOfRun() {
    if (link_->connected) {
        if (app_.settings().pcModeOffAtExit) leavePcMode();
        link_->closePort();
    }
    link_->closeLog();
}

void RunCommands::leavePcMode() {
    // A projector that is ready answers at once. One that has been switched off or
    // unplugged never does: the wait is bounded, its window says what the program,
    // whose main window is gone by now, is still waiting for, and "Nicht warten" ends it.
    protocol_->beginSequence();
    protocol_->waitReady(ProjectorProtocol::WaitLimitMs, ProgressWindows::WaitKind::EndOfRun);
    protocol_->sendCommand(command::LeavePcMode);
}

}  // namespace vistrel
