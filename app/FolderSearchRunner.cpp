#include "app/FolderSearchRunner.h"

#include <chrono>

namespace vistrel {

namespace {

// Often enough to watch the counters grow, seldom enough to leave the window its time.
constexpr std::chrono::milliseconds CounterInterval{50};

}  // namespace

// Runs on the walk's thread: hands each hit over, the counters only now and then.
class FolderSearchRunner::Sink final : public FolderSearchSink {
public:
    explicit Sink(const Job::Control& control) : control_(control) {}
    void fileExamined(const FolderSearchCounters& counters) override {
        const auto now = std::chrono::steady_clock::now();
        if (now < nextCounters_) return;
        nextCounters_ = now + CounterInterval;
        control_.report({std::nullopt, counters});
    }
    void found(const FolderHit& hit, const FolderSearchCounters& counters) override {
        control_.report({hit, counters});
    }

private:
    const Job::Control& control_;
    std::chrono::steady_clock::time_point nextCounters_;
};

FolderSearchRunner::FolderSearchRunner(Callbacks callbacks)
    : callbacks_(std::move(callbacks)),
      job_({[this](const Step& step) { take(step); }, [this] { end(false); }, [this] { end(true); }}) {}

void FolderSearchRunner::start(const std::string& startFolder, const std::string& termUtf8, bool matchCase) {
    counters_ = {};
    job_.start([startFolder, termUtf8, matchCase](const Job::Control& control) {
        FolderSearch search(termUtf8, matchCase);
        Sink sink(control);
        search.run(startFolder, sink, &control.cancelFlag());
        control.report({std::nullopt, search.counters()});  // the final ones
    });
}

void FolderSearchRunner::take(const Step& step) {
    counters_ = step.counters;
    if (!callbacks_.progress) return;
    std::vector<FolderHit> hits;
    if (step.hit) hits.push_back(*step.hit);
    callbacks_.progress(hits, counters_);
}

void FolderSearchRunner::end(bool stopped) {
    if (callbacks_.finished) callbacks_.finished(counters_, stopped);
}

}  // namespace vistrel
