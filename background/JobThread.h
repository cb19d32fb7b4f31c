#pragma once
// The owner's side of a background job, whatever it computes: the thread its work runs
// on and the run they share. One run at a time; starting again lets go of the last.
// Letting go cancels the run, waits a bounded time for its work to end and hears nothing
// more of it: work that is still going then (a file on a hung network share) is left to
// end on its own, which is why a work owns whatever it uses.
#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "background/JobRun.h"

namespace vistrel::background {

class JobThread {
public:
    static constexpr std::chrono::milliseconds DefaultStopWait{5000};

    explicit JobThread(std::chrono::milliseconds stopWait = DefaultStopWait) : stopWait_(stopWait) {}
    ~JobThread() { letGo(); }
    JobThread(const JobThread&) = delete;
    JobThread& operator=(const JobThread&) = delete;

    // From start until its end has been delivered (or it was let go).
    bool running() const { return running_; }
    // Asks the work to stop; its end follows.
    void cancel() {
        if (run_) run_->cancel();
    }

protected:
    // Runs `work` on a thread of its own; it hands its end over as its last call.
    void launch(std::function<void(JobRun&)> work);
    // On the owner's thread, by the end's call.
    void markEnded() { running_ = false; }

private:
    void letGo();

    std::chrono::milliseconds stopWait_;
    QObject receiver_;  // on the owner's thread: where the work's calls are made
    std::shared_ptr<JobRun> run_;
    std::thread thread_;
    bool running_ = false;
};

}  // namespace vistrel::background
