#include "dialogs/ScaleDialog.h"

#include <QKeyEvent>
#include <algorithm>

#include "dialogs/SpinButton.h"
#include "model/DecimalText.h"
#include "ui_ScaleDialog.h"

namespace vistrel {

namespace {

QString twoDigits(int value) { return QString::asprintf("%02d", value); }

int fieldValue(const QLineEdit* edit) { return decimalValue(edit->text().toStdString()); }

}  // namespace

ScaleDialog::ScaleDialog(QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::ScaleDialog>()),
      fields_{{nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr}} {
    ui_->setupUi(this);
    setModal(true);
    fields_[0] = {ui_->hoursEdit, ui_->hoursSpin};
    fields_[1] = {ui_->minutesEdit, ui_->minutesSpin};
    fields_[2] = {ui_->secondsEdit, ui_->secondsSpin};
    bind(fields_[0], 23);
    bind(fields_[1], 60);
    bind(fields_[2], 60);
    // Room for two digits and no more.
    const int width = ui_->hoursEdit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12;
    for (const Field& field : fields_) field.edit->setFixedWidth(width);
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->musicLengthButton, &QPushButton::clicked, this, &ScaleDialog::takeMusicLength);
}

void ScaleDialog::setMusicSeconds(MusicSeconds musicSeconds) {
    musicSeconds_ = std::move(musicSeconds);
    ui_->musicLengthButton->setEnabled(static_cast<bool>(musicSeconds_));
}

void ScaleDialog::takeMusicLength() {
    if (!musicSeconds_) return;
    const std::optional<std::int64_t> seconds = musicSeconds_();
    if (!seconds) return;
    // The fields hold at most 23:59:59; longer music is beyond any show anyway and is
    // refused as too long when confirmed.
    const std::int64_t shown = std::clamp<std::int64_t>(*seconds, 0, 23 * 3600 + 59 * 60 + 59);
    showLength(static_cast<int>(shown / 3600), static_cast<int>(shown / 60 % 60), static_cast<int>(shown % 60));
    takenMusicLength_ = enteredLength();
}

bool ScaleDialog::lengthIsMusic() const { return takenMusicLength_ && *takenMusicLength_ == enteredLength(); }

void ScaleDialog::showLength(int hours, int minutes, int seconds) {
    const int values[3] = {hours, minutes, seconds};
    for (int i = 0; i < 3; ++i) {
        fields_[i].edit->setText(twoDigits(values[i]));
        fields_[i].spin->setPosition(values[i]);
    }
}

ScaleDialog::~ScaleDialog() = default;

void ScaleDialog::bind(const Field& field, int maximum) {
    field.spin->setRange(0, maximum);
    // A step starts from what the field holds now, typed or not.
    connect(field.edit, &QLineEdit::textEdited, field.spin,
            [field](const QString&) { field.spin->setPosition(fieldValue(field.edit)); });
    connect(field.spin, &SpinButton::stepped, field.edit, [field](int position) {
        field.edit->setText(twoDigits(position));
        field.edit->selectAll();
    });
    // The arrow keys in a field move its spin, as they would in a spin box.
    field.edit->installEventFilter(this);
}

bool ScaleDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (const Field& field : fields_) {
            if (watched != field.edit || (key != Qt::Key_Up && key != Qt::Key_Down)) continue;
            field.spin->setPosition(fieldValue(field.edit));
            if (key == Qt::Key_Up)
                field.spin->stepUp();
            else
                field.spin->stepDown();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ScaleDialog::setOldLength(int oldLength) {
    const int shown = roundedToWholeSeconds(oldLength);
    ui_->oldLengthText->setText(QString::fromStdString(lengthText(shown)));
    const LengthParts parts = lengthParts(shown);
    showLength(parts.hours, parts.minutes, parts.seconds);
    ui_->hoursEdit->setFocus();
    ui_->hoursEdit->selectAll();
}

std::int64_t ScaleDialog::enteredLength() const {
    return vistrel::enteredLength(fieldValue(ui_->hoursEdit), fieldValue(ui_->minutesEdit),
                                  fieldValue(ui_->secondsEdit));
}

std::optional<std::int64_t> ScaleDialog::askNewLength(int oldLength) {
    setOldLength(oldLength);
    takenMusicLength_.reset();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return enteredLength();
}

}  // namespace vistrel
