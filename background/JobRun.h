#pragma once
// One run of a background job: what the work's thread and the owner's thread share.
// Cancel is one atomic flag. What the work hands over waits here in order and reaches
// the owner's thread by one queued call at a time, which takes only what was waiting
// when it came: a busy work can neither flood the owner's event queue nor keep it from
// painting. The run lives until the later of the two lets go; once the owner has let
// go, nothing more is delivered.
#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace vistrel::background {

class JobRun : public std::enable_shared_from_this<JobRun> {
public:
    // The calls are made on the thread of `receiver`, which the owner keeps.
    explicit JobRun(QObject* receiver) : receiver_(receiver) {}

    bool cancelled() const { return cancel_.load(); }
    const std::atomic<bool>& cancelFlag() const { return cancel_; }
    void cancel() { cancel_.store(true); }

    // From the work's thread: `call` is made on the owner's thread after those handed
    // over before it, unless the owner has let go by then.
    void handOver(std::function<void()> call);
    // From the work's thread, as the last thing it does.
    void markEnded();

    // From the owner's thread: true once the work has ended, waiting at most `limit`.
    bool waitForEnd(std::chrono::milliseconds limit);
    // From the owner's thread: nothing more is delivered, and the receiver may go.
    void letGo();

private:
    void deliver();
    void postDelivery();  // with the lock held

    std::atomic<bool> cancel_{false};
    std::mutex mutex_;
    std::condition_variable endChanged_;
    QObject* receiver_;  // null once the owner has let go
    std::deque<std::function<void()>> waiting_;
    bool deliveryPosted_ = false;
    bool ended_ = false;
};

}  // namespace vistrel::background
