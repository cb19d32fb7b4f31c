#pragma once
// "Schaulänge": the length of the whole show and of the selected rows, with "OK" to
// close and "Schau skalieren" to go on to the scaling.
#include <QDialog>
#include <memory>

#include "model/ShowLengthCommands.h"

namespace Ui {
class ShowLengthDialog;
}

namespace vistrel {

class ShowLengthDialog : public QDialog, public ShowLengthPrompt {
    Q_OBJECT

public:
    explicit ShowLengthDialog(QWidget* parent = nullptr);
    ~ShowLengthDialog() override;

    // ShowLengthPrompt: shows the two texts modally; true after "Schau skalieren".
    bool showLengths(const std::string& total, const std::string& selected) override;


private:
    std::unique_ptr<Ui::ShowLengthDialog> ui_;
};

}  // namespace vistrel
