#include "app/CVistrelApp.h"
#include "app/WindowActivationKeeper.h"
#include "edits/ShowHistory.h"

#include <algorithm>
#include <optional>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include "app/CMainFrame.h"
#include "app/CSplitterFrame.h"
#include "app/DemoShowCopy.h"
#include "app/DocumentCommands.h"
#include "app/FileDialogs.h"
#include "app/VideoExportCommand.h"
#include "app/FrameRunView.h"
#include "app/RecentFileList.h"
#include "app/Rehearsal.h"
#include "app/RehearsalProjector.h"
#include "app/SearchCommands.h"
#include "app/SettingsCommand.h"
#include "app/ShowLengthCommands.h"
#include "app/ShowRunWindows.h"
#include "app/SingleInstance.h"
#include "dialogs/AboutDialog.h"
#include "media/AudioInfo.h"
#include "media/MediaFailureText.h"
#include "model/CVistrelDoc.h"
#include "model/PictureFolder.h"
#include "model/ShowFile.h"
#include "model/ShowLengthCommands.h"
#include "model/ShowMediaChoices.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/Prompter.h"
#include "platform/qt/core/AppPaths.h"
#include "projector/ProjectorLink.h"
#include "projector/ProjectorProtocol.h"
#include "projector/RunControl.h"
#include "projector/ShowTransfer.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"
#include "res/strings/RehearsalStrings.h"
#include "res/strings/ShellStrings.h"
#include "res/strings/StateStrings.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"
#include "views/ListPrinting.h"

// The icons and the help page are compiled in; a static library needs them named once.
static void initResources() { Q_INIT_RESOURCE(vistrel); }

