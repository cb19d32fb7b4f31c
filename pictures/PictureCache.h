#pragma once
// A small store of pictures decoded at the size they are shown, with a background job
// of its own that makes them ahead of time. A window asks find() on every frame and
// never waits: what is not ready yet it requests, and the job makes it; each picture so
// made is announced on the window's thread (whenArrived), so that the window can draw
// it at once. A renderer without an event loop (the video export) asks take(), which
// waits (bounded) for a picture the job is making or makes it itself. The cache is asked
// on the thread that made it; its job starts with the first request.
//
// Each picture is made once per size and kept while it is among the most recently
// used; the store stays within a byte budget (a handful of screenfuls), keeping at
// least the few pictures a frame and the lines after it need. A picture that could
// not be made is kept as a null image, so that a missing file is not looked for on
// every frame.
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "background/BackgroundJob.h"

namespace vistrel::pictures {

struct PictureKey {
    QString source;  // a file path, or a name for something drawn (a card)
    QSize size;      // the area the picture is made for
    bool operator==(const PictureKey&) const = default;
};

struct PictureKeyHash {
    std::size_t operator()(const PictureKey& key) const;
};

class PictureCache {
public:
    // Makes the picture for a key; runs on the cache's thread or the caller's.
    using Maker = std::function<QImage()>;

    struct Limits {
        std::size_t maxBytes = 96u * 1024u * 1024u;
        std::size_t minEntries = 6;   // kept whatever they weigh
        std::size_t maxEntries = 16;
        std::size_t maxQueued = 24;   // older requests give way to newer ones
    };

    explicit PictureCache(Limits limits);
    PictureCache();
    // Cancels the job: the picture in hand is waited for (bounded), the queue dropped.
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture when it is ready (a null image: it could not be made); nothing while
    // it is not. Never waits.
    std::optional<QImage> find(const PictureKey& key);
    // Has the job make the picture unless it is stored, queued or being made.
    void request(const PictureKey& key, Maker maker);
    // The picture now: stored, or waited for while the job makes it, or made here.
    QImage take(const PictureKey& key, const Maker& maker);
    // Forgets every picture and every request (the folder changed).
    void clear();
    // Told on this thread of each picture the job has made for a request.
    void whenArrived(std::function<void(const PictureKey&)> arrived) { arrived_ = std::move(arrived); }

    std::size_t entryCount() const;
    std::size_t byteCount() const;
    // How many pictures have been made so far (each once per key while it stays stored).
    std::int64_t madeCount() const;

private:
    struct Store;  // shared with the job, which may outlive the cache
    using MakerJob = background::BackgroundJob<PictureKey>;

    std::shared_ptr<Store> store_;
    std::function<void(const PictureKey&)> arrived_;
    MakerJob job_;  // last: it goes first
};

}  // namespace vistrel::pictures
