#include "app/CVistrelApp.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include "app/CMainFrame.h"
#include "app/CSplitterFrame.h"
#include "app/DemoShowCopy.h"
#include "app/DocumentCommands.h"
#include "app/EditCommandRouting.h"
#include "app/FileDialogs.h"
#include "app/FrameRunView.h"
#include "app/HelpCommands.h"
#include "app/ProgramPrinter.h"
#include "app/RecentFileList.h"
#include "app/RunCommands.h"
#include "app/SearchCommands.h"
#include "app/ShowLengthCommands.h"
#include "app/ShowMediaCommands.h"
#include "app/TimelineChoice.h"
#include "app/SingleInstance.h"
#include "app/VideoExportCommand.h"
#include "app/WindowActivationKeeper.h"
#include "edits/ShowHistory.h"
#include "model/CVistrelDoc.h"
#include "model/ShowFile.h"
#include "platform/Prompter.h"
#include "platform/qt/core/AppPaths.h"
#include "res/CommandIds.h"
#include "res/TableText.h"
#include "res/strings/ModelStrings.h"
#include "res/strings/ShellStrings.h"
#include "res/strings/StateStrings.h"
#include "views/CVistrelView.h"
#include "views/ListPrinting.h"

// The icons and the help page are compiled in; a static library needs them named once.
static void initResources() { Q_INIT_RESOURCE(vistrel); }

