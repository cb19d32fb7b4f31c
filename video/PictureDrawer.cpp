// The rehearsal's painter and picture store, as a drawer of video frames.
#include <memory>
#include <vector>

#include "model/Cp1252.h"
#include "pictures/ProjectionPainter.h"
#include "pictures/SlidePictures.h"
#include "video/VideoExport.h"

namespace vistrel::video {

namespace {

// Frames to draw into, each used again once nobody else holds it (the encoder lets go
// of a frame when it has converted it): a new image for every frame would have the
// kernel clear its pages again and again, a good part of the drawing's own time.
class FramePool {
public:
    QImage& unused() {
        for (QImage& frame : frames_)
            if (frame.isNull() || frame.isDetached()) return frame;
        return frames_.emplace_back();
    }

private:
    std::vector<QImage> frames_;  // as many as are held at once: the encoder's queue and one
};

}  // namespace

ProjectionDrawer pictureDrawer(std::span<const ProgramLine> lines, const std::filesystem::path& folder,
                               UnreadablePictureReport unreadable) {
    // The cards' texts, taken now: the drawer may outlive the lines it was made for.
    auto descriptions = std::make_shared<std::vector<QString>>();
    for (const ProgramLine& line : lines)
        descriptions->push_back(QString::fromStdString(cp1252ToUtf8(line.description.view())));
    auto slides = std::make_shared<pictures::SlidePictures>(
        QString::fromStdString(folder.string()), [descriptions](int lineIndex) {
            const bool known = lineIndex >= 0 && lineIndex < static_cast<int>(descriptions->size());
            return known ? descriptions->at(static_cast<std::size_t>(lineIndex)) : QString();
        });
    auto painter = std::make_shared<pictures::ProjectionPainter>();
    auto pool = std::make_shared<FramePool>();
    return [slides, painter, pool, unreadable](QSize size, const Projection& projection) {
        QImage& frame = pool->unused();  // never one the encoder may still read
        painter->render(frame, size, projection, [&](const ProjectionLayer& layer) {
            return slides->now(layer.slide, layer.lineIndex, size);
        });
        for (const auto& file : slides->takeUnreadable())
            if (unreadable) unreadable(file.slide, file.path.toStdString());
        return frame;
    };
}

}  // namespace vistrel::video
