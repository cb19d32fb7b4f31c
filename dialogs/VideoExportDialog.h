#pragma once
// "Als Video exportieren": where the video goes and how it is made (size, frames per
// second, how long pause lines stand, which lines, with or without the show's music).
// The dialog only collects the values; the export itself is the same code as
// `vistrel-cli video`.
#include <QDialog>
#include <functional>

#include "video/VideoRequest.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace vistrel {

class Prompter;

class VideoExportDialog : public QDialog {
    Q_OBJECT

public:
    // Asks for a file name with the system's save dialog, starting on `preset`; empty: cancelled.
    using SaveChooser = std::function<QString(const QString& preset)>;

    // `initial`: the values shown (its output path, size, fps, pause hold, lines and
    // music); `lineCount` bounds the line fields. Without `initial.musicPath` the music
    // cannot be switched on.
    VideoExportDialog(const video::VideoRequest& initial, int lineCount, Prompter& prompter, SaveChooser chooseFile,
                      QWidget* parent = nullptr);

    // The values after "Exportieren": sizes even, the output path with a video ending,
    // the music path empty when the music is off.
    video::VideoRequest request() const;

    void accept() override;

private:
    void browse();
    void sizeChoiceChanged();

    video::VideoRequest initial_;
    Prompter& prompter_;
    SaveChooser chooseFile_;
    QLineEdit* file_ = nullptr;
    QComboBox* size_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QComboBox* fps_ = nullptr;
    QDoubleSpinBox* pause_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QCheckBox* music_ = nullptr;
};

// `path` with ".mp4" added unless it already ends in a video ending Vistrel writes.
QString withVideoEnding(const QString& path);

}  // namespace vistrel
