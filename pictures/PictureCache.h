#pragma once
// A small store of pictures decoded at the size they are shown, with a thread of
// its own that makes them ahead of time. A window asks find() on every frame and
// never waits: what is not ready yet it requests, and draws it a few frames later.
// A renderer without an event loop (the video export) asks take(), which waits for
// a picture the thread is making or makes it itself.
//
// Each picture is made once per size and kept while it is among the most recently
// used; the store stays within a byte budget (a handful of screenfuls), keeping at
// least the few pictures a frame and the lines after it need. A picture that could
// not be made is kept as a null image, so that a missing file is not looked for on
// every frame.
#include <QImage>
#include <QSize>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

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
    // Waits for the picture in hand; the rest of the queue is dropped.
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture when it is ready (a null image: it could not be made); nothing while
    // it is not. Never waits.
    std::optional<QImage> find(const PictureKey& key);
    // Has the thread make the picture unless it is stored, queued or being made.
    void request(const PictureKey& key, Maker maker);
    // The picture now: stored, or waited for while the thread makes it, or made here.
    QImage take(const PictureKey& key, const Maker& maker);
    // Forgets every picture and every request (the folder changed).
    void clear();

    std::size_t entryCount() const;
    std::size_t byteCount() const;
    // How many pictures have been made so far (each once per key while it stays stored).
    std::int64_t madeCount() const;

private:
    struct Entry {
        QImage image;
        std::list<PictureKey>::iterator usage;
    };
    struct Job {
        PictureKey key;
        Maker maker;
    };

    void work();
    // With the lock held.
    void store(const PictureKey& key, QImage image);
    void touch(Entry& entry);
    void evict();
    bool queued(const PictureKey& key) const;
    bool beingMade(const PictureKey& key) const;

    Limits limits_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;  // the thread: work to do, or stop
    std::condition_variable made_;  // callers of take(): a picture is done
    std::unordered_map<PictureKey, Entry, PictureKeyHash> entries_;
    std::list<PictureKey> usage_;  // most recently used first
    std::deque<Job> queue_;
    std::vector<PictureKey> making_;  // by the thread or by a caller of take()
    std::size_t bytes_ = 0;
    std::int64_t madeCount_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace vistrel::pictures
