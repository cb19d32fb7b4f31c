#pragma once
// The timeline ("Zeitleiste"), the third pane of a show window under the list: every line
// a block as long as it runs, over the music's waveform, with a ruler in minutes and
// seconds. Its selection is the list's: a click on a block selects that row and makes it
// the editor's line, and the rows selected in the list stand out. Dragging a block's right
// edge sets that line's timer, one step of the show's history on release. Ctrl+wheel and
// Ctrl+plus/minus zoom, "Ganze Schau" (the context menu, Ctrl+0) fits the whole show.
//
// It follows the document's change notice like every view, and paints only then, when
// the waveform arrives, or while the user zooms, scrolls or drags.
#include <QAbstractScrollArea>
#include <functional>
#include <memory>
#include <vector>

#include "model/CVistrelDoc.h"
#include "views/TimelineGeometry.h"

namespace vistrel {

class ShowHistory;
class TimelineWaveform;
struct ViewServices;

class TimelinePane : public QAbstractScrollArea, public DocumentView {
    Q_OBJECT

public:
    // `selectLine` selects a row of the list and makes it the editor's line.
    TimelinePane(ShowHistory& history, ViewServices& services, std::function<void(int row)> selectLine,
                 QWidget* parent = nullptr);
    ~TimelinePane() override;

    void documentChanged(const DocumentChange& change) override;
    // The list's selection changed: the highlights follow.
    void selectionChanged();
    // The music chosen for the show may have changed ("Musik wählen...", the pane shown).
    void followMusic();

    // "Ganze Schau": the scale at which the show fits the pane.
    void fitWholeShow();
    double pixelsPerSecond() const { return pixelsPerSecond_; }
    // Sets the scale, the left edge staying where it is.
    void setPixelsPerSecond(double pixelsPerSecond) { setScale(pixelsPerSecond, 0); }
    const timelinegeometry::Layout& layout() const { return layout_; }
    // Where a block's content x lies in the viewport.
    int viewportX(int contentX) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void relayout();
    // Zooms by `steps`, keeping the content under viewport x `anchor` where it is.
    void zoomBy(int steps, int anchor);
    void setScale(double pixelsPerSecond, int anchor);
    bool showRunning() const;
    // The text beside a dragged edge: the new timer and where the next line starts.
    QString dragText() const;
    void finishDrag(bool keep);

    ShowHistory& history_;
    ViewServices& services_;
    std::function<void(int)> selectLine_;
    std::unique_ptr<TimelineWaveform> waveform_;
    timelinegeometry::Layout layout_;
    double pixelsPerSecond_ = 10.0;
    bool fitted_ = false;  // fits the show once it first has a width
    // The block whose right edge is being dragged (-1: none) and its timer as dragged.
    int dragBlock_ = -1;
    int dragTimer_ = 0;
    timelinegeometry::Block dragOrigin_;
    std::vector<ProgramLine> dragLines_;  // the show with the timer as dragged so far
};

}  // namespace vistrel
