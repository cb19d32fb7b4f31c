#include "background/JobRun.h"

namespace vistrel::background {

void JobRun::handOver(std::function<void()> call) {
    std::lock_guard lock(mutex_);
    if (!receiver_) return;
    waiting_.push_back(std::move(call));
    if (!deliveryPosted_) postDelivery();
}

void JobRun::postDelivery() {
    // Under the lock: the owner cannot let go of the receiver meanwhile.
    deliveryPosted_ = true;
    QMetaObject::invokeMethod(receiver_, [self = shared_from_this()] { self->deliver(); }, Qt::QueuedConnection);
}

void JobRun::deliver() {
    std::size_t count = 0;
    {
        std::lock_guard lock(mutex_);
        deliveryPosted_ = false;
        count = waiting_.size();
    }
    for (; count > 0; --count) {
        std::function<void()> call;
        {
            std::lock_guard lock(mutex_);
            if (!receiver_ || waiting_.empty()) return;
            call = std::move(waiting_.front());
            waiting_.pop_front();
        }
        call();  // may let go of this run, or end its owner
    }
    std::lock_guard lock(mutex_);
    if (receiver_ && !waiting_.empty() && !deliveryPosted_) postDelivery();
}

void JobRun::markEnded() {
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
    }
    endChanged_.notify_all();
}

bool JobRun::waitForEnd(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return endChanged_.wait_for(lock, limit, [this] { return ended_; });
}

void JobRun::letGo() {
    std::lock_guard lock(mutex_);
    receiver_ = nullptr;
    waiting_.clear();
}

}  // namespace vistrel::background
