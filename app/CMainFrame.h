#pragma once
// The main window: the menu bar (one set of menus without a show, a fuller one with
// a show open), the tool bar, the status bar with its five panes and the area that
// holds the show windows. Every command is one action with its command id; the
// program decides what each does and whether it is enabled, and updateActions()
// applies that to every action at once.
#include <QHash>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace vistrel {

class CVistrelApp;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CVistrelApp& app);
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return mdiArea_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* action(int commandId) const { return actions_.value(commandId); }
    // The recent-file entries of the file menu (File1 .. File4), in menu order.
    const QList<QAction*>& recentFileActions() const { return recentActions_; }

    // Switches between menu 128 (no show open) and menu 129 (a show open).
    void setDocumentMenus(bool documentOpen);
    bool documentMenus() const { return documentMenus_; }

    // Evaluates every enabling rule and applies it to menus and tool bar.
    void updateActions();

    // Status bar pane 1: "PAUSE !" or nothing.
    void setPauseIndicator(bool paused);
    QString pauseIndicatorText() const;
    // The texts of the five status bar panes, left to right.
    QStringList statusPaneTexts() const;

    // The caption: the program's caption, and the active show's title after it.
    void refreshCaption();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    QAction* makeAction(int commandId, QList<QKeySequence> keys = {}, const QString& icon = QString());
    void createToolBar();
    void createStatusBar();
    QMenu* addMenu(int titleId);
    QMenu* addSearchPopup(QMenu* parent);
    void addRecentFiles(QMenu* menu);
    void refreshRecentFiles();
    void refreshWindowList();
    void refreshLockIndicators();
    void refreshHistoryTexts();

    CVistrelApp& app_;
    QMdiArea* mdiArea_ = nullptr;
    bool tearingDown_ = false;  // in the destructor: the window area is going
    QToolBar* toolBar_ = nullptr;
    QHash<int, QAction*> actions_;
    QList<QAction*> recentActions_;
    QPointer<QMenu> windowMenu_;
    QList<QAction*> windowListActions_;
    bool documentMenus_ = false;
    QLabel* pausePane_ = nullptr;
    QLabel* capsPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrollPane_ = nullptr;
};

}  // namespace vistrel
