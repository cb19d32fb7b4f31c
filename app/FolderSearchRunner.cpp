#include "app/FolderSearchRunner.h"

namespace vistrel {

// Runs on the worker thread: keeps what the walk reports until the window takes it.
class FolderSearchRunner::Sink final : public FolderSearchSink {
public:
    explicit Sink(FolderSearchRunner& runner) : runner_(runner) {}
    void fileExamined(const FolderSearchCounters& counters) override {
        std::lock_guard lock(runner_.mutex_);
        runner_.counters_ = counters;
        runner_.countersChanged_ = true;
    }
    void found(const FolderHit& hit, const FolderSearchCounters& counters) override {
        std::lock_guard lock(runner_.mutex_);
        runner_.pending_.push_back(hit);
        runner_.counters_ = counters;
        runner_.countersChanged_ = true;
    }

private:
    FolderSearchRunner& runner_;
};

FolderSearchRunner::FolderSearchRunner(Callbacks callbacks, QObject* parent)
    : QObject(parent), callbacks_(std::move(callbacks)) {
    poll_.setInterval(50);
    connect(&poll_, &QTimer::timeout, this, &FolderSearchRunner::takeOver);
}

FolderSearchRunner::~FolderSearchRunner() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void FolderSearchRunner::start(const std::string& startFolder, const std::string& termUtf8, bool matchCase) {
    if (worker_.joinable()) {
        cancel_ = true;
        worker_.join();
    }
    cancel_ = false;
    done_ = false;
    running_ = true;
    {
        std::lock_guard lock(mutex_);
        pending_.clear();
        counters_ = {};
        countersChanged_ = true;
    }
    worker_ = std::thread([this, startFolder, termUtf8, matchCase] {
        FolderSearch search(termUtf8, matchCase);
        Sink sink(*this);
        search.run(startFolder, sink, &cancel_);
        {
            std::lock_guard lock(mutex_);
            counters_ = search.counters();
            countersChanged_ = true;
        }
        done_ = true;
    });
    poll_.start();
}

void FolderSearchRunner::stop() { cancel_ = true; }

void FolderSearchRunner::takeOver() {
    // Read before the hits are taken: what came before the end is then taken too.
    const bool ended = done_;
    std::vector<FolderHit> hits;
    FolderSearchCounters counters;
    bool changed = false;
    {
        std::lock_guard lock(mutex_);
        hits.swap(pending_);
        counters = counters_;
        changed = countersChanged_;
        countersChanged_ = false;
    }
    if ((changed || !hits.empty()) && callbacks_.progress) callbacks_.progress(hits, counters);
    if (!ended) return;
    poll_.stop();
    worker_.join();
    running_ = false;
    if (callbacks_.finished) callbacks_.finished(counters, cancel_);
}

}  // namespace vistrel
