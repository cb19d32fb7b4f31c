#pragma once
// Work off the window thread, with progress and cancel: the one way this program runs
// long work (the video export, the search in folders, the decoding of pictures; the
// waveforms and thumbnails to come).
//
//   BackgroundJob<Step, Result> job({.progress = ..., .finished = ..., .cancelled = ...});
//   job.start([input](const auto& control) { ... control.report(step); ... return result; });
//
// The owner starts the job on its thread (the window's, or any thread with an event
// loop). The work runs on a thread of its own; every step it reports and then its end
// arrive on the owner's thread, in the order made, as queued calls: nothing there waits
// for the work, and nothing runs an event loop of its own. Cancel is one atomic flag the
// work reads between two steps (`cancelFlag()` for code that takes such a flag). Work
// that returns after a cancel delivers no result: `cancelled` comes instead, after the
// steps it reported. A cancel that comes after the work has returned is too late and
// the result arrives: a video written is said to be written. An owner that goes cancels
// its work, waits a bounded time for it and hears nothing more from it; so the work must
// own (capture by value) whatever it uses.
#include <functional>
#include <type_traits>
#include <utility>

#include "background/JobThread.h"

namespace vistrel::background {

// What receives a job's result: the result, or nothing for work that only reports.
template <typename Result>
struct ResultReceiverOf {
    using type = std::function<void(Result)>;
};
template <>
struct ResultReceiverOf<void> {
    using type = std::function<void()>;
};

template <typename Step, typename Result = void>
class BackgroundJob : public JobThread {
public:
    // What the work sees of its job, on the work's thread.
    class Control {
    public:
        Control(JobRun& run, BackgroundJob* owner) : run_(run), owner_(owner) {}
        bool cancelled() const { return run_.cancelled(); }
        const std::atomic<bool>& cancelFlag() const { return run_.cancelFlag(); }
        // Hands `step` to the owner's thread.
        void report(Step step) const {
            run_.handOver([owner = owner_, step = std::move(step)] {
                if (owner->receivers_.progress) owner->receivers_.progress(step);
            });
        }

    private:
        JobRun& run_;
        BackgroundJob* owner_;  // used on the owner's thread only
    };

    using Work = std::function<Result(const Control&)>;
    using ResultReceiver = typename ResultReceiverOf<Result>::type;

    // Each runs on the owner's thread; any may be left empty.
    struct Receivers {
        std::function<void(const Step&)> progress;
        ResultReceiver finished;          // the work's result, when it was not cancelled
        std::function<void()> cancelled;  // the work has stopped after a cancel
    };

    explicit BackgroundJob(Receivers receivers, std::chrono::milliseconds stopWait = DefaultStopWait)
        : JobThread(stopWait), receivers_(std::move(receivers)) {}

    // Starts `work`; a run still going is cancelled first and heard of no more.
    void start(Work work) {
        launch([this, work = std::move(work)](JobRun& run) {
            const Control control(run, this);
            if constexpr (std::is_void_v<Result>) {
                work(control);
                run.handOver([this, stopped = run.cancelled()] { end(stopped); });
            } else {
                Result result = work(control);
                run.handOver([this, stopped = run.cancelled(), result = std::move(result)]() mutable {
                    end(stopped, std::move(result));
                });
            }
        });
    }

private:
    template <typename... Value>
    void end(bool stopped, Value&&... result) {
        markEnded();
        if (stopped) {
            if (receivers_.cancelled) receivers_.cancelled();
        } else if (receivers_.finished) {
            receivers_.finished(std::forward<Value>(result)...);
        }
    }

    Receivers receivers_;
};

}  // namespace vistrel::background
