#include "pictures/SlidePictures.h"

#include "pictures/PictureDecoder.h"
#include "pictures/SlideCard.h"

namespace vistrel::pictures {

SlidePictures::SlidePictures(const QString& folder, DescriptionOf descriptionOf, PictureCache::Limits limits)
    : folder_(PictureFolder::scan(folder.toStdString())), descriptionOf_(std::move(descriptionOf)), cache_(limits) {}

PictureKey SlidePictures::keyOf(int slide, int lineIndex, QSize area) const {
    if (const auto file = folder_.pictureOf(slide)) return {QString::fromStdString(file->string()), area};
    // A card shows the line's description too: one per slide and text.
    const QString description = descriptionOf_ ? descriptionOf_(lineIndex) : QString();
    return {QStringLiteral("card:%1:").arg(slide) + description, area};
}

PictureCache::Maker SlidePictures::makerOf(int slide, int lineIndex, QSize area) const {
    const QString description = descriptionOf_ ? descriptionOf_(lineIndex) : QString();
    const auto file = folder_.pictureOf(slide);
    if (!file) return [=] { return drawSlideCard(slide, description, area); };
    const QString path = QString::fromStdString(file->string());
    return [=, notes = notes_] {
        DecodedPicture decoded = decodePicture(path, area);
        if (decoded.readable()) return decoded.image;
        {
            std::lock_guard lock(notes->mutex);
            if (notes->seen.insert(path).second) notes->fresh.push_back({slide, path});
        }
        return drawSlideCard(slide, description, area);
    };
}

std::optional<QImage> SlidePictures::ready(int slide, int lineIndex, QSize area) {
    if (slide == 0 || area.isEmpty()) return QImage();
    const PictureKey key = keyOf(slide, lineIndex, area);
    if (auto found = cache_.find(key)) return found;
    cache_.request(key, makerOf(slide, lineIndex, area));
    return std::nullopt;
}

void SlidePictures::prefetch(int slide, int lineIndex, QSize area) {
    if (slide == 0 || area.isEmpty()) return;
    cache_.request(keyOf(slide, lineIndex, area), makerOf(slide, lineIndex, area));
}

QImage SlidePictures::now(int slide, int lineIndex, QSize area) {
    if (slide == 0 || area.isEmpty()) return {};
    return cache_.take(keyOf(slide, lineIndex, area), makerOf(slide, lineIndex, area));
}

std::vector<SlidePictures::Unreadable> SlidePictures::takeUnreadable() {
    std::lock_guard lock(notes_->mutex);
    return std::exchange(notes_->fresh, {});
}

}  // namespace vistrel::pictures
