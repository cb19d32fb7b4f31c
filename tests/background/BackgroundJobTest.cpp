// Background work as its owners meet it: the steps in the order made and the result on
// the owner's thread while that thread stays free, no result from work a cancel stopped,
// and an owner that goes or starts again neither waits for ever nor hears from the run.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "background/BackgroundJob.h"

namespace vistrel::background {
namespace {

using namespace std::chrono_literals;
using Job = BackgroundJob<int, std::string>;
using Flag = std::shared_ptr<std::atomic<bool>>;
Flag newFlag() { return std::make_shared<std::atomic<bool>>(false); }

// Each side waits, bounded, until `done` says so.
template <typename Done>
void awaitOnWork(Done done) {
    for (int i = 0; i < 10'000 && !done(); ++i) std::this_thread::sleep_for(1ms);
}
bool awaitOnOwner(const std::function<bool()>& done) { return QTest::qWaitFor(done, 10'000); }

// What reached the owner, and whether all of it on the owner's thread.
struct Heard {
    std::vector<int> steps;
    std::vector<std::string> results;
    int cancelled = 0;
    bool onOwnersThread = true;

    Job::Receivers receivers() {
        auto here = [this] { onOwnersThread = onOwnersThread && QThread::currentThread() == qApp->thread(); };
        return {[this, here](const int& step) { here(), steps.push_back(step); },
                [this, here](std::string result) { here(), results.push_back(std::move(result)); },
                [this, here] { here(), ++cancelled; }};
    }
};

TEST(BackgroundJob, StepsInOrderAndTheResultArriveOnTheOwnersThreadWhichStaysFree) {
    Heard heard;
    Job job(heard.receivers());
    Flag ownerTicked = newFlag();
    QTimer::singleShot(10, [ownerTicked] { *ownerTicked = true; });
    job.start([ownerTicked](const Job::Control& control) {
        for (int step : {3, 1, 4, 1, 5}) control.report(step);
        awaitOnWork([&] { return ownerTicked->load(); });  // the owner's timer fires meanwhile
        if (QThread::currentThread() == qApp->thread()) return std::string("im Thread des Besitzers");
        return std::string(*ownerTicked ? "fertig" : "Besitzer blockiert");
    });
    ASSERT_TRUE(awaitOnOwner([&] { return !job.running(); }));
    EXPECT_EQ(heard.steps, (std::vector<int>{3, 1, 4, 1, 5}));
    EXPECT_EQ(heard.results, std::vector<std::string>{"fertig"});
    EXPECT_EQ(heard.cancelled, 0);
    EXPECT_TRUE(heard.onOwnersThread);
}

TEST(BackgroundJob, WorkThatStopsForACancelDeliversTheStepsItMadeButNoResult) {
    enum class When { BeforeTheWorkBegan, WhileItRuns, AfterItReturned };
    const struct {
        const char* what;
        When when;
        std::vector<int> steps;
        std::vector<std::string> results;
        int cancelled;
    } cases[] = {
        {"cancelled before the work began", When::BeforeTheWorkBegan, {}, {}, 1},
        {"cancelled while it runs: it stops at the next step", When::WhileItRuns, {1, 2}, {}, 1},
        {"cancelled after it returned: too late, what it made arrives", When::AfterItReturned, {1}, {"Ergebnis"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Heard heard;
        Job job(heard.receivers());
        Flag begin = newFlag();
        *begin = c.when != When::BeforeTheWorkBegan;
        auto token = std::make_shared<int>(0);  // goes with the work, after its end was handed over
        const std::weak_ptr<int> workGone = token;
        const bool endless = c.when == When::WhileItRuns;
        job.start([begin, endless, token = std::move(token)](const Job::Control& control) {
            awaitOnWork([&] { return begin->load(); });
            if (control.cancelled()) return std::string("nicht angefangen");
            control.report(1);
            if (endless) control.report(2);
            while (endless && !control.cancelled()) std::this_thread::sleep_for(1ms);
            return std::string("Ergebnis");
        });
        if (c.when == When::BeforeTheWorkBegan) job.cancel(), *begin = true;
        if (c.when == When::WhileItRuns) {
            ASSERT_TRUE(awaitOnOwner([&] { return heard.steps.size() == 2; }));
        }
        if (c.when == When::AfterItReturned) awaitOnWork([&] { return workGone.expired(); });
        job.cancel();
        ASSERT_TRUE(awaitOnOwner([&] { return !job.running(); }));
        EXPECT_EQ(heard.steps, c.steps);
        EXPECT_EQ(heard.results, c.results);
        EXPECT_EQ(heard.cancelled, c.cancelled);
    }
}

TEST(BackgroundJob, AnOwnerThatGoesWhileItsWorkRunsNeitherHangsNorHearsFromItAgain) {
    const struct {
        const char* what;
        bool workAsksForCancel;
        bool endedWhenOwnerWent;
    } cases[] = {
        {"work that stops when asked has ended when its owner is gone", true, true},
        {"work that does not ask in time is left to end on its own", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Heard heard;
        Flag release = newFlag();  // set only after the owner went
        Flag ended = newFlag();
        // An owner that waited for its work without bound would be freed only by this.
        std::thread watchdog([release] { awaitOnWork([&] { return release->load(); }), *release = true; });
        {
            Job job(heard.receivers(), 50ms);
            job.start([release, ended, asks = c.workAsksForCancel](const Job::Control& control) {
                control.report(1);
                while (!(asks ? control.cancelled() : release->load())) std::this_thread::sleep_for(1ms);
                control.report(2);
                *ended = true;
                return std::string("zu spät");
            });
            ASSERT_TRUE(awaitOnOwner([&] { return !heard.steps.empty(); }));
        }
        EXPECT_EQ(ended->load(), c.endedWhenOwnerWent);
        *release = true;
        watchdog.join();
        awaitOnWork([&] { return ended->load(); });
        QTest::qWait(20);  // whatever the work handed over would have arrived by now
        EXPECT_EQ(heard.steps, std::vector<int>{1});
        EXPECT_EQ(heard.results, std::vector<std::string>{});
        EXPECT_EQ(heard.cancelled, 0);
    }
}

TEST(BackgroundJob, StartingAgainLetsGoOfTheRunBefore) {
    Heard heard;
    Job job(heard.receivers());
    job.start([](const Job::Control& control) {
        for (; !control.cancelled(); std::this_thread::sleep_for(1ms)) control.report(1);
        return std::string("erster Lauf");
    });
    ASSERT_TRUE(awaitOnOwner([&] { return !heard.steps.empty(); }));
    heard.steps.clear();
    job.start([](const Job::Control& control) { return control.report(2), std::string("zweiter Lauf"); });
    ASSERT_TRUE(awaitOnOwner([&] { return !job.running(); }));
    EXPECT_EQ(heard.steps, std::vector<int>{2});
    EXPECT_EQ(heard.results, std::vector<std::string>{"zweiter Lauf"});
    EXPECT_EQ(heard.cancelled, 0);
}

}  // namespace
}  // namespace vistrel::background

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
