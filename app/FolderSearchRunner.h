#pragma once
// Runs a search in folders in the background and hands what it finds to the window's
// thread as it comes: each hit at once, the counters a few times a second while the walk
// goes on and once more at its end, so the window stays responsive and the counters grow
// meanwhile. The walk stops when asked to, or when the runner goes.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "background/BackgroundJob.h"
#include "search/FolderSearch.h"

namespace vistrel {

class FolderSearchRunner {
public:
    struct Callbacks {
        // New hits in the order found, with the counters after the last of them.
        std::function<void(const std::vector<FolderHit>& hits, const FolderSearchCounters& counters)> progress;
        // The walk has ended (also when stopped); the final counters.
        std::function<void(const FolderSearchCounters& counters, bool stopped)> finished;
    };

    explicit FolderSearchRunner(Callbacks callbacks);

    void start(const std::string& startFolder, const std::string& termUtf8, bool matchCase);
    // Asks the walk to stop; `finished` follows once it has.
    void stop() { job_.cancel(); }
    bool running() const { return job_.running(); }

private:
    // What the walk reports: a hit, or only how far it has come.
    struct Step {
        std::optional<FolderHit> hit;
        FolderSearchCounters counters;
    };
    using Job = background::BackgroundJob<Step>;
    class Sink;

    void take(const Step& step);
    void end(bool stopped);

    Callbacks callbacks_;
    FolderSearchCounters counters_;  // the last the walk reported
    Job job_;
};

}  // namespace vistrel
