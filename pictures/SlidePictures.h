#pragma once
// The pictures of one show's slides at the size they are shown, from its picture
// folder (scanned once): each slide's picture, or its card when the folder has none
// for it or the file cannot be read. A window asks ready() on every frame and never
// waits (and may repaint when told a picture arrived); the renderer of a video asks now(). Files that could not be read are noted,
// each once, so that the window can say so.
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "model/PictureFolder.h"
#include "pictures/PictureCache.h"

namespace vistrel::pictures {

class SlidePictures {
public:
    // The description a card shows below the slide number, by 0-based line.
    using DescriptionOf = std::function<QString(int lineIndex)>;

    struct Unreadable {
        int slide;
        QString path;
    };

    SlidePictures(const QString& folder, DescriptionOf descriptionOf, PictureCache::Limits limits = {});

    // The picture when it is ready; nothing while it is being made (asked for now).
    std::optional<QImage> ready(int slide, int lineIndex, QSize area);
    // Has the picture made ahead of time.
    void prefetch(int slide, int lineIndex, QSize area);
    // The picture now, waiting for it if need be.
    QImage now(int slide, int lineIndex, QSize area);

    // Told on this thread of each picture made ahead of time: the window may draw it now.
    void whenArrived(std::function<void()> arrived) {
        cache_.whenArrived([arrived = std::move(arrived)](const PictureKey&) { arrived(); });
    }

    // Files found unreadable since the last call, each file once per run.
    std::vector<Unreadable> takeUnreadable();
    bool hasPictureFile(int slide) const { return folder_.pictureOf(slide).has_value(); }
    const PictureCache& cache() const { return cache_; }

private:
    PictureKey keyOf(int slide, int lineIndex, QSize area) const;
    PictureCache::Maker makerOf(int slide, int lineIndex, QSize area) const;

    PictureFolder folder_;
    DescriptionOf descriptionOf_;
    PictureCache cache_;
    // Written by the cache's thread.
    struct Notes {
        std::mutex mutex;
        std::set<QString> seen;
        std::vector<Unreadable> fresh;
    };
    std::shared_ptr<Notes> notes_ = std::make_shared<Notes>();
};

}  // namespace vistrel::pictures
