#include "pictures/PictureDecoder.h"

#include <QFile>
#include <QImageReader>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "pictures/PictureGeometry.h"

namespace vistrel::pictures {

namespace {

bool turnsSideways(QImageIOHandler::Transformations transformation) {
    return transformation.testFlag(QImageIOHandler::TransformationRotate90);
}

// Every picture leaves the decoder in the one format the painter blends fastest.
QImage forDrawing(QImage image) {
    if (image.isNull()) return image;
    const QImage::Format wanted =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    return image.format() == wanted ? image : image.convertToFormat(wanted);
}

// Opens `path` only when it is a plain file, without waiting: a named pipe would block
// the opening thread (the window's own, or the cache's that the window waits for), and a
// device such as /dev/zero would be read for ever.
bool openPlainFile(const QString& path, QFile& file) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

}  // namespace

DecodedPicture decodePicture(const QString& path, QSize area) {
    if (area.isEmpty()) return {};
    QFile file;
    if (!openPlainFile(path, file)) return {};
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    // A file named .jpg that holds a PNG is still a picture.
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) return {};

    const QSize stored = reader.size();
    if (stored.isValid() && !stored.isEmpty()) {
        const bool sideways = turnsSideways(reader.transformation());
        const QSize shown = sideways ? stored.transposed() : stored;
        const QSize target = fittedSize(shown, area);
        if (target.width() < shown.width() || target.height() < shown.height()) {
            // Smaller than stored: let the format decode at that size (the size is
            // given as stored, before the picture is turned upright).
            reader.setScaledSize(sideways ? target.transposed() : target);
            reader.setQuality(80);  // smooth scaling where the reader scales itself
            QImage image = reader.read();
            if (!image.isNull() && image.size() != target) {
                image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            }
            return {forDrawing(std::move(image))};
        }
        // As large as stored or larger: decode as it is, then enlarge.
        QImage image = reader.read();
        if (!image.isNull() && image.size() != target) {
            image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        return {forDrawing(std::move(image))};
    }

    // A format that does not tell its size before decoding.
    QImage image = reader.read();
    if (image.isNull()) return {};
    const QSize target = fittedSize(image.size(), area);
    if (target.isEmpty()) return {};
    if (image.size() != target) image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return {forDrawing(std::move(image))};
}

}  // namespace vistrel::pictures
