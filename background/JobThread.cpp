#include "background/JobThread.h"

namespace vistrel::background {

void JobThread::launch(std::function<void(JobRun&)> work) {
    letGo();
    run_ = std::make_shared<JobRun>(&receiver_);
    running_ = true;
    thread_ = std::thread([run = run_, work = std::move(work)] {
        work(*run);
        run->markEnded();
    });
}

void JobThread::letGo() {
    running_ = false;
    if (!run_) return;
    run_->cancel();
    run_->letGo();
    if (run_->waitForEnd(stopWait_)) {
        thread_.join();  // its work has returned: only the thread's own end is left
    } else {
        thread_.detach();
    }
    run_.reset();
}

}  // namespace vistrel::background
