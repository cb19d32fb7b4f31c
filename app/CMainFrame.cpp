#include "app/CMainFrame.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/CSplitterFrame.h"
#include "app/CommandKeyGuard.h"
#include "app/CVistrelApp.h"
#include "app/EnablingRules.h"
#include "app/RecentFileList.h"
#include "app/WindowTitle.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/TableText.h"
#include "res/strings/HistoryStrings.h"
#include "res/strings/ListStrings.h"
#include "res/strings/SearchStrings.h"
#include "res/strings/ShellStrings.h"

namespace vistrel {

namespace {

// Caps, Num and Scroll Lock as the keyboard's lights show them. Qt has no portable
// query for them; the kernel's LED files are the one source every Linux desktop has.
// Unknown (no such light) counts as off.
bool lockLightOn(const QString& name) {
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList entries = leds.entryList({QStringLiteral("*::") + name}, QDir::Dirs | QDir::System);
    for (const QString& entry : entries) {
        QFile brightness(leds.filePath(entry + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0") return true;
    }
    return false;
}

}  // namespace

CMainFrame::CMainFrame(CVistrelApp& app) : app_(app) {
    setWindowTitle(tableText(ids::MainCaption));
    mdiArea_ = new QMdiArea;
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        refreshCaption();
        updateActions();
    });

    createActions();
    createToolBar();
    createStatusBar();
    new CommandKeyGuard(*this, actions_, [this] { updateActions(); });
    setDocumentMenus(false);

