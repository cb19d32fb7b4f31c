#pragma once
// "Show skalieren": shows the old length in whole seconds and asks for the new one in
// three two-digit fields (hours, minutes, seconds), each with a spin beside it.
// "Musiklänge übernehmen" fills them with the length of the show's music, so that a
// show is fitted to its music in one step.
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "model/ShowLengthCommands.h"

class QLineEdit;

namespace Ui {
class ScaleDialog;
}

namespace vistrel {

class SpinButton;

class ScaleDialog : public QDialog, public ScaleLengthPrompt {
    Q_OBJECT

public:
    explicit ScaleDialog(QWidget* parent = nullptr);
    ~ScaleDialog() override;

    // The length of the show's music in whole seconds, or nothing when it cannot be
    // told (the function has said why). Without one the button stays disabled.
    using MusicSeconds = std::function<std::optional<std::int64_t>()>;
    void setMusicSeconds(MusicSeconds musicSeconds);
    // "Musiklänge übernehmen".
    void takeMusicLength();

    // Fills the dialog from `oldLength` (tenths) without showing it.
    void setOldLength(int oldLength);
    // The length the three fields hold, in tenths.
    std::int64_t enteredLength() const;

    // ScaleLengthPrompt: runs the dialog modally; the entered length, or nothing on Cancel.
    std::optional<std::int64_t> askNewLength(int oldLength) override;
    bool offersMusicLength() const override { return static_cast<bool>(musicSeconds_); }
    // True while the fields hold the music's length as "Musiklänge übernehmen" put it there.
    bool lengthIsMusic() const override;


protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Field {
        QLineEdit* edit;
        SpinButton* spin;
    };
    void bind(const Field& field, int maximum);
    void showLength(int hours, int minutes, int seconds);

    std::unique_ptr<Ui::ScaleDialog> ui_;
    Field fields_[3];
    MusicSeconds musicSeconds_;
    std::optional<std::int64_t> takenMusicLength_;  // tenths, as the button filled the fields
};

}  // namespace vistrel
