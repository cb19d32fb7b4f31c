#pragma once
// "Einstellungen": the program-wide options, the lamp brightness and the serial port,
// with "Test" to search COM1 .. COM4 for the projector. The dialog copies its
// controls to and from a SettingsForm; SettingsEditing decides what happens.
#include <QDialog>
#include <array>
#include <memory>

#include "projector/SettingsEditing.h"

class QCheckBox;
class QRadioButton;

namespace Ui {
class SettingsDialog;
}

namespace vistrel {

class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(SettingsEditing& editing, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    // What the controls hold now.
    SettingsForm form() const;

    // The check boxes in the order the dialog shows them, and the port buttons COM1 .. COM4.
    std::array<QCheckBox*, 10> optionBoxes() const;
    QRadioButton* portButton(int digit) const;


public slots:
    void accept() override;

private:
    void showForm(const SettingsForm& form);
    void checkPort(int digit);
    void test();

    SettingsEditing& editing_;
    std::unique_ptr<Ui::SettingsDialog> ui_;
};

}  // namespace vistrel
