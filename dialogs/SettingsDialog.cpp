#include "dialogs/SettingsDialog.h"

#include <QButtonGroup>

#include "platform/qt/core/QtSerialPort.h"
#include "ui_SettingsDialog.h"

namespace vistrel {

namespace {

// The form's flags in the order of the check boxes.
constexpr bool SettingsForm::*kOptionFlags[] = {
    &SettingsForm::endMarker,          &SettingsForm::differentialTransfer, &SettingsForm::convertDosUmlauts,
    &SettingsForm::pcModeOffAtExit,    &SettingsForm::infoWindowAtStart,    &SettingsForm::sfCodesAsText,
    &SettingsForm::logarithmicSliders, &SettingsForm::showTotalLength,      &SettingsForm::fullSizeDocumentWindows,
    &SettingsForm::use500WattTimes,
};

}  // namespace

SettingsDialog::SettingsDialog(SettingsEditing& editing, QWidget* parent)
    : QDialog(parent), editing_(editing), ui_(std::make_unique<Ui::SettingsDialog>()) {
    ui_->setupUi(this);
    setModal(true);

    // Which adapter each port name stands for on this system, so that the user knows
    // which one is meant.
    QLabel* devices[] = {ui_->com1Device, ui_->com2Device, ui_->com3Device, ui_->com4Device};
    for (int digit = 1; digit <= 4; ++digit) {
        const QString device = QtSerialPort::deviceForPortName(QStringLiteral("COM%1").arg(digit));
        devices[digit - 1]->setText(device);
        devices[digit - 1]->setEnabled(false);
        portButton(digit)->setToolTip(device);
    }

    connect(ui_->okButton, &QPushButton::clicked, this, &SettingsDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->testButton, &QPushButton::clicked, this, &SettingsDialog::test);
    showForm(editing_.initialForm());
}

SettingsDialog::~SettingsDialog() = default;

std::array<QCheckBox*, 10> SettingsDialog::optionBoxes() const {
    return {ui_->endMarkerCheck,          ui_->differentialTransferCheck, ui_->convertDosUmlautsCheck,
            ui_->pcModeOffAtExitCheck,    ui_->infoWindowAtStartCheck,    ui_->sfCodesAsTextCheck,
            ui_->logarithmicSlidersCheck, ui_->showTotalLengthCheck,      ui_->fullSizeDocumentWindowsCheck,
            ui_->use500WattTimesCheck};
}

QRadioButton* SettingsDialog::portButton(int digit) const {
    switch (digit) {
        case 1: return ui_->com1Radio;
        case 2: return ui_->com2Radio;
        case 3: return ui_->com3Radio;
        case 4: return ui_->com4Radio;
        default: return nullptr;
    }
}

void SettingsDialog::showForm(const SettingsForm& form) {
    const auto boxes = optionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->setChecked(form.*kOptionFlags[i]);
    ui_->lampBrightnessEdit->setText(QString::fromStdString(form.lampBrightnessText));
    checkPort(form.portDigit);
}

void SettingsDialog::checkPort(int digit) {
    if (QRadioButton* button = portButton(digit)) button->setChecked(true);
}

SettingsForm SettingsDialog::form() const {
    SettingsForm form;
    const auto boxes = optionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) form.*kOptionFlags[i] = boxes[i]->isChecked();
    form.lampBrightnessText = ui_->lampBrightnessEdit->text().toStdString();
    form.portDigit = 0;
    for (int digit = 1; digit <= 4; ++digit) {
        if (portButton(digit)->isChecked()) form.portDigit = digit;
    }
    return form;
}

void SettingsDialog::accept() {
    if (editing_.apply(form())) QDialog::accept();
}

void SettingsDialog::test() {
    // The search talks to four ports in turn; nothing else may be pressed meanwhile.
    setEnabled(false);
    editing_.testPorts([this](int found) {
        setEnabled(true);
        checkPort(found);
    });
    setEnabled(true);
    ui_->testButton->setFocus();
}

}  // namespace vistrel
