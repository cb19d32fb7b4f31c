#pragma once
// The application: starts the program in its fixed order (recent files, settings,
// main window, the show named on the command line or an empty one), owns what every
// window shares (settings, application state, the projector's run state, the one
// projector link), keeps the list of open shows, carries out the commands that are
// not a window's own, and ends the run in its fixed order (projector out of PC mode,
// port and log closed, settings written).
#include <QObject>
#include <QPointer>
#include <QHash>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/EnablingRules.h"
#include "app/Rehearsal.h"
#include "dialogs/ScaleDialog.h"
#include "model/ApplicationState.h"
#include "model/Settings.h"
#include "projector/RunState.h"
#include "views/ViewServices.h"

class QPrinter;

namespace vistrel {

class CMainFrame;
class CSplitterFrame;
class CVistrelDoc;
class Clock;
class DocumentCommands;
class EventPump;
class FileDialogs;
class ProgressWindows;
class ProjectorLink;
class ProjectorProtocol;
class Prompter;
class RecentFileList;
class Rehearsal;
class SearchCommands;
class RunControl;
class ShowRunWindows;
class SerialPort;
class ShowTransfer;
class SingleInstance;
class VideoExportCommand;

class CVistrelApp : public QObject {
    Q_OBJECT

public:
    // What the program talks to; the window program passes the real ones, tests fakes.
    struct Environment {
        Prompter& prompter;
        FileDialogs& fileDialogs;
        SerialPort& serialPort;
        Clock& clock;
        EventPump& events;
        ProgressWindows& progress;
        // Listen for files handed over by a second start.
        bool acceptHandOver = true;
        // Screen size for the document windows' first-size check; empty: the real screen.
        std::function<QSize()> screenSize;
    };

    explicit CVistrelApp(Environment environment);
    ~CVistrelApp() override;

    // Start-up with the arguments after the program name. False when the program
    // must end (the command line's file could not be opened).
    bool startUp(const QStringList& arguments);
    // The end of the run, after the main window has closed.
    void endOfRun();

    // The documents.
    CSplitterFrame* newShow();
    // Opens `path` after the ".dpd" check, or activates the window that has it open.
    bool openShow(const QString& path);
    void chooseAndOpen();
    // A file handed over by a second start of the program.
    void openHandedOver(const QString& path);
    void openRecentFile(int index);
    // Asks about every show with unsaved lines; false when the program must go on.
    bool confirmSaveAll();
    // confirmSaveAll, then every show window closes without further questions.
    bool prepareExit();

    CSplitterFrame* activeFrame() const;
    const std::vector<CSplitterFrame*>& frames() const { return frames_; }

    // Runs a command id as menus, accelerators, the tool bar and context menus do.
    void runCommand(int commandId);
    CommandContext commandContext() const;
    // The names of the steps undo and redo of the active show would take (empty: none).
    std::pair<QString, QString> historyStepNames() const;

    CMainFrame* mainFrame() const;
    Settings& settings() { return settings_; }
    ApplicationState& appState() { return appState_; }
    RunState& runState() { return runState_; }
    const RunState& runState() const { return runState_; }
    RecentFileList& recentFiles() { return *recentFiles_; }
    ProjectorLink& link() { return *link_; }
    ProjectorProtocol& protocol() { return *protocol_; }
    DocumentCommands& documentCommands() { return *documentCommands_; }
    SearchCommands& searchCommands() { return *search_; }
    // The program's printer: its choice and page setup carry over from one print to the next.
    QPrinter& printer();

    // The resolution warning once per run.
    void warnSmallScreen();

    // True while a projector sequence runs. It keeps the window alive by handling
    // input between its steps; meanwhile no other command may start, and no show
    // window may close under it.
    bool projectorBusy() const { return projectorBusy_ > 0; }
    // Runs `work` as a projector sequence unless one is running already (then nothing
    // happens and the answer is false). Timers that talk to the projector go through
    // this, so that they never cut into a sequence that is waiting.
    bool whenLineFree(const std::function<void()>& work);

