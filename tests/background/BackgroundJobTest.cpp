// Background work as its owners meet it: the steps in the order made and the result on
// the owner's thread while that thread stays free, no result after a cancel, and an
// owner that goes while its work runs neither waits for ever nor hears from it again.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "background/BackgroundJob.h"

namespace vistrel::background {
namespace {

using namespace std::chrono_literals;
using Job = BackgroundJob<int, std::string>;

// Waits on the work's side, bounded, until `flag` is set.
void awaitFlag(const std::atomic<bool>& flag) {
    for (int i = 0; i < 10'000 && !flag; ++i) std::this_thread::sleep_for(1ms);
}

// What reached the owner, and on which thread.
struct Heard {
    std::vector<int> steps;
    std::vector<std::string> results;
    int cancelled = 0;
    bool allOnOwnersThread = true;

    Job::Receivers receivers() {
        auto here = [this] { allOnOwnersThread = allOnOwnersThread && QThread::currentThread() == qApp->thread(); };
        return {[this, here](const int& step) { here(), steps.push_back(step); },
                [this, here](std::string result) { here(), results.push_back(std::move(result)); },
                [this, here] { here(), ++cancelled; }};
    }
};

TEST(BackgroundJob, StepsInOrderAndTheResultArriveOnTheOwnersThreadWhichStaysFree) {
    Heard heard;
    Job job(heard.receivers());
    auto ownerTicked = std::make_shared<std::atomic<bool>>(false);
    QTimer::singleShot(10, [ownerTicked] { *ownerTicked = true; });
    std::atomic<bool> workOnOwnersThread = true;
    job.start([ownerTicked, &workOnOwnersThread](const Job::Control& control) {
        workOnOwnersThread = QThread::currentThread() == qApp->thread();
        for (int step : {3, 1, 4, 1, 5}) control.report(step);
        awaitFlag(*ownerTicked);  // the owner's timer fires while the work runs
        return std::string(*ownerTicked ? "fertig" : "Besitzer blockiert");
    });
    EXPECT_TRUE(job.running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !job.running(); }, 10'000));
    EXPECT_FALSE(workOnOwnersThread);
    EXPECT_EQ(heard.steps, (std::vector<int>{3, 1, 4, 1, 5}));
    EXPECT_EQ(heard.results, std::vector<std::string>{"fertig"});
    EXPECT_EQ(heard.cancelled, 0);
    EXPECT_TRUE(heard.allOnOwnersThread);
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
        auto begin = std::make_shared<std::atomic<bool>>(c.when != When::BeforeTheWorkBegan);
        // Gone with the work's closure, once its end has been handed over.
        auto token = std::make_shared<int>(0);
        const std::weak_ptr<int> workGone = token;
        const bool endless = c.when == When::WhileItRuns;
        job.start([begin, endless, token = std::move(token)](const Job::Control& control) {
            awaitFlag(*begin);
            if (control.cancelled()) return std::string("nicht angefangen");
            control.report(1);
            for (int step = 2; endless && !control.cancelled(); ++step) {
                if (step == 2) control.report(step);
                std::this_thread::sleep_for(1ms);
            }
            return std::string("Ergebnis");
        });
        switch (c.when) {
            case When::BeforeTheWorkBegan:
                job.cancel();
                *begin = true;
                break;
            case When::WhileItRuns:
                ASSERT_TRUE(QTest::qWaitFor([&] { return heard.steps.size() == 2; }, 10'000));
                job.cancel();
                break;
            case When::AfterItReturned:
                for (int i = 0; i < 10'000 && !workGone.expired(); ++i) std::this_thread::sleep_for(1ms);
                job.cancel();
                break;
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !job.running(); }, 10'000));
        EXPECT_EQ(heard.steps, c.steps);
        EXPECT_EQ(heard.results, c.results);
        EXPECT_EQ(heard.cancelled, c.cancelled);
    }
}

TEST(BackgroundJob, AnOwnerThatGoesWhileItsWorkRunsNeitherHangsNorHearsFromItAgain) {
    const struct {
        const char* what;
        bool workAsksForCancel;
        bool workEndedWhenOwnerWent;
    } cases[] = {
        {"work that stops when asked has ended when its owner is gone", true, true},
        {"work that does not ask in time is left to end on its own", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Heard heard;
        auto release = std::make_shared<std::atomic<bool>>(false);  // set by the test only after the owner went
        auto ended = std::make_shared<std::atomic<bool>>(false);
        // An owner that waited for its work without bound would be freed only by this.
        std::thread watchdog([release] { awaitFlag(*release), *release = true; });
        {
            Job job(heard.receivers(), 50ms);
            const bool asks = c.workAsksForCancel;
            job.start([release, ended, asks](const Job::Control& control) {
                control.report(1);
                while (!(asks ? control.cancelled() : release->load())) std::this_thread::sleep_for(1ms);
                control.report(2);
                *ended = true;
                return std::string("zu spät");
            });
            ASSERT_TRUE(QTest::qWaitFor([&] { return !heard.steps.empty(); }, 10'000));
        }
        EXPECT_EQ(ended->load(), c.workEndedWhenOwnerWent);
        *release = true;
        watchdog.join();
        awaitFlag(*ended);
        ASSERT_TRUE(ended->load());
        QTest::qWait(20);  // whatever the work handed over would be delivered by now
        EXPECT_EQ(heard.steps, std::vector<int>{1});
        EXPECT_EQ(heard.results, std::vector<std::string>{});
        EXPECT_EQ(heard.cancelled, 0);
    }
}

TEST(BackgroundJob, StartingAgainLetsGoOfTheRunBefore) {
    Heard heard;
    Job job(heard.receivers());
    job.start([](const Job::Control& control) {
        while (!control.cancelled()) {
            control.report(1);
            std::this_thread::sleep_for(1ms);
        }
        return std::string("erster Lauf");
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !heard.steps.empty(); }, 10'000));
    heard.steps.clear();
    job.start([](const Job::Control& control) {
        control.report(2);
        return std::string("zweiter Lauf");
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !job.running(); }, 10'000));
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
