#include "pictures/PictureCache.h"

#include <QHashFunctions>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <list>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace vistrel::pictures {

namespace {

// How long take() waits for a picture the job is making before it makes it itself (a
// file on a share that stopped answering must not stop a renderer for good).
constexpr std::chrono::seconds MadeElsewhereWait{5};

}  // namespace

std::size_t PictureKeyHash::operator()(const PictureKey& key) const {
    return qHashMulti(0, key.source, key.size.width(), key.size.height());
}

// What the cache and its job share: the pictures, their use and the requests.
struct PictureCache::Store {
    struct Entry {
        QImage image;
        std::list<PictureKey>::iterator usage;
    };
    struct Request {
        PictureKey key;
        Maker maker;
    };

    explicit Store(Limits bounds) : limits(bounds) {}

    // The job's work: makes what is requested, one after the other, until cancelled.
    void work(const MakerJob::Control& control);
    // The rest with the lock held.
    void made(const PictureKey& key, QImage image);
    void store(const PictureKey& key, QImage image);
    void touch(Entry& entry) { usage.splice(usage.begin(), usage, entry.usage); }
    void evict();
    bool queued(const PictureKey& key) const {
        return std::any_of(queue.begin(), queue.end(), [&](const Request& r) { return r.key == key; });
    }
    bool beingMade(const PictureKey& key) const { return std::find(making.begin(), making.end(), key) != making.end(); }

    const Limits limits;
    mutable std::mutex mutex;
    std::condition_variable wake;  // the job: a request came, or a cancel
    std::condition_variable done;  // callers of take(): a picture is made
    std::unordered_map<PictureKey, Entry, PictureKeyHash> entries;
    std::list<PictureKey> usage;  // most recently used first
    std::deque<Request> queue;
    std::vector<PictureKey> making;  // by the job or by a caller of take()
    std::size_t bytes = 0;
    std::int64_t madeCount = 0;
};

PictureCache::PictureCache() : PictureCache(Limits{}) {}

PictureCache::PictureCache(Limits limits)
    : store_(std::make_shared<Store>(limits)),
      job_({.progress = [this](const PictureKey& key) {
                if (arrived_) arrived_(key);
            },
            .finished = {},
            .cancelled = {}}) {}

PictureCache::~PictureCache() {
    job_.cancel();
    {
        std::lock_guard lock(store_->mutex);  // the job is waiting, or will see the cancel
        store_->queue.clear();
    }
    store_->wake.notify_all();
}

std::optional<QImage> PictureCache::find(const PictureKey& key) {
    std::lock_guard lock(store_->mutex);
    auto it = store_->entries.find(key);
    if (it == store_->entries.end()) return std::nullopt;
    store_->touch(it->second);
    return it->second.image;
}

void PictureCache::request(const PictureKey& key, Maker maker) {
    {
        std::lock_guard lock(store_->mutex);
        if (store_->entries.count(key) || store_->beingMade(key) || store_->queued(key)) return;
        store_->queue.push_back({key, std::move(maker)});
        // A window resized a few times leaves requests for sizes nobody shows any more.
        while (store_->queue.size() > store_->limits.maxQueued) store_->queue.pop_front();
    }
    if (!job_.running()) job_.start([store = store_](const MakerJob::Control& control) { store->work(control); });
    store_->wake.notify_one();
}

QImage PictureCache::take(const PictureKey& key, const Maker& maker) {
    Store& store = *store_;
    std::unique_lock lock(store.mutex);
    store.done.wait_for(lock, MadeElsewhereWait, [&] { return !store.beingMade(key); });
    if (auto it = store.entries.find(key); it != store.entries.end()) {
        store.touch(it->second);
        return it->second.image;
    }
    std::erase_if(store.queue, [&](const Store::Request& r) { return r.key == key; });
    store.making.push_back(key);
    lock.unlock();
    QImage image = maker();
    lock.lock();
    store.made(key, image);
    return image;
}

void PictureCache::clear() {
    std::lock_guard lock(store_->mutex);
    store_->queue.clear();
    store_->entries.clear();
    store_->usage.clear();
    store_->bytes = 0;
}

std::size_t PictureCache::entryCount() const {
    std::lock_guard lock(store_->mutex);
    return store_->entries.size();
}

std::size_t PictureCache::byteCount() const {
    std::lock_guard lock(store_->mutex);
    return store_->bytes;
}

std::int64_t PictureCache::madeCount() const {
    std::lock_guard lock(store_->mutex);
    return store_->madeCount;
}

void PictureCache::Store::work(const MakerJob::Control& control) {
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait(lock, [&] { return control.cancelled() || !queue.empty(); });
        if (control.cancelled()) return;
        Request request = std::move(queue.front());
        queue.pop_front();
        making.push_back(request.key);
        lock.unlock();
        QImage image = request.maker();
        lock.lock();
        made(request.key, std::move(image));
        control.report(request.key);
    }
}

void PictureCache::Store::made(const PictureKey& key, QImage image) {
    ++madeCount;
    if (auto it = std::find(making.begin(), making.end(), key); it != making.end()) making.erase(it);
    store(key, std::move(image));
    done.notify_all();
}

void PictureCache::Store::store(const PictureKey& key, QImage image) {
    if (auto it = entries.find(key); it != entries.end()) {
        bytes -= static_cast<std::size_t>(it->second.image.sizeInBytes());
        usage.erase(it->second.usage);
        entries.erase(it);
    }
    bytes += static_cast<std::size_t>(image.sizeInBytes());
    usage.push_front(key);
    entries.emplace(key, Entry{std::move(image), usage.begin()});
    evict();
}

void PictureCache::Store::evict() {
    while (entries.size() > limits.maxEntries || (bytes > limits.maxBytes && entries.size() > limits.minEntries)) {
        const PictureKey& oldest = usage.back();
        auto it = entries.find(oldest);
        bytes -= static_cast<std::size_t>(it->second.image.sizeInBytes());
        entries.erase(it);
        usage.pop_back();
    }
}

}  // namespace vistrel::pictures
