#pragma once
// The picture beside the line editor's fields: the slide whose number stands in the
// slide number field, following the field as it is typed (its card when the folder has
// no picture for it, nothing for 0 or no number). Made off the window thread and
// drawn when it arrives.
#include <QPointer>
#include <QWidget>
#include <memory>

class QLineEdit;

namespace vistrel {

class CVistrelDoc;
namespace pictures {
class SlidePictures;
}

class EditorPicture : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 150;

    EditorPicture(QLineEdit& slideField, CVistrelDoc& doc, const QString& pictureFolder, QWidget* parent = nullptr);
    ~EditorPicture() override;

    // The slide number shown, 0 for none.
    int slide() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QLineEdit> slideField_;
    CVistrelDoc& doc_;
    std::unique_ptr<pictures::SlidePictures> pictures_;
};

}  // namespace vistrel
