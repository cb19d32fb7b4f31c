#pragma once
// The cards of the light table, one per program line in program order (CardLayout):
// the slide's picture or its card, line and slide number, the start of the description,
// the timer, and marks for a pause and an autoreverse line. The selection is the list's:
// a click here selects there, and a change there is drawn here. Pictures are made off
// the window thread (SlidePictures); a card is repainted when its picture arrives.
#include <QWidget>
#include <memory>

class QMimeData;
#include <set>

#include "views/CardLayout.h"

namespace vistrel {

class CVistrelView;
class CVistrelDoc;
class ShowHistory;
namespace pictures {
class SlidePictures;
}

class CardBoard : public QWidget {
    Q_OBJECT

public:
    static constexpr int Gap = 8;

    CardBoard(ShowHistory& history, CVistrelView& list, const QString& pictureFolder, QWidget* parent = nullptr);
    ~CardBoard() override;

    // The width of a card; the height follows.
    void setCardWidth(int width);
    int cardWidth() const { return cardWidth_; }
    // The lines changed: the cards are laid out and drawn again.
    void refresh();
    CardLayout layout() const;
    int lineCount() const;

    // What a drag of the selected cards carries: it names this board, so that cards
    // dropped on another show's table are refused.
    std::unique_ptr<QMimeData> dragData() const;

signals:
    // Ctrl+wheel: the card size one step larger (+1) or smaller (-1).
    void sizeStepAsked(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int cardHeight() const;
    QSize pictureArea() const;
    void paintCard(QPainter& painter, int index, bool selected);
    void pictureArrived();
    void selectByClick(int card, Qt::KeyboardModifiers modifiers);
    bool isOurDrag(const QMimeData* mime) const;
    // The marker between two cards where a drop would put the lines.
    QRect dropMarker(int place) const;
    void showDropPlace(int place);

    ShowHistory& history_;
    CVistrelView& list_;
    std::unique_ptr<pictures::SlidePictures> pictures_;
    int cardWidth_ = 160;
    int anchor_ = -1;
    // A press on a card that may become a drag of the selected cards.
    QPoint pressPoint_;
    int pressedCard_ = -1;
    int dropPlace_ = -1;
    // Cards drawn without their picture, waiting for it.
    std::set<int> waiting_;
};

}  // namespace vistrel