    // The rules depend on selections, the clipboard and the projector as well as on
    // commands; a short idle timer keeps menus and buttons current between events.
    auto* idle = new QTimer(this);
    idle->setInterval(300);
    connect(idle, &QTimer::timeout, this, [this] {
        updateActions();
        refreshLockIndicators();
    });
    idle->start();
    resize(1000, 720);
}

CMainFrame::~CMainFrame() {
    // The show windows go down with the window area; nothing may ask the program about
    // its state while this window is half gone.
    tearingDown_ = true;
    mdiArea_->disconnect(this);
    delete findChild<CommandKeyGuard*>(QString(), Qt::FindDirectChildrenOnly);
    for (QObject* child : children()) {
        if (auto* timer = qobject_cast<QTimer*>(child)) timer->stop();
    }
    delete mdiArea_;
}

QAction* CMainFrame::makeAction(int commandId, QList<QKeySequence> keys, const QString& icon) {
    auto* action = new QAction(tableText(commandId), this);
    action->setData(commandId);
    if (!keys.isEmpty()) {
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    if (!icon.isEmpty()) action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    const int tipId = ids::ToolTipOffset + commandId;
    if (res::has(tipId)) {
        action->setToolTip(tableText(tipId));
        action->setStatusTip(tableText(tipId));
        action->setWhatsThis(tableText(tipId));
    }
    if (res::has(ids::StatusPromptOffset + commandId)) action->setStatusTip(tableText(ids::StatusPromptOffset + commandId));
    connect(action, &QAction::triggered, this, [this, commandId] { app_.runCommand(commandId); });
    // Shortcuts work whichever menu set is shown; the rules keep them from acting
    // where they make no sense.
    addAction(action);
    actions_.insert(commandId, action);
    return action;
}

void CMainFrame::createActions() {
    using namespace cmd;
    using K = QKeySequence;
    makeAction(FileNew, {K(Qt::CTRL | Qt::Key_N)}, QStringLiteral("file-new"));
    makeAction(FileOpen, {K(Qt::CTRL | Qt::Key_O)}, QStringLiteral("file-open"));
    makeAction(FileClose);
    makeAction(FileSave, {K(Qt::CTRL | Qt::Key_S)}, QStringLiteral("file-save"));
    makeAction(FileSaveAs);
    makeAction(FilePrint, {K(Qt::CTRL | Qt::Key_P)}, QStringLiteral("file-print"));
    makeAction(FilePrintPreview);
    makeAction(FilePrintSetup);
    makeAction(FileExportVideo);
    makeAction(PrintMagazinePlan);
    makeAction(AppExit);
    makeAction(EditUndo, {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)}, QStringLiteral("edit-undo"));
    makeAction(EditRedo, {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, QStringLiteral("edit-redo"));
    makeAction(EditCut, {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)}, QStringLiteral("edit-cut"));
    makeAction(EditCopy, {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}, QStringLiteral("edit-copy"));
    makeAction(EditPaste, {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}, QStringLiteral("edit-paste"));
    makeAction(EditRemove, {K(Qt::CTRL | Qt::Key_Delete)});
    makeAction(EditSelectAll, {K(Qt::CTRL | Qt::Key_A)});
    makeAction(MoveLinesUp, {K(Qt::ALT | Qt::Key_Up)});
    makeAction(MoveLinesDown, {K(Qt::ALT | Qt::Key_Down)});
    makeAction(EditTitle, {K(Qt::ALT | Qt::Key_T)});
    makeAction(WriteToModule, {}, QStringLiteral("module-write"));
    makeAction(WriteToProjector, {K(Qt::ALT | Qt::Key_U)}, QStringLiteral("projector-write"));
    makeAction(LoadFromProjector, {K(Qt::ALT | Qt::Key_L)}, QStringLiteral("projector-load"));
    makeAction(LoadFromModule, {}, QStringLiteral("module-load"));
    makeAction(StartShow, {K(Qt::ALT | Qt::Key_S)}, QStringLiteral("show-start"));
    makeAction(StopShow, {K(Qt::ALT | Qt::Key_B)}, QStringLiteral("show-stop"));
    makeAction(PauseContinue, {K(Qt::Key_Pause), K(Qt::CTRL | Qt::Key_Space)}, QStringLiteral("show-pause"));
    makeAction(NextPicture, {K(Qt::CTRL | Qt::Key_Right)}, QStringLiteral("show-next"));
    makeAction(Rehearse, {K(Qt::ALT | Qt::Key_P)}, QStringLiteral("show-rehearse"));
    makeAction(ChoosePictureFolder);
    makeAction(ChooseMusic);
    makeAction(CheckPictures);
    makeAction(ScaleShow);
    makeAction(InfoDisplay, {K(Qt::ALT | Qt::Key_I)});
    makeAction(ShowLength, {}, QStringLiteral("show-length"));
    makeAction(SearchCurrent, {K(Qt::ALT | Qt::Key_F)}, QStringLiteral("search-show"));
    makeAction(SearchFolders, {K(Qt::ALT | Qt::Key_D)}, QStringLiteral("search-folders"));
    makeAction(SearchRepeat, {K(Qt::ALT | Qt::Key_W)})->setStatusTip(tableText(ids::PromptSearchRepeat));
    actions_.value(SearchCurrent)->setStatusTip(tableText(ids::PromptSearchCurrent));
    actions_.value(SearchCurrent)->setToolTip(tableText(ids::TipSearchCurrent));
    makeAction(ProjectorVersion);
    makeAction(cmd::Settings);
    makeAction(StandardColumns);
    makeAction(OpenLightTable, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_L)});
    makeAction(ViewTimeline, {K(Qt::CTRL | Qt::SHIFT | Qt::Key_T)})->setCheckable(true);
    QAction* toolBarToggle = makeAction(ViewToolBar);
    toolBarToggle->setCheckable(true);
    toolBarToggle->setChecked(true);
    QAction* statusBarToggle = makeAction(ViewStatusBar);
    statusBarToggle->setCheckable(true);
    statusBarToggle->setChecked(true);
    makeAction(WindowCascade);
    makeAction(WindowTile);
    makeAction(WindowArrange);
    makeAction(HelpTopics);
    makeAction(HelpIndex, {K(Qt::Key_F1)});
    makeAction(ContextHelp, {K(Qt::SHIFT | Qt::Key_F1)}, QStringLiteral("help-context"));
    makeAction(AppAbout, {}, QStringLiteral("help-about"));
    makeAction(OpenDemoShow);

    // The row commands of the program list's context menu: the menu shows these actions.
    const std::pair<int, int> rowCommands[] = {
        {JumpToLine, ids::MenuJumpToLine},          {EditLine, ids::MenuEditLine},
        {InsertLine, ids::MenuWithoutCorrection},   {InsertLineCorrected, ids::MenuWithCorrection},
        {RemoveLines, ids::MenuWithoutCorrection},  {RemoveLinesCorrected, ids::MenuWithCorrection},
        {TimersZero, ids::MenuTimersZero},          {TimersInput, ids::MenuTimersInput},
        {CorrectSlideNumbers, ids::MenuCorrectSlideNumbers}};
    for (const auto& [id, textId] : rowCommands) makeAction(id)->setText(tableText(textId));

    // The placeholder stands where the recent files go; it shows only when there are none.
    makeAction(FileMruFirst);
    for (int number = 1; number <= RecentFileList::Capacity; ++number) {
        auto* entry = new QAction(this);
        connect(entry, &QAction::triggered, this, [this, number] { app_.openRecentFile(number - 1); });
        recentActions_.append(entry);
    }
}