namespace vistrel {

namespace {

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
    timelineChoice_ = std::make_unique<TimelineChoice>(profilePath());
    recentFiles_->setNotKeptReport([this](const QString& profile) {
        env_.prompter.showMessage(tableText(ids::RecentFilesNotKept).arg(QDir::toNativeSeparators(profile)).toStdString(),
                                  MessageIcon::Exclamation, MessageButtons::Ok);
    });
    run_ = std::make_unique<RunCommands>(*this);
    media_ = std::make_unique<ShowMediaCommands>(*this);
    help_ = std::make_unique<HelpCommands>();
    printer_ = std::make_unique<ProgramPrinter>();
    documentCommands_ =
        std::make_unique<DocumentCommands>(env_.prompter, env_.fileDialogs, *recentFiles_, settings_);
    documentCommands_->setSavedUnderNewName(
        [this](CSplitterFrame& frame, const std::string& from) { media_->carryOver(frame, from); });
    videoExport_ = std::make_unique<VideoExportCommand>(env_.prompter, env_.fileDialogs, mediaModule_);
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
    services_ = std::make_unique<ViewServices>(ViewServices{settings_, appState_, runState_, env_.prompter, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
    services_->sendLineToRunningShow = [this](CVistrelDoc& doc) { return run_->sendLineToRunningShow(doc); };
    // Space in the list: "Pause bzw. weiter" in every state of the run, also at a pause line.
    services_->pauseContinue = [this](CVistrelDoc& doc) { run_->pauseContinue(doc); };
    services_->runCommand = [this](int commandId) { runCommand(commandId); };
    services_->pictureFolder = [this](CVistrelDoc& doc) { return media_->mediaOf(doc).pictureFolder; };
    services_->musicFile = [this](CVistrelDoc& doc) { return media_->mediaOf(doc).music; };
    services_->waveformCacheFolder = cacheFolder();
    services_->waveformReader = [this]() -> decltype(&media::readWaveformKept) {
        const mediamodule::MediaFunctions* functions = mediaModule_.functions();
        return functions ? functions->readWaveform : nullptr;
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
    run_->closeRunWindows();
    // The show windows go with the main window; their documents go with them.
    frames_.clear();
    delete mainFrame_.data();
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
    run_->endOfRun();
    writeSettings(settingsFilePath().toStdString(), settings_);
    recentFiles_->save();
    search_->closeResults();
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
    // The info window keeps its place for the settings written at the end.
    run_->closeRunWindows();
    for (CSplitterFrame* frame : std::vector<CSplitterFrame*>(frames_)) frame->closeWithoutAsking();
    help_->closeHelp();
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
    if (!run_->showIsFollowed()) runState_.showRunning = false;

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
    hooks.pollTick = [this](CSplitterFrame& polled) { run_->pollTick(polled); };
    hooks.pauseStateChanged = [this] {
        if (mainFrame_) mainFrame_->setPauseIndicator(runState_.pauseState != 0);
    };
    hooks.runStateChanged = [this] { run_->runStateChanged(); };
    hooks.showChanged = [this] { afterCommand(); };
    hooks.screenSize = env_.screenSize ? env_.screenSize : [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->size() : QSize();
    };

    auto* frame = new CSplitterFrame(std::move(doc), *services_, std::move(hooks), settings_.fullSizeDocumentWindows);
    attachListPrinting(*frame->listView(), [this]() -> QPrinter& { return printer(); });
    timelineChoice_->apply(*frame);
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
    run_->frameClosing(frame);
    media_->forget(frame->document());
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
    context.mediaModulePresent = mediaModule_.present();
    if (CSplitterFrame* frame = activeFrame()) {
        const CVistrelDoc& doc = frame->document();
        context.documentActive = true;
        context.lineCount = doc.lineCount;
        context.searchIndex = doc.searchIndex;
        context.commandBusy = doc.commandBusy;
        context.canUndo = frame->history().canUndo();
        context.canRedo = frame->history().canRedo();
        context.viewEnables = [this](int commandId) {
            CSplitterFrame* active = activeFrame();
            return active && viewEnables(*active, commandId);
        };
    }
    return context;
}

ProjectorLink& CVistrelApp::link() { return run_->link(); }
ProjectorProtocol& CVistrelApp::protocol() { return run_->protocol(); }
bool CVistrelApp::projectorBusy() const { return run_->projectorBusy(); }
bool CVistrelApp::whenLineFree(const std::function<void()>& work) { return run_->whenLineFree(work); }
RunControl& CVistrelApp::runControl() { return run_->runControl(); }
ShowRunWindows& CVistrelApp::runWindows() { return run_->runWindows(); }
Rehearsal& CVistrelApp::rehearsal() { return run_->rehearsal(); }

void CVistrelApp::runCommand(int commandId) {
    // A projector sequence handles input between its steps; a second command started
    // then would talk over it on the line or pull its document away.
    if (projectorBusy()) {
        env_.prompter.beep();
        return;
    }
    // Shortcuts and context menus reach here too: the rules decide, not the caller.
    if (!isCommandEnabled(commandId, commandContext())) return;
    CSplitterFrame* frame = run_->commandFrame(commandId);
    if (RunCommands::talksToProjector(commandId)) {
        run_->run(commandId, frame);
        afterCommand();
        return;
    }

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
    case cmd::ShowLength: runShowLengthCommand(*frame, env_.prompter, media_->musicSeconds(*frame)); break;
    case cmd::ScaleShow: runScaleShowCommand(*frame, env_.prompter, media_->musicSeconds(*frame)); break;
    case cmd::ChoosePictureFolder: media_->choosePictureFolder(*frame); break;
    case cmd::ChooseMusic: media_->chooseMusic(*frame); break;
    case cmd::HelpTopics:
    case cmd::HelpIndex: help_->showHelp(); break;
    case cmd::ContextHelp: QWhatsThis::enterWhatsThisMode(); break;
    case cmd::AppAbout: help_->showAbout(mainFrame_); break;
    case cmd::OpenDemoShow: openDemoShow(env_.prompter, [this](const QString& show) { openShow(show); }); break;
    case cmd::SearchCurrent: search_->searchCurrent(*frame); break;
    case cmd::SearchRepeat: search_->repeatSearch(*frame); break;
    case cmd::SearchFolders: search_->searchInFolders(); break;
    case cmd::OpenLightTable: frame->showLightTable(); break;
    default:
        if (!runWindowCommand(commandId) && frame) routeToView(*frame, commandId);
        break;
    }
    afterCommand();
}

bool CVistrelApp::runWindowCommand(int commandId) {
    switch (commandId) {
    case cmd::ViewToolBar: mainFrame_->toolBar()->setVisible(!mainFrame_->toolBar()->isVisible()); return true;
    case cmd::ViewStatusBar: mainFrame_->statusBar()->setVisible(!mainFrame_->statusBar()->isVisible()); return true;
    case cmd::StandardColumns: standardColumns(); return true;
    case cmd::ViewTimeline: timelineChoice_->toggle(frames_); return true;
    case cmd::WindowCascade: mainFrame_->mdiArea()->cascadeSubWindows(); return true;
    case cmd::WindowTile: mainFrame_->mdiArea()->tileSubWindows(); return true;
    case cmd::WindowArrange: arrangeIcons(); return true;
    default: return false;
    }
}

bool CVistrelApp::timelineShown() const { return timelineChoice_->shown(); }

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

QPrinter& CVistrelApp::printer() { return printer_->printer(); }

}  // namespace vistrel
