#pragma once
// Runs a search in folders on a thread of its own and hands what it finds to the
// window's thread as it comes: a timer there takes the new hits and the counters a few
// times a second, so the window stays responsive and the counters grow while the walk
// goes on. The walk stops when asked to, or when the runner goes.
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "search/FolderSearch.h"

namespace vistrel {

class FolderSearchRunner : public QObject {
    Q_OBJECT

public:
    struct Callbacks {
        // New hits in the order found, with the counters after the last of them.
        std::function<void(const std::vector<FolderHit>& hits, const FolderSearchCounters& counters)> progress;
        // The walk has ended (also when stopped); the final counters.
        std::function<void(const FolderSearchCounters& counters, bool stopped)> finished;
    };

    explicit FolderSearchRunner(Callbacks callbacks, QObject* parent = nullptr);
    ~FolderSearchRunner() override;

    void start(const std::string& startFolder, const std::string& termUtf8, bool matchCase);
    // Asks the walk to stop; `finished` follows once it has.
    void stop();
    bool running() const { return running_; }

private:
    class Sink;
    void takeOver();

    Callbacks callbacks_;
    QTimer poll_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    bool running_ = false;

    std::mutex mutex_;  // guards the three below
    std::vector<FolderHit> pending_;
    FolderSearchCounters counters_;
    bool countersChanged_ = false;
};

}  // namespace vistrel