void CMainFrame::createToolBar() {
    using namespace cmd;
    toolBar_ = addToolBar(tableText(ids::ToolBarTitle));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(20, 20));
    toolBar_->setMovable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    // The buttons in the program's order; 0 stands for a separator.
    const int layout[] = {FileNew,       FileOpen,         FileSave,       0,
                          EditCut,       EditCopy,         EditPaste,      0,
                          EditUndo,      EditRedo,         0,
                          StartShow,     StopShow,         PauseContinue,  NextPicture, Rehearse, 0,
                          LoadFromProjector, 0, WriteToProjector, 0, WriteToModule, 0, LoadFromModule, 0,
                          ShowLength,    0,                SearchCurrent,  0,
                          SearchFolders, 0,                FilePrint,      0,
                          AppAbout,      ContextHelp};
    for (int id : layout) {
        if (id == 0)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_.value(id));
    }
    connect(toolBar_, &QToolBar::visibilityChanged, this,
            [this](bool visible) { actions_.value(cmd::ViewToolBar)->setChecked(visible); });
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    auto pane = [bar](const QString& text, const QString& widest) {
        auto* label = new QLabel(text);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 12);
        bar->addPermanentWidget(label);
        return label;
    };
    pausePane_ = pane(QString(), tableText(ids::IndicatorPause));
    capsPane_ = pane(tableText(ids::IndicatorCaps), tableText(ids::IndicatorCaps));
    numPane_ = pane(tableText(ids::IndicatorNum), tableText(ids::IndicatorNum));
    scrollPane_ = pane(tableText(ids::IndicatorScroll), tableText(ids::IndicatorScroll));
    bar->showMessage(tableText(ids::StatusReady));
    refreshLockIndicators();
}

void CMainFrame::refreshLockIndicators() {
    // A lock that is off is shown greyed, as a pane with its text but no emphasis.
    capsPane_->setEnabled(lockLightOn(QStringLiteral("capslock")));
    numPane_->setEnabled(lockLightOn(QStringLiteral("numlock")));
    scrollPane_->setEnabled(lockLightOn(QStringLiteral("scrolllock")));
}

QMenu* CMainFrame::addMenu(int titleId) { return menuBar()->addMenu(tableText(titleId)); }

QMenu* CMainFrame::addSearchPopup(QMenu* parent) {
    QMenu* popup = parent->addMenu(tableText(ids::MenuSearchPopup));
    popup->addAction(actions_.value(cmd::SearchCurrent));
    popup->addAction(actions_.value(cmd::SearchFolders));
    return popup;
}

void CMainFrame::addRecentFiles(QMenu* menu) {
    menu->addAction(actions_.value(cmd::FileMruFirst));
    for (QAction* entry : recentActions_) menu->addAction(entry);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::refreshRecentFiles);
    refreshRecentFiles();
}

void CMainFrame::refreshRecentFiles() {
    const QStringList& entries = app_.recentFiles().entries();
    actions_.value(cmd::FileMruFirst)->setVisible(entries.isEmpty());
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* entry = recentActions_.at(i);
        if (i < entries.size()) {
            // "&1 name": the number is the entry's key, the path is shortened to fit a menu.
            QString shown = RecentFileList::abbreviate(entries.at(i));
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
            entry->setVisible(true);
        } else {
            entry->setVisible(false);
        }
    }
}

void CMainFrame::refreshWindowList() {
    if (!windowMenu_) return;
    for (QAction* old : windowListActions_) {
        windowMenu_->removeAction(old);
        old->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowListActions_.append(windowMenu_->addSeparator());
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString title = shownTitle(window->windowTitle(), window->isWindowModified());
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(title));
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, window] { mdiArea_->setActiveSubWindow(window); });
        windowListActions_.append(entry);
    }
}

