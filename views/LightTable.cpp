#include "views/LightTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include "edits/ShowHistory.h"
#include "res/TableText.h"
#include "res/strings/ListStrings.h"
#include "views/CVistrelView.h"
#include "views/CardBoard.h"

namespace vistrel {

LightTable::LightTable(ShowHistory& history, CVistrelView& list, const QString& pictureFolder, QWidget* owner)
    : QWidget(owner, Qt::Window), doc_(list.document()) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* sizeRow = new QHBoxLayout;
    auto* sizeLabel = new QLabel(tableText(ids::LightTableCardSize));
    slider_ = new QSlider(Qt::Horizontal);
    slider_->setRange(SmallestCard, LargestCard);
    slider_->setSingleStep(SizeStep);
    slider_->setPageStep(SizeStep * 2);
    sizeLabel->setBuddy(slider_);
    sizeRow->addWidget(sizeLabel);
    sizeRow->addWidget(slider_, 1);
    layout->addLayout(sizeRow);

    board_ = new CardBoard(history, list, pictureFolder);
    slider_->setValue(board_->cardWidth());
    scroll_ = new QScrollArea;
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(board_);
    layout->addWidget(scroll_, 1);

    connect(slider_, &QSlider::valueChanged, board_, &CardBoard::setCardWidth);
    connect(board_, &CardBoard::sizeStepAsked, this,
            [this](int steps) { slider_->setValue(slider_->value() + steps * SizeStep); });
    setFocusProxy(board_);
    doc_.addView(this);
    refreshTitle();
    resize(760, 520);
}

LightTable::~LightTable() { doc_.removeView(this); }

void LightTable::refreshTitle() {
    setWindowTitle(tableText(ids::LightTableTitle).arg(QString::fromUtf8(doc_.windowTitle)));
}

void LightTable::documentChanged(const DocumentChange& /*change*/) {
    // Lines, their order or the show as a whole: the cards are laid out again.
    refreshTitle();
    board_->refresh();
}

}  // namespace vistrel
