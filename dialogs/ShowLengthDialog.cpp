#include "dialogs/ShowLengthDialog.h"

#include "ui_ShowLengthDialog.h"

namespace vistrel {

ShowLengthDialog::ShowLengthDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::ShowLengthDialog>()) {
    ui_->setupUi(this);
    setModal(true);
    // "OK" only closes; Escape and the close box do the same.
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->scaleButton, &QPushButton::clicked, this, &QDialog::accept);
}

ShowLengthDialog::~ShowLengthDialog() = default;

bool ShowLengthDialog::showLengths(const std::string& total, const std::string& selected) {
    ui_->totalText->setText(QString::fromStdString(total));
    ui_->selectedText->setText(QString::fromStdString(selected));
    ui_->okButton->setFocus();
    return exec() == QDialog::Accepted;
}

}  // namespace vistrel