void CMainFrame::setDocumentMenus(bool documentOpen) {
    using namespace cmd;
    documentMenus_ = documentOpen;
    menuBar()->clear();
    windowListActions_.clear();
    auto add = [this](QMenu* menu, std::initializer_list<int> items) {
        for (int id : items) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(actions_.value(id));
        }
    };

    QMenu* file = addMenu(ids::MenuFile);
    if (documentOpen) {
        add(file, {FileNew, FileOpen, FileClose, FileSave, FileSaveAs, 0, FilePrint, FilePrintPreview,
                   FilePrintSetup, PrintMagazinePlan, 0, FileExportVideo, 0});
    } else {
        add(file, {FileNew, FileOpen, 0, FilePrintSetup, 0});
    }
    addRecentFiles(file);
    add(file, {0, AppExit});

    if (documentOpen) {
        QMenu* edit = addMenu(ids::MenuEdit);
        add(edit, {EditUndo, EditRedo, 0, EditCut, EditCopy, EditPaste, EditRemove, 0, EditSelectAll, 0, MoveLinesUp,
                   MoveLinesDown});
    }

    // The searches have a menu of their own in both sets; repeating needs a show.
    QMenu* search = addMenu(ids::MenuSearch);
    addSearchPopup(search);
    if (documentOpen) add(search, {SearchRepeat});

    if (documentOpen) {
        QMenu* show = addMenu(ids::MenuShow);
        add(show, {EditTitle, 0, WriteToProjector, WriteToModule, LoadFromProjector, LoadFromModule, 0, StartShow,
                   StopShow, NextPicture, 0, Rehearse, ChoosePictureFolder, ChooseMusic, CheckPictures, 0, ScaleShow,
                   InfoDisplay});
        QMenu* general = addMenu(ids::MenuGeneral);
        add(general, {ProjectorVersion, cmd::Settings});
    }

    QMenu* view = addMenu(ids::MenuView);
    add(view, {ViewToolBar, ViewStatusBar});
    if (documentOpen) add(view, {0, OpenLightTable, ViewTimeline, StandardColumns});

    if (documentOpen) {
        windowMenu_ = addMenu(ids::MenuWindow);
        add(windowMenu_, {WindowCascade, WindowTile, WindowArrange});
        connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::refreshWindowList);
    } else {
        windowMenu_ = nullptr;
    }

    QMenu* help = addMenu(ids::MenuHelp);
    add(help, {HelpTopics, OpenDemoShow, 0, AppAbout});

    // Menus are brought up to date when they open, as the rules may have changed since.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateActions);
    }
}

void CMainFrame::updateActions() {
    const CommandContext context = app_.commandContext();
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        it.value()->setEnabled(isCommandEnabled(it.key(), context));
    }
    actions_.value(cmd::ViewStatusBar)->setChecked(statusBar()->isVisible());
    actions_.value(cmd::ViewTimeline)->setChecked(app_.timelineShown());
    setPauseIndicator(app_.runState().pauseState != 0);
    refreshHistoryTexts();
}

void CMainFrame::refreshHistoryTexts() {
    // "Rückgängig: Zeile 12 geändert": the menu and the button name the step they take.
    const auto [undoName, redoName] = app_.historyStepNames();
    auto name = [](QAction* action, int commandId, int withStepId, const QString& step) {
        const QString text = step.isEmpty() ? tableText(commandId) : tableText(withStepId).arg(step);
        action->setText(text);
        action->setToolTip(text);
    };
    name(actions_.value(cmd::EditUndo), cmd::EditUndo, ids::UndoStep, undoName);
    name(actions_.value(cmd::EditRedo), cmd::EditRedo, ids::RedoStep, redoName);
}

void CMainFrame::setPauseIndicator(bool paused) {
    pausePane_->setText(paused ? tableText(ids::IndicatorPause) : QString());
}

QString CMainFrame::pauseIndicatorText() const { return pausePane_->text(); }

QStringList CMainFrame::statusPaneTexts() const {
    return {statusBar()->currentMessage(), pausePane_->text(), capsPane_->text(), numPane_->text(),
            scrollPane_->text()};
}

void CMainFrame::refreshCaption() {
    // Show windows closing as the window area goes down still say their state changed.
    if (tearingDown_) return;
    // The show's title carries its change mark; the main window shows it as its own. A
    // maximized show window adds its title itself (Qt's " - [title]"): not twice.
    QString caption = tableText(ids::MainCaption);
    QMdiSubWindow* active = mdiArea_->currentSubWindow();
    if (active && !active->isMaximized()) caption += QStringLiteral(" - ") + active->windowTitle();
    setWindowTitle(caption);
    setWindowModified(active && active->isWindowModified());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!app_.prepareExit()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace vistrel
