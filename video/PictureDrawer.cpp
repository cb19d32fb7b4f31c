// The rehearsal's painter and picture store, as a drawer of video frames.
#include <memory>
#include <vector>

#include "model/Cp1252.h"
#include "pictures/ProjectionPainter.h"
#include "pictures/SlidePictures.h"
#include "video/VideoExport.h"

namespace vistrel::video {

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
    return [slides, painter, unreadable](QSize size, const Projection& projection) {
        QImage frame;  // a new one each time: the encoder may still read the last
        painter->render(frame, size, projection, [&](const ProjectionLayer& layer) {
            return slides->now(layer.slide, layer.lineIndex, size);
        });
        for (const auto& file : slides->takeUnreadable())
            if (unreadable) unreadable(file.slide, file.path.toStdString());
        return frame;
    };
}

}  // namespace vistrel::video
