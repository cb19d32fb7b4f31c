#include "dialogs/LineEntryDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/TableText.h"
#include "res/strings/DialogStrings.h"
#include "res/strings/LineStrings.h"

namespace vistrel {

namespace {

// The timer field takes "600.0" and no more.
constexpr int TimerEntryLength = 6;

}  // namespace

LineEntryDialog::LineEntryDialog(int captionId, int labelId, int maxLength, LineDialogs::EntryCheck check,
                                 QWidget* parent)
    : QDialog(parent), check_(std::move(check)) {
    setWindowTitle(tableText(captionId));
    setModal(true);

    auto* label = new QLabel(tableText(labelId));
    entry_ = new QLineEdit;
    entry_->setObjectName(QStringLiteral("entryEdit"));
    if (maxLength > 0) entry_->setMaxLength(maxLength);
    label->setBuddy(entry_);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(entry_, 1);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tableText(ids::ButtonOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(tableText(ids::ButtonCancel), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &LineEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LineEntryDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    entry_->setFocus();
}

std::string LineEntryDialog::entry() const { return entry_->text().toStdString(); }

void LineEntryDialog::accept() {
    if (check_ && !check_(entry())) {
        entry_->setFocus();
        entry_->selectAll();
        return;
    }
    QDialog::accept();
}

std::optional<std::string> QtLineDialogs::ask(int captionId, int labelId, int maxLength, const EntryCheck& accept) {
    LineEntryDialog dialog(captionId, labelId, maxLength, accept, parent_ ? parent_->window() : nullptr);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.entry();
}

std::optional<std::string> QtLineDialogs::askTimer(const EntryCheck& accept) {
    return ask(ids::TimerDialogCaption, ids::TimerDialogLabel, TimerEntryLength, accept);
}

std::optional<std::string> QtLineDialogs::askSlideIncrement(const EntryCheck& accept) {
    return ask(ids::IncrementDialogCaption, ids::IncrementDialogLabel, 0, accept);
}

}  // namespace vistrel
