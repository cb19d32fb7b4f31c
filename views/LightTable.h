#pragma once
// The light table ("Leuchtpult") of one show: its lines as cards (CardBoard) in a
// scrolled area, with a slider for the card size (also Ctrl+wheel). It is a window of
// its own that belongs to the show window and closes with it. It follows the
// document's change notice like every view, and works on the list's selection.
#include <QWidget>

#include "model/CVistrelDoc.h"

class QScrollArea;
class QSlider;

namespace vistrel {

class CardBoard;
class CVistrelView;
class ShowHistory;

class LightTable : public QWidget, public DocumentView {
    Q_OBJECT

public:
    static constexpr int SmallestCard = 80;
    static constexpr int LargestCard = 400;
    static constexpr int SizeStep = 20;

    // `owner` is the show window: the table closes with it.
    LightTable(ShowHistory& history, CVistrelView& list, const QString& pictureFolder, QWidget* owner);
    ~LightTable() override;

    void documentChanged(const DocumentChange& change) override;
    CardBoard& board() const { return *board_; }
    QSlider& sizeSlider() const { return *slider_; }
    // The caption: "Leuchtpult - " and the show's window title.
    void refreshTitle();

private:
    CVistrelDoc& doc_;
    CardBoard* board_ = nullptr;
    QSlider* slider_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

}  // namespace vistrel
