#pragma once
// A bounded first-in first-out hand-over between the thread that draws frames and the
// thread that encodes them: the drawer waits while the queue is full, so memory stays
// the same over a show of any length. Closing wakes both sides.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

namespace vistrel::media {

template <typename Item>
class FrameQueue {
public:
    explicit FrameQueue(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

    // Waits for room; false when the queue was closed meanwhile (the item is dropped).
    bool push(Item item) {
        std::unique_lock lock(mutex_);
        roomOrClosed_.wait(lock, [this] { return closed_ || items_.size() < capacity_; });
        if (closed_) return false;
        items_.push_back(std::move(item));
        itemOrClosed_.notify_one();
        return true;
    }

    // Waits for an item; nothing once the queue is closed and empty.
    std::optional<Item> pop() {
        std::unique_lock lock(mutex_);
        itemOrClosed_.wait(lock, [this] { return closed_ || !items_.empty(); });
        if (items_.empty()) return std::nullopt;
        Item item = std::move(items_.front());
        items_.pop_front();
        roomOrClosed_.notify_one();
        return item;
    }

    // No more pushes; what is queued can still be popped.
    void close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        roomOrClosed_.notify_all();
        itemOrClosed_.notify_all();
    }

    // Closes and drops what is queued.
    void abandon() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        items_.clear();
        roomOrClosed_.notify_all();
        itemOrClosed_.notify_all();
    }

private:
    const std::size_t capacity_;
    std::mutex mutex_;
    std::condition_variable roomOrClosed_;
    std::condition_variable itemOrClosed_;
    std::deque<Item> items_;
    bool closed_ = false;
};

}  // namespace vistrel::media
