#include "pictures/PictureCache.h"

#include <QHashFunctions>
#include <algorithm>

namespace vistrel::pictures {

std::size_t PictureKeyHash::operator()(const PictureKey& key) const {
    return qHashMulti(0, key.source, key.size.width(), key.size.height());
}

PictureCache::PictureCache() : PictureCache(Limits{}) {}

PictureCache::PictureCache(Limits limits) : limits_(limits), thread_([this] { work(); }) {}

PictureCache::~PictureCache() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    thread_.join();
}

std::optional<QImage> PictureCache::find(const PictureKey& key) {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end()) return std::nullopt;
    touch(it->second);
    return it->second.image;
}

bool PictureCache::queued(const PictureKey& key) const {
    return std::any_of(queue_.begin(), queue_.end(), [&](const Job& job) { return job.key == key; });
}

bool PictureCache::beingMade(const PictureKey& key) const {
    return std::find(making_.begin(), making_.end(), key) != making_.end();
}

void PictureCache::request(const PictureKey& key, Maker maker) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_ || entries_.count(key) || beingMade(key) || queued(key)) return;
        queue_.push_back({key, std::move(maker)});
        // A window resized a few times leaves requests for sizes nobody shows any more.
        while (queue_.size() > limits_.maxQueued) queue_.pop_front();
    }
    wake_.notify_one();
}

QImage PictureCache::take(const PictureKey& key, const Maker& maker) {
    std::unique_lock lock(mutex_);
    made_.wait(lock, [&] { return !beingMade(key); });
    if (auto it = entries_.find(key); it != entries_.end()) {
        touch(it->second);
        return it->second.image;
    }
    std::erase_if(queue_, [&](const Job& job) { return job.key == key; });
    making_.push_back(key);
    lock.unlock();
    QImage image = maker();
    lock.lock();
    ++madeCount_;
    std::erase(making_, key);
    store(key, image);
    made_.notify_all();
    return image;
}

void PictureCache::clear() {
    std::lock_guard lock(mutex_);
    queue_.clear();
    entries_.clear();
    usage_.clear();
    bytes_ = 0;
}

std::size_t PictureCache::entryCount() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::size_t PictureCache::byteCount() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

std::int64_t PictureCache::madeCount() const {
    std::lock_guard lock(mutex_);
    return madeCount_;
}

void PictureCache::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        Job job = std::move(queue_.front());
        queue_.pop_front();
        making_.push_back(job.key);
        lock.unlock();
        QImage image = job.maker();
        lock.lock();
        ++madeCount_;
        std::erase(making_, job.key);
        store(job.key, std::move(image));
        made_.notify_all();
    }
}

void PictureCache::store(const PictureKey& key, QImage image) {
    if (auto it = entries_.find(key); it != entries_.end()) {
        bytes_ -= static_cast<std::size_t>(it->second.image.sizeInBytes());
        usage_.erase(it->second.usage);
        entries_.erase(it);
    }
    bytes_ += static_cast<std::size_t>(image.sizeInBytes());
    usage_.push_front(key);
    entries_.emplace(key, Entry{std::move(image), usage_.begin()});
    evict();
}

void PictureCache::touch(Entry& entry) { usage_.splice(usage_.begin(), usage_, entry.usage); }

void PictureCache::evict() {
    while (entries_.size() > limits_.maxEntries ||
           (bytes_ > limits_.maxBytes && entries_.size() > limits_.minEntries)) {
        const PictureKey& oldest = usage_.back();
        auto it = entries_.find(oldest);
        bytes_ -= static_cast<std::size_t>(it->second.image.sizeInBytes());
        entries_.erase(it);
        usage_.pop_back();
    }
}

}  // namespace vistrel::pictures
