#pragma once
// The window of one open show: the line editor above, the program list below it and,
// when shown, the timeline at the bottom, split by movable bars. It owns its document and the document's history for as long as it
// is open, and its caption follows what the document announces. On its first
// size it checks the screen (a warning once per run below 720 x 500) and makes sure
// the window is big enough to work in; closing it asks about unsaved changes.
#include <QMdiSubWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "app/FrameRunView.h"
#include "model/CVistrelDoc.h"
#include "rehearsal/RehearsedShow.h"

class QSplitter;

namespace vistrel {

class ActivePane;
class CEditZeile;
class CVistrelView;
class LightTable;
class ShowHistory;
class TimelinePane;
struct ViewServices;

class CSplitterFrame : public QMdiSubWindow, public RehearsedShow {
    Q_OBJECT

public:
    // Editor pane size at creation.
    static constexpr int EditorWidth = 600;
    static constexpr int EditorHeight = 215;
    // The smallest client area kept on a screen large enough for it, and the size
    // the window then gets.
    static constexpr int MinClientWidth = 700;
    static constexpr int MinClientHeight = 429;
    static constexpr int ResizedWidth = 700;
    static constexpr int ResizedHeight = 435;
    // Below this screen size the windows are maximized and the user is warned.
    static constexpr int SmallScreenWidth = 720;
    static constexpr int SmallScreenHeight = 500;

    // What the frame asks of the program around it.
    struct Hooks {
        // Before the window closes: true lets it close (the program asks the question).
        std::function<bool(CSplitterFrame&)> confirmClose;
        // Once the window has closed (it is deleted later).
        std::function<void(CSplitterFrame*)> closed;
        // Shows the resolution warning unless it was given in this run already.
        std::function<void()> warnSmallScreen;
        // The screen size to check (tests give their own).
        std::function<QSize()> screenSize;
        // A tick of this window's 700 ms poll while a show runs.
        std::function<void(CSplitterFrame&)> pollTick;
        // The run control changed "PAUSE !" or whether a show runs.
        std::function<void()> pauseStateChanged;
        std::function<void()> runStateChanged;
        // The show changed, or its history did (what undo and redo would take).
        std::function<void()> showChanged;
    };

    CSplitterFrame(std::unique_ptr<CVistrelDoc> doc, ViewServices& services, Hooks hooks, bool fullSize,
                   QWidget* parent = nullptr);
    ~CSplitterFrame() override;

    CVistrelDoc& document() override { return *doc_; }
    const CVistrelDoc& document() const { return *doc_; }
    CVistrelView* listView() const { return list_; }
    ShowHistory& history() const { return *history_; }
    CEditZeile* editor() const { return editor_; }
    QSplitter* splitter() const { return splitter_; }
    // The timeline under the list ("Ansicht" -> "Zeitleiste").
    TimelinePane* timeline() const { return timeline_; }
    void showTimeline(bool shown);
    bool timelineShown() const;
    // Whether the edit commands act on the line editor's fields rather than the list.
    bool editorIsActivePane() const;
    // The window as the run control sees it: the list it follows and its poll timer.
    FrameRunView& runView() const override { return *runView_; }
    QScreen* shownOn() const override { return screen(); }

    // The caption follows the document's window title.
    void refreshTitle();

    // "Leuchtpult": the show's light table, made on first use and brought to the front.
    void showLightTable();
    LightTable* lightTable() const;

    // Closes without asking (the program has asked already, at its end).
    void closeWithoutAsking();

    // "Standardeinteilung" and the settings: the list's column widths from `widths`.
    void applyColumnWidths(const std::array<int, 6>& widths);

    // The first size of the window, as it would be checked on a screen of `screen`.
    // Exposed for tests; called from the first resize.
    void checkFirstSize(QSize screen);
    bool firstSizePending() const { return firstSize_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void addEditorPicture();

    // Follows the document's notices for the window: caption and commands.
    class DocumentWatch : public DocumentView {
    public:
        explicit DocumentWatch(CSplitterFrame& frame) : frame_(frame) {}
        void documentChanged(const DocumentChange& change) override;

    private:
        CSplitterFrame& frame_;
    };

    std::unique_ptr<CVistrelDoc> doc_;
    Hooks hooks_;
    std::unique_ptr<ShowHistory> history_;
    DocumentWatch watch_{*this};
    bool fullSize_;
    QSplitter* splitter_ = nullptr;
    CEditZeile* editor_ = nullptr;
    CVistrelView* list_ = nullptr;
    TimelinePane* timeline_ = nullptr;
    ActivePane* activePane_ = nullptr;
    std::unique_ptr<FrameRunView> runView_;
    ViewServices& services_;
    QPointer<LightTable> lightTable_;
    bool firstSize_ = true;
    bool askBeforeClosing_ = true;
};

}  // namespace vistrel
