#include "views/EditorPicture.h"

#include <QLineEdit>
#include <QPainter>

#include "model/CVistrelDoc.h"
#include "model/Cp1252.h"
#include "pictures/SlidePictures.h"

namespace vistrel {

EditorPicture::EditorPicture(QLineEdit& slideField, CVistrelDoc& doc, const QString& pictureFolder, QWidget* parent)
    : QWidget(parent), slideField_(&slideField), doc_(doc) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setFixedWidth(Width);
    setMinimumHeight(Width * 2 / 3);
    pictures_ = std::make_unique<pictures::SlidePictures>(pictureFolder, [&doc](int index) {
        if (index < 0 || index >= doc.lineCount) return QString();
        return QString::fromStdString(cp1252ToUtf8(doc.lines[static_cast<std::size_t>(index)].description.view()));
    });
    pictures_->whenArrived([this] { update(); });
    connect(&slideField, &QLineEdit::textChanged, this, [this] { update(); });
}

EditorPicture::~EditorPicture() = default;

int EditorPicture::slide() const {
    if (!slideField_) return 0;
    bool isNumber = false;
    const int number = slideField_->text().trimmed().toInt(&isNumber);
    return isNumber && number > 0 && number <= 999 ? number : 0;
}

void EditorPicture::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const int number = slide();
    if (number == 0) return;
    // The picture in the shape of a slide, as wide as the widget.
    const QSize area(width(), std::min(height(), width() * 2 / 3));
    const auto picture = pictures_->ready(number, doc_.currentLine, area);
    if (!picture || picture->isNull()) return;
    const QSize shown = picture->size().scaled(area, Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint((width() - shown.width()) / 2, 0), shown), *picture);
}

}  // namespace vistrel