namespace vistrel {

namespace {

QString tableText(int id) { return QString::fromUtf8(res::text(id)); }

// The edit commands that act on the field with the focus when the user works in the line editor.
bool isEditCommand(int commandId) {
    return commandId == cmd::EditCut || commandId == cmd::EditCopy || commandId == cmd::EditPaste ||
           commandId == cmd::EditRemove || commandId == cmd::EditSelectAll || commandId == cmd::EditUndo ||
           commandId == cmd::EditRedo;
}

// The folder part of a path made absolute, ending in a separator.
std::string folderOf(const QString& absolutePath) {
    QString folder = QFileInfo(absolutePath).absolutePath();
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder.toStdString();
}

// The same file, however the path was written.
QString comparablePath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

}  // namespace

CVistrelApp::CVistrelApp(Environment environment) : env_(std::move(environment)) {
    initResources();
    recentFiles_ = std::make_unique<RecentFileList>(profilePath());
    recentFiles_->setNotKeptReport([this](const QString& profile) {
        env_.prompter.showMessage(tableText(ids::RecentFilesNotKept).arg(QDir::toNativeSeparators(profile)).toStdString(),
                                  MessageIcon::Exclamation, MessageButtons::Ok);
    });
    link_ = std::make_unique<ProjectorLink>(env_.serialPort, env_.clock, env_.prompter, serialLogPath().toStdString());
    protocol_ = std::make_unique<ProjectorProtocol>(*link_, env_.clock, env_.prompter, env_.events, env_.progress);
    transfer_ = std::make_unique<ShowTransfer>(*protocol_, settings_, appState_, runState_, env_.prompter, env_.clock,
                                               env_.events, env_.progress);
    runControl_ = std::make_unique<RunControl>(*protocol_, *transfer_, settings_, appState_, runState_,
                                               env_.prompter, env_.clock);
    runWindows_ = std::make_unique<ShowRunWindows>(ShowRunWindows::Environment{
        [this]() -> ProjectorProtocol& { return runProtocol(); }, runState_, settings_, env_.prompter, env_.clock,
        [this]() -> QWidget* { return mainFrame_.data(); },
        [this](const std::function<void()>& work) { return whenLineFree(work); },
        [this]() -> CVistrelDoc* {
            // While a rehearsal runs, the info window describes the rehearsed show.
            CSplitterFrame* frame = rehearsal_->running() ? rehearsal_->frame() : activeFrame();
            return frame ? &frame->document() : nullptr;
        },
        [this] {
            if (CSplitterFrame* frame = activeFrame()) frame->document().announce({});
            runStateChanged();
        }});
    rehearsal_ = std::make_unique<Rehearsal>(Rehearsal::Environment{
        settings_, runState_, env_.prompter, env_.clock, env_.events, *runWindows_,
        [this](int commandId) { runCommand(commandId); },
        [this](CSplitterFrame& frame) {
            if (!whenLineFree([&] { runControl().pauseContinue(frame.document(), frame.runView()); }))
                env_.prompter.beep();
            afterCommand();
        },
        [this](const QString& text) {
            if (mainFrame_) mainFrame_->statusBar()->showMessage(text);
        },
        [this] { runStateChanged(); },
        [this](CSplitterFrame& frame) { return rehearsalMedia(frame); }});
    documentCommands_ =
        std::make_unique<DocumentCommands>(env_.prompter, env_.fileDialogs, *recentFiles_, settings_);
    documentCommands_->setSavedUnderNewName(
        [this](CSplitterFrame& frame, const std::string& from) { carryMediaOver(frame, from); });
    videoExport_ = std::make_unique<VideoExportCommand>(env_.prompter, env_.fileDialogs);
    SearchCommands::Hooks searchHooks;
    searchHooks.activeFrame = [this] { return activeFrame(); };
    searchHooks.dialogParent = [this]() -> QWidget* { return mainFrame_.data(); };
    searchHooks.openShow = [this](const QString& path, bool& wasOpen) -> CSplitterFrame* {
        const std::size_t before = frames_.size();
        if (!openShow(path)) return nullptr;
        wasOpen = frames_.size() == before;
        return activeFrame();
    };
    search_ = new SearchCommands(settings_, appState_, env_.prompter, std::move(searchHooks), this);
    services_ = std::make_unique<ViewServices>(ViewServices{settings_, appState_, runState_, env_.prompter, {}, {}, {}, {}, {}, {}, {}});
    services_->sendLineToRunningShow = [this](CVistrelDoc& doc) {
        int sent = 0;
        // A line changed in another show than the one rehearsed goes nowhere.
        if (rehearsal_->running() && &rehearsal_->frame()->document() != &doc) return 1;
        if (!whenLineFree([&] { sent = runTransfer().sendLineToRunningShow(doc); })) env_.prompter.beep();
        return sent;
    };
    // Space in the list: "Pause bzw. weiter" in every state of the run, also at a pause line.
    services_->pauseContinue = [this](CVistrelDoc& doc) {
        for (CSplitterFrame* frame : frames_) {
            if (&frame->document() != &doc) continue;
            if (!whenLineFree([&] { runControl().pauseContinue(doc, frame->runView()); })) env_.prompter.beep();
            afterCommand();
            return;
        }
    };
    services_->runCommand = [this](int commandId) { runCommand(commandId); };
    services_->pictureFolder = [this](CVistrelDoc& doc) {
        for (CSplitterFrame* frame : frames_) {
            if (&frame->document() == &doc) return rehearsalMedia(*frame).pictureFolder;
        }
        return QString();
    };
    services_->commandAction = [this](int commandId) -> QAction* {
        return mainFrame_ ? mainFrame_->action(commandId) : nullptr;
    };
    services_->updateActions = [this] {
        if (mainFrame_) mainFrame_->updateActions();
    };
    services_->openShow = [this](const QString& path) {
        if (!mainFrame_) return;
        if (projectorBusy()) {
            env_.prompter.beep();
            return;
        }
        openShow(path);
        afterCommand();
    };
}

CVistrelApp::~CVistrelApp() {
    // A rehearsal ends with its windows; then the run's windows go: they still talk
    // to the program while they go.
    rehearsal_->abandon();
    runWindows_->closeAll();
    // The show windows go with the main window; their documents go with them.
    frames_.clear();
    delete mainFrame_.data();
    delete helpWindow_.data();
}

bool CVistrelApp::startUp(const QStringList& arguments) {
    // Recent files, then the settings with the application's own members reset.
    recentFiles_->load();
    settings_ = readSettings(settingsFilePath().toStdString());
    appState_.searchText.clear();
    appState_.projectorShowTitle.clear();
    appState_.matchCase = false;
    appState_.searchPending = false;
    settings_.lampBrightness = 100;

    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vistrel.svg")));
    mainFrame_ = new CMainFrame(*this);
    new WindowActivationKeeper(mainFrame_);  // owned by the main window

    if (env_.acceptHandOver) {
        singleInstance_ = new SingleInstance(configFolder(), this);
        singleInstance_->listen([this](const QString& path) { openHandedOver(path); });
    }


    // The command line: no file opens an empty show; a file is opened like any other.
    QString file;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) continue;
        file = argument;
        break;
    }
    if (file.isEmpty()) {
        newShow();
    } else if (!openShow(file)) {
        return false;
    }

    // Maximized; without a window manager to do it the window takes the screen itself.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) mainFrame_->setGeometry(screen->availableGeometry());
    mainFrame_->showMaximized();
    // Ask for the keyboard as well: without a window manager nobody else makes the window
    // active, and the menu shortcuts only act in the active window.
    mainFrame_->activateWindow();
    mainFrame_->updateActions();
    return true;
}