    // The run control of the projector the run commands talk to: the rehearsal's
    // while a rehearsal runs, else the projector's on the serial port.
    RunControl& runControl();
    ShowRunWindows& runWindows() { return *runWindows_; }
    Rehearsal& rehearsal() { return *rehearsal_; }

private:
    CSplitterFrame* createFrame(std::unique_ptr<CVistrelDoc> doc);
    void frameClosed(CSplitterFrame* frame);
    bool routeToView(int commandId);
    // Undo or redo: the typing in the line editor's field first, then the show's steps.
    void undoOrRedo(CSplitterFrame& frame, int commandId);
    bool editorFieldHasFocus(CSplitterFrame& frame) const;
    bool viewEnables(int commandId) const;
    void standardColumns();
    void arrangeIcons();
    void showHelp();
    void showAbout();
    void afterCommand();
    // RS at the end of the run, after a bounded wait for the projector.
    void leavePcMode();
    // Opens the files handed over by second starts, in order, one at a time.
    void openPendingHandOvers();
    void runStateChanged();
    bool showIsFollowed() const;
    // Points the link at the port and pause the settings name now.
    void takeLinkSettings();
    ProjectorProtocol& runProtocol();
    ShowTransfer& runTransfer();
    // The show window a run command acts on: the rehearsal's while one runs.
    CSplitterFrame* runCommandFrame(int commandId) const;
    void startRehearsal(CSplitterFrame& frame);
    // "Bilderordner wählen..." and "Musik wählen...", and what was chosen for a show.
    void choosePictureFolder(CSplitterFrame& frame);
    void chooseMusic(CSplitterFrame& frame);
    Rehearsal::Media rehearsalMedia(CSplitterFrame& frame);
    // Changes what is kept for the show of `frame` (its own choices, not the defaults).
    void rememberMedia(CSplitterFrame& frame, const std::function<void(Rehearsal::Media&)>& change);
    // The show was saved under a new name (it had `from`, empty for a new show): its
    // picture folder and music go along.
    void carryMediaOver(CSplitterFrame& frame, const std::string& from);
    // "Musiklänge übernehmen" of the scaling dialog for the show of `frame`.
    ScaleDialog::MusicSeconds musicSeconds(CSplitterFrame& frame);

    Environment env_;
    Settings settings_;
    ApplicationState appState_;
    RunState runState_;
    std::unique_ptr<RecentFileList> recentFiles_;
    std::unique_ptr<ProjectorLink> link_;
    std::unique_ptr<ProjectorProtocol> protocol_;
    std::unique_ptr<ShowTransfer> transfer_;
    std::unique_ptr<RunControl> runControl_;
    std::unique_ptr<ShowRunWindows> runWindows_;
    // After the run windows: it goes first, and closes those it opened.
    std::unique_ptr<Rehearsal> rehearsal_;
    std::unique_ptr<DocumentCommands> documentCommands_;
    std::unique_ptr<VideoExportCommand> videoExport_;
    SearchCommands* search_ = nullptr;  // owned as a child
    std::unique_ptr<ViewServices> services_;
    std::unique_ptr<QPrinter> printer_;
    QPointer<CMainFrame> mainFrame_;
    QPointer<QWidget> helpWindow_;
    SingleInstance* singleInstance_ = nullptr;
    std::vector<CSplitterFrame*> frames_;
    int untitledCount_ = 0;
    QStringList pendingHandOvers_;
    bool openingHandOver_ = false;
    int projectorBusy_ = 0;
    bool smallScreenWarned_ = false;
    // The choices for shows never saved, which have no path to keep them under, for
    // as long as their window is open.
    QHash<const CVistrelDoc*, Rehearsal::Media> unsavedMedia_;
};

}  // namespace vistrel
