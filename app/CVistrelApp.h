#pragma once
// The application: starts the program in its fixed order (recent files, settings,
// main window, the show named on the command line or an empty one), owns what every
// window shares (settings, application state, the projector's run state), keeps the
// list of open shows and takes shows handed over by a second start, routes every
// command to the class of its job, and ends the run in its fixed order (projector out
// of PC mode, port and log closed, settings written). The projector and the run are
// RunCommands', the per-show media choices ShowMediaCommands', help and about
// HelpCommands'.
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/EnablingRules.h"
#include "app/MediaModule.h"
#include "model/ApplicationState.h"
#include "model/Settings.h"
#include "projector/RunState.h"
#include "views/ViewServices.h"

class QPrinter;
class QWidget;

namespace vistrel {

class Clock;
class CMainFrame;
class CSplitterFrame;
class TimelineChoice;
class CVistrelDoc;
class DocumentCommands;
class EventPump;
class FileDialogs;
class HelpCommands;
class ProgramPrinter;
class ProgressWindows;
class ProjectorLink;
class ProjectorProtocol;
class Prompter;
class RecentFileList;
class Rehearsal;
class RunCommands;
class RunControl;
class SearchCommands;
class SerialPort;
class ShowMediaCommands;
class ShowRunWindows;
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
    bool timelineShown() const;

    // Runs a command id as menus, accelerators, the tool bar and context menus do.
    void runCommand(int commandId);
    CommandContext commandContext() const;
    // The names of the steps undo and redo of the active show would take (empty: none).
    std::pair<QString, QString> historyStepNames() const;
    // Caption and menus follow what a command did.
    void afterCommand();

    const Environment& environment() const { return env_; }
    CMainFrame* mainFrame() const;
    Settings& settings() { return settings_; }
    ApplicationState& appState() { return appState_; }
    RunState& runState() { return runState_; }
    const RunState& runState() const { return runState_; }
    RecentFileList& recentFiles() { return *recentFiles_; }
    DocumentCommands& documentCommands() { return *documentCommands_; }
    SearchCommands& searchCommands() { return *search_; }
    ShowMediaCommands& showMedia() { return *media_; }
    MediaModule& mediaModule() { return mediaModule_; }
    RunCommands& run() { return *run_; }
    // The program's printer: its choice and page setup carry over from one print to the next.
    QPrinter& printer();

    // The resolution warning once per run.
    void warnSmallScreen();

    // The projector, as RunCommands has it.
    ProjectorLink& link();
    ProjectorProtocol& protocol();
    bool projectorBusy() const;
    bool whenLineFree(const std::function<void()>& work);
    RunControl& runControl();
    ShowRunWindows& runWindows();
    Rehearsal& rehearsal();

private:
    CSplitterFrame* createFrame(std::unique_ptr<CVistrelDoc> doc);
    void frameClosed(CSplitterFrame* frame);
    // The commands of the main window itself: its bars and the arrangement of the show windows.
    bool runWindowCommand(int commandId);
    void standardColumns();
    void arrangeIcons();
    // Opens the files handed over by second starts, in order, one at a time.
    void openPendingHandOvers();

    Environment env_;
    Settings settings_;
    ApplicationState appState_;
    RunState runState_;
    // FFmpeg and the encoders, opened on first use: most runs never export or read music.
    MediaModule mediaModule_{MediaModule::installedFile()};
    std::unique_ptr<RecentFileList> recentFiles_;
    std::unique_ptr<RunCommands> run_;
    std::unique_ptr<ShowMediaCommands> media_;
    std::unique_ptr<HelpCommands> help_;
    std::unique_ptr<DocumentCommands> documentCommands_;
    std::unique_ptr<VideoExportCommand> videoExport_;
    SearchCommands* search_ = nullptr;  // owned as a child
    std::unique_ptr<ViewServices> services_;
    std::unique_ptr<ProgramPrinter> printer_;
    QPointer<CMainFrame> mainFrame_;
    SingleInstance* singleInstance_ = nullptr;
    std::vector<CSplitterFrame*> frames_;
    std::unique_ptr<TimelineChoice> timelineChoice_;
    int untitledCount_ = 0;
    QStringList pendingHandOvers_;
    bool openingHandOver_ = false;
    bool smallScreenWarned_ = false;
};

}  // namespace vistrel