void CVistrelApp::endOfRun() {
    if (link_->connected) {
        if (settings_.pcModeOffAtExit) leavePcMode();
        link_->closePort();
    }
    link_->closeLog();
    writeSettings(settingsFilePath().toStdString(), settings_);
    recentFiles_->save();
    search_->closeResults();
}

void CVistrelApp::leavePcMode() {
    // A projector that is ready answers at once. One that has been switched off or
    // unplugged never does: the wait is bounded, its window says what the program,
    // whose main window is gone by now, is still waiting for, and "Nicht warten" ends it.
    protocol_->beginSequence();
    protocol_->waitReady(ProjectorProtocol::WaitLimitMs, ProgressWindows::WaitKind::EndOfRun);
    protocol_->sendCommand(command::LeavePcMode);
}

CSplitterFrame* CVistrelApp::newShow() {
    auto doc = std::make_unique<CVistrelDoc>();
    doc->windowTitle = res::text(ids::NewShowBaseName) + std::to_string(++untitledCount_);
    return createFrame(std::move(doc));
}

bool CVistrelApp::openShow(const QString& path) {
    // Only show files are opened; anything else is refused before it is touched.
    if (!hasShowFileName(path.toStdString())) {
        env_.prompter.showMessage(ids::NotADpdFile, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    settings_.lastFolder = folderOf(absolute);

    const QString wanted = comparablePath(absolute);
    for (CSplitterFrame* frame : frames_) {
        const std::string& open = frame->document().filePath;
        if (!open.empty() && comparablePath(QString::fromStdString(open)) == wanted) {
            mainFrame_->mdiArea()->setActiveSubWindow(frame);
            return true;
        }
    }

    auto doc = std::make_unique<CVistrelDoc>();
    ShowReadReport report;
    doc->openFromFile(absolute.toStdString(), settings_, env_.prompter, &report);
    if (doc->windowTitle.empty()) doc->windowTitle = QFileInfo(absolute).fileName().toStdString();
    createFrame(std::move(doc));
    recentFiles_->add(absolute);
    recentFiles_->save();
    // Said once the window shows what was read, so that the user sees what a save would keep;
    // a show given on the command line is opened before the main window shows.
    if (!report.complete()) {
        const std::string text = readLossMessage(report);
        auto tell = [this, text] { env_.prompter.showMessage(text, MessageIcon::Exclamation, MessageButtons::Ok); };
        if (mainFrame_ && mainFrame_->isVisible())
            tell();
        else
            QTimer::singleShot(0, this, tell);
    }
    return true;
}

void CVistrelApp::openHandedOver(const QString& path) {
    pendingHandOvers_.append(path);
    openPendingHandOvers();
}

void CVistrelApp::openPendingHandOvers() {
    // One file at a time: a file that arrives while the message box about the one before
    // is up waits for it, instead of putting a second box on top.
    if (openingHandOver_ || !mainFrame_) return;
    // A projector sequence must finish before a window opens beside it.
    if (projectorBusy()) {
        QTimer::singleShot(300, this, [this] { openPendingHandOvers(); });
        return;
    }
    openingHandOver_ = true;
    while (!pendingHandOvers_.isEmpty() && mainFrame_ && !projectorBusy()) {
        openShow(pendingHandOvers_.takeFirst());
        if (!mainFrame_) break;
        mainFrame_->raise();
        mainFrame_->activateWindow();
    }
    openingHandOver_ = false;
    if (!pendingHandOvers_.isEmpty() && mainFrame_) QTimer::singleShot(300, this, [this] { openPendingHandOvers(); });
}

void CVistrelApp::chooseAndOpen() {
    QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : mainFrame_.data();
    const QString chosen =
        env_.fileDialogs.getOpenFileName(owner, tableText(ids::OpenDialogTitle),
                                         dialogStartFolder(settings_.lastFolder), DocumentCommands::fileFilter());
    if (!chosen.isEmpty()) openShow(chosen);
}

void CVistrelApp::openRecentFile(int index) {
    if (projectorBusy()) {
        env_.prompter.beep();
        return;
    }
    const QStringList& entries = recentFiles_->entries();
    if (index < 0 || index >= entries.size()) return;
    openShow(entries.at(index));
    afterCommand();
}

bool CVistrelApp::confirmSaveAll() {
    for (CSplitterFrame* frame : std::vector<CSplitterFrame*>(frames_)) {
        if (!frame->document().hasUnsavedChanges()) continue;
        switch (documentCommands_->askToSave(*frame)) {
        case DocumentCommands::Answer::Yes:
            documentCommands_->save(*frame, false);
            if (frame->document().hasUnsavedChanges()) return false;
            break;
        case DocumentCommands::Answer::No:
            break;
        case DocumentCommands::Answer::Cancel:
            return false;
        }
    }
    return true;
}

bool CVistrelApp::prepareExit() {
    if (projectorBusy()) {
        env_.prompter.beep();
        return false;
    }
    if (!confirmSaveAll()) return false;
    rehearsal_->abandon();
    // The info window keeps its place for the settings written at the end.
    runWindows_->closeAll();
    for (CSplitterFrame* frame : std::vector<CSplitterFrame*>(frames_)) frame->closeWithoutAsking();
    if (helpWindow_) helpWindow_->close();
    return true;
}

CMainFrame* CVistrelApp::mainFrame() const { return mainFrame_.data(); }

CSplitterFrame* CVistrelApp::activeFrame() const {
    if (!mainFrame_) return nullptr;
    return qobject_cast<CSplitterFrame*>(mainFrame_->mdiArea()->currentSubWindow());
}

CSplitterFrame* CVistrelApp::createFrame(std::unique_ptr<CVistrelDoc> doc) {
    // A new window means no show is known to run, unless one is being followed right
    // now: opening another show during a performance must not lose track of it.
    if (!showIsFollowed()) runState_.showRunning = false;

    CSplitterFrame::Hooks hooks;
    hooks.confirmClose = [this](CSplitterFrame& frame) {
        if (projectorBusy()) {
            env_.prompter.beep();
            return false;
        }
        appState_.searchPending = false;
        appState_.projectorShowTitle.clear();
        return documentCommands_->confirmClose(frame);
    };
    hooks.closed = [this](CSplitterFrame* frame) { frameClosed(frame); };
    hooks.warnSmallScreen = [this] { warnSmallScreen(); };
    hooks.pollTick = [this](CSplitterFrame& polled) {
        // While a rehearsal runs, only its show window follows it; another window
        // still polling has nothing of its own to follow.
        if (rehearsal_->running() && rehearsal_->frame() != &polled) {
            polled.runView().stopPolling();
            return;
        }
        whenLineFree([&] { runControl().poll(polled.document(), polled.runView()); });
        rehearsal_->checkEnded();
    };
    hooks.pauseStateChanged = [this] {
        if (mainFrame_) mainFrame_->setPauseIndicator(runState_.pauseState != 0);
    };
    hooks.runStateChanged = [this] { runStateChanged(); };
    hooks.showChanged = [this] { afterCommand(); };
    hooks.screenSize = env_.screenSize ? env_.screenSize : [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize();
    };

    auto* frame = new CSplitterFrame(std::move(doc), *services_, std::move(hooks), settings_.fullSizeDocumentWindows);
    attachListPrinting(*frame->listView(), printer());
    frames_.push_back(frame);
    mainFrame_->mdiArea()->addSubWindow(frame);
    connect(frame, &QMdiSubWindow::windowStateChanged, mainFrame_.data(), &CMainFrame::refreshCaption);
    // Each new window a step down and to the right of the one before, so that none
    // hides another completely.
    const int step = 26 * static_cast<int>((frames_.size() - 1) % 8);
    frame->move(step, step);
    if (settings_.fullSizeDocumentWindows)
        frame->showMaximized();
    else
        frame->show();
    mainFrame_->mdiArea()->setActiveSubWindow(frame);
    frame->listView()->setFocus();
    mainFrame_->setDocumentMenus(true);
    mainFrame_->refreshCaption();
    mainFrame_->updateActions();
    return frame;
}

void CVistrelApp::frameClosed(CSplitterFrame* frame) {
    std::erase(frames_, frame);
    rehearsal_->frameClosing(frame);
    unsavedMedia_.remove(&frame->document());
    if (!mainFrame_) return;
    if (frames_.empty()) mainFrame_->setDocumentMenus(false);
    mainFrame_->refreshCaption();
    mainFrame_->updateActions();
}

void CVistrelApp::warnSmallScreen() {
    if (smallScreenWarned_) return;
    smallScreenWarned_ = true;
    env_.prompter.showMessage(ids::ResolutionWarning, MessageIcon::Exclamation, MessageButtons::Ok);
}

bool CVistrelApp::editorFieldHasFocus(CSplitterFrame& frame) const {
    QWidget* focus = QApplication::focusWidget();
    return frame.editorIsActivePane() && focus && frame.editor()->isAncestorOf(focus);
}

bool CVistrelApp::viewEnables(int commandId) const {
    CSplitterFrame* frame = activeFrame();
    if (!frame) return false;
    if (isEditCommand(commandId) && editorFieldHasFocus(*frame)) return frame->editor()->isCommandEnabled(commandId);
    return frame->listView()->isCommandEnabled(commandId);
}

bool CVistrelApp::routeToView(int commandId) {
    CSplitterFrame* frame = activeFrame();
    if (!frame) return false;
    if (isEditCommand(commandId) && editorFieldHasFocus(*frame)) return frame->editor()->handleCommand(commandId);
    return frame->listView()->handleCommand(commandId);
}

void CVistrelApp::undoOrRedo(CSplitterFrame& frame, int commandId) {
    // As in any text field, typing not yet taken over is taken back first.
    if (editorFieldHasFocus(frame) && frame.editor()->isCommandEnabled(commandId)) {
        frame.editor()->handleCommand(commandId);
        return;
    }
    if (commandId == cmd::EditUndo) {
        frame.history().undo();
    } else {
        frame.history().redo();
    }
}

std::pair<QString, QString> CVistrelApp::historyStepNames() const {
    CSplitterFrame* frame = activeFrame();
    if (!frame) return {};
    return {frame->history().undoName(), frame->history().redoName()};
}

CommandContext CVistrelApp::commandContext() const {
    CommandContext context;
    context.documentWindows = static_cast<int>(frames_.size());
    context.showRunning = runState_.showRunning;
    context.pauseState = runState_.pauseState;
    context.recentFiles = static_cast<int>(recentFiles_->entries().size());
    if (CSplitterFrame* frame = activeFrame()) {
        const CVistrelDoc& doc = frame->document();
        context.documentActive = true;
        context.lineCount = doc.lineCount;
        context.searchIndex = doc.searchIndex;
        context.commandBusy = doc.commandBusy;
        context.canUndo = frame->history().canUndo();
        context.canRedo = frame->history().canRedo();
        context.viewEnables = [this](int commandId) { return viewEnables(commandId); };
    }
    return context;
}

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

bool talksToProjector(int commandId) {
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

}  // namespace

bool CVistrelApp::whenLineFree(const std::function<void()>& work) {
    if (projectorBusy()) return false;
    ProjectorBusyScope busy(projectorBusy_);
    takeLinkSettings();
    protocol_->beginSequence();
    work();
    return true;
}

void CVistrelApp::takeLinkSettings() {
    link_->portName = settings_.portName;
    link_->blockDelay = settings_.blockDelay;
}

bool CVistrelApp::showIsFollowed() const {
    if (runState_.homingDialogOpen) return true;
    for (CSplitterFrame* frame : frames_) {
        if (frame->runView().polling()) return true;
    }
    return false;
}

RunControl& CVistrelApp::runControl() {
    return rehearsal_->running() ? rehearsal_->projector()->runControl() : *runControl_;
}

ProjectorProtocol& CVistrelApp::runProtocol() {
    return rehearsal_->running() ? rehearsal_->projector()->protocol() : *protocol_;
}

ShowTransfer& CVistrelApp::runTransfer() {
    return rehearsal_->running() ? rehearsal_->projector()->transfer() : *transfer_;
}

CSplitterFrame* CVistrelApp::runCommandFrame(int commandId) const {
    // Pause, step, jump, stop and the info window act on the rehearsed show, whichever
    // show window is in front: its list follows, its lines are the ones that pause.
    switch (commandId) {
    case cmd::StopShow:
    case cmd::PauseContinue:
    case cmd::NextPicture:
    case cmd::JumpToLine:
    case cmd::InfoDisplay:
        if (rehearsal_->running() && rehearsal_->frame()) return rehearsal_->frame();
        break;
    default:
        break;
    }
    return activeFrame();
}

void CVistrelApp::startRehearsal(CSplitterFrame& frame) {
    rehearsal_->start(frame);
    rehearsal_->checkEnded();
}

Rehearsal::Media CVistrelApp::rehearsalMedia(CSplitterFrame& frame) {
    const std::string& show = frame.document().filePath;
    if (show.empty()) return unsavedMedia_.value(&frame.document());
    const ShowMediaChoices::Used used =
        ShowMediaChoices(showMediaFilePath().toStdString()).usedFor(show, frame.document().windowTitle);
    for (const std::string& message : used.messages)
        env_.prompter.showMessage(message, MessageIcon::Exclamation, MessageButtons::Ok);
    return {QString::fromStdString(used.pictureFolder.string()), QString::fromStdString(used.musicFile)};
}

void CVistrelApp::rememberMedia(CSplitterFrame& frame, const std::function<void(Rehearsal::Media&)>& change) {
    const std::string& show = frame.document().filePath;
    if (show.empty()) {
        change(unsavedMedia_[&frame.document()]);
        return;
    }
    // Only what was chosen is kept: a folder found by default follows the show.
    const ShowMediaChoices choices(showMediaFilePath().toStdString());
    ShowMedia kept = choices.of(show);
    Rehearsal::Media media{QString::fromStdString(kept.pictureFolder), QString::fromStdString(kept.musicFile)};
    change(media);
    kept = {media.pictureFolder.toStdString(), media.music.toStdString()};
    if (!choices.remember(show, kept)) {
        env_.prompter.showMessage(tableText(ids::MediaChoiceNotKept).arg(showMediaFilePath()).toStdString(),
                                  MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

void CVistrelApp::carryMediaOver(CSplitterFrame& frame, const std::string& from) {
    const std::string& to = frame.document().filePath;
    const ShowMediaChoices choices(showMediaFilePath().toStdString());
    bool kept = true;
    if (from.empty()) {
        // A new show's choices lived in memory until it had a name.
        const Rehearsal::Media media = unsavedMedia_.take(&frame.document());
        kept = choices.remember(to, {media.pictureFolder.toStdString(), media.music.toStdString()});
    } else {
        kept = choices.carryOver(from, to);
    }
    if (!kept) {
        env_.prompter.showMessage(tableText(ids::MediaChoiceNotKept).arg(showMediaFilePath()).toStdString(),
                                  MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

void CVistrelApp::choosePictureFolder(CSplitterFrame& frame) {
    Rehearsal::Media media = rehearsalMedia(frame);
    QString start = media.pictureFolder;
    if (!QFileInfo(start).isDir()) start = dialogStartFolder(settings_.lastFolder);
    const QString chosen =
        env_.fileDialogs.getExistingFolder(mainFrame_, tableText(ids::PictureFolderDialogTitle), start);
    if (chosen.isEmpty()) return;
    media.pictureFolder = QDir(chosen).absolutePath();
    rememberMedia(frame, [&](Rehearsal::Media& kept) { kept.pictureFolder = media.pictureFolder; });
    if (mainFrame_) {
        mainFrame_->statusBar()->showMessage(tableText(ids::PictureFolderChosen)
                                                 .arg(QString::fromStdString(frame.document().windowTitle),
                                                      QDir::toNativeSeparators(media.pictureFolder)));
    }
}

void CVistrelApp::chooseMusic(CSplitterFrame& frame) {
    Rehearsal::Media media = rehearsalMedia(frame);
    QString start = media.music.isEmpty() ? QString() : QFileInfo(media.music).absolutePath();
    if (start.isEmpty() || !QFileInfo(start).isDir()) {
        const std::string& show = frame.document().filePath;
        start = show.empty() ? dialogStartFolder(settings_.lastFolder)
                             : QFileInfo(QString::fromStdString(show)).absolutePath();
    }
    const QString filter = tableText(ids::MusicFilter) + QStringLiteral(";;") + tableText(ids::AllFilesFilter);
    const QString chosen =
        env_.fileDialogs.getOpenFileName(mainFrame_, tableText(ids::MusicDialogTitle), start, filter);
    if (chosen.isEmpty()) return;
    media.music = QFileInfo(chosen).absoluteFilePath();
    rememberMedia(frame, [&](Rehearsal::Media& kept) { kept.music = media.music; });
    if (mainFrame_) {
        mainFrame_->statusBar()->showMessage(tableText(ids::MusicChosen)
                                                 .arg(QString::fromStdString(frame.document().windowTitle),
                                                      QDir::toNativeSeparators(media.music)));
    }
}

ScaleDialog::MusicSeconds CVistrelApp::musicSeconds(CSplitterFrame& frame) {
    const QString music = rehearsalMedia(frame).music;
    if (music.isEmpty()) return {};
    return [this, music]() -> std::optional<std::int64_t> {
        const media::AudioLength length = media::audioLength(music.toStdString());
        if (!length.ok()) {
            env_.prompter.showMessage(media::mediaFailureText(length.failure), MessageIcon::Exclamation, MessageButtons::Ok);
            return std::nullopt;
        }
        // The same whole seconds as `vistrel-cli scale --to-audio` takes.
        return musicLengthForScaling(length.milliseconds) / 10;
    };
}

void CVistrelApp::runStateChanged() {
    rehearsal_->checkEnded();
    if (!mainFrame_) return;
    mainFrame_->setPauseIndicator(runState_.pauseState != 0);
    mainFrame_->updateActions();
}

void CVistrelApp::runCommand(int commandId) {
    // A projector sequence handles input between its steps; a second command started
    // then would talk over it on the line or pull its document away.
    if (projectorBusy()) {
        env_.prompter.beep();
        return;
    }
    // Shortcuts and context menus reach here too: the rules decide, not the caller.
    if (!isCommandEnabled(commandId, commandContext())) return;
    std::optional<ProjectorBusyScope> busy;
    if (talksToProjector(commandId)) {
        busy.emplace(projectorBusy_);
        takeLinkSettings();
        protocol_->beginSequence();
    }
    CSplitterFrame* frame = runCommandFrame(commandId);
    auto newDocument = [this]() -> CVistrelDoc* {
        newShow();
        CSplitterFrame* active = activeFrame();
        return active ? &active->document() : nullptr;
    };

    switch (commandId) {
    case cmd::FileNew: newShow(); break;
    case cmd::FileOpen: chooseAndOpen(); break;
    case cmd::FileClose: frame->close(); break;
    case cmd::FileSave: documentCommands_->save(*frame, false); break;
    case cmd::FileSaveAs: documentCommands_->save(*frame, true); break;
    case cmd::FilePrintSetup: pageSetup(printer(), mainFrame_); break;
    case cmd::FileExportVideo: videoExport_->run(frame->document(), mainFrame_); break;
    case cmd::FileMruFirst: openRecentFile(0); break;
    case cmd::AppExit: mainFrame_->close(); break;
    case cmd::EditTitle: documentCommands_->editTitle(*frame); break;
    case cmd::EditUndo:
    case cmd::EditRedo: undoOrRedo(*frame, commandId); break;
    case cmd::WriteToProjector: transfer_->writeToProjector(frame->document()); break;
    case cmd::WriteToModule: transfer_->writeToModule(frame->document()); break;
    case cmd::LoadFromProjector: transfer_->loadFromProjector(frame->document(), newDocument); break;
    case cmd::LoadFromModule: transfer_->loadFromModule(frame->document(), newDocument); break;
    case cmd::ProjectorVersion: protocol_->showProjectorVersion(); break;
    case cmd::Settings: runSettingsCommand(settings_, *link_, env_.prompter, frames_, mainFrame_); break;
    case cmd::ShowLength: runShowLengthCommand(*frame, env_.prompter, musicSeconds(*frame)); break;
    case cmd::ScaleShow: runScaleShowCommand(*frame, env_.prompter, musicSeconds(*frame)); break;
    case cmd::StartShow: runControl_->start(frame->document(), frame->runView(), *runWindows_); break;
    case cmd::StopShow: runControl().stop(frame->document(), *runWindows_); break;
    case cmd::PauseContinue: runControl().pauseContinue(frame->document(), frame->runView()); break;
    case cmd::NextPicture: runControl().stepForward(frame->document(), frame->runView()); break;
    case cmd::JumpToLine: runControl().jump(frame->document(), frame->runView()); break;
    case cmd::InfoDisplay: runControl().info(*runWindows_); break;
    case cmd::Rehearse: startRehearsal(*frame); break;
    case cmd::ChoosePictureFolder: choosePictureFolder(*frame); break;
    case cmd::ChooseMusic: chooseMusic(*frame); break;
    case cmd::ViewToolBar: mainFrame_->toolBar()->setVisible(!mainFrame_->toolBar()->isVisible()); break;
    case cmd::ViewStatusBar: mainFrame_->statusBar()->setVisible(!mainFrame_->statusBar()->isVisible()); break;
    case cmd::StandardColumns: standardColumns(); break;
    case cmd::WindowCascade: mainFrame_->mdiArea()->cascadeSubWindows(); break;
    case cmd::WindowTile: mainFrame_->mdiArea()->tileSubWindows(); break;
    case cmd::WindowArrange: arrangeIcons(); break;
    case cmd::HelpTopics:
    case cmd::HelpIndex: showHelp(); break;
    case cmd::ContextHelp: QWhatsThis::enterWhatsThisMode(); break;
    case cmd::AppAbout: showAbout(); break;
    case cmd::OpenDemoShow: openDemoShow(env_.prompter, [this](const QString& show) { openShow(show); }); break;
    case cmd::SearchCurrent: search_->searchCurrent(*frame); break;
    case cmd::SearchRepeat: search_->repeatSearch(*frame); break;
    case cmd::SearchFolders: search_->searchInFolders(); break;
    default: routeToView(commandId); break;
    }
    // Where the link found the projector is the port the settings keep.
    if (busy) settings_.portName = link_->portName;
    afterCommand();
}

void CVistrelApp::afterCommand() {
    if (mainFrame_) {
        mainFrame_->refreshCaption();
        mainFrame_->updateActions();
    }
}

void CVistrelApp::standardColumns() {
    settings_.columnWidths = Settings{}.columnWidths;
    for (CSplitterFrame* frame : frames_) frame->applyColumnWidths(settings_.columnWidths);
}

void CVistrelApp::arrangeIcons() {
    // Minimized windows in a row along the bottom edge of the window area.
    QMdiArea* area = mainFrame_->mdiArea();
    int x = 0;
    for (QMdiSubWindow* window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        window->move(x, area->viewport()->height() - window->height());
        x += window->width();
    }
}

QPrinter& CVistrelApp::printer() {
    // One printer for the whole run, so that its choice and page settings carry over.
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The page starts at the corner of the printable area, as it always has; margins
        // set in the page setup narrow the table from there.
        print::useWholePrintableArea(*printer_);
    }
    return *printer_;
}

void CVistrelApp::showHelp() {
    if (!helpWindow_) {
        auto* browser = new QTextBrowser;
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setWindowTitle(tableText(ids::HelpWindowTitle));
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
        browser->resize(720, 640);
        helpWindow_ = browser;
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void CVistrelApp::showAbout() {
    AboutDialog about(mainFrame_);
    about.exec();
}

}  // namespace vistrel
