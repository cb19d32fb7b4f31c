// The picture store: what it keeps stays within its bounds, each picture is made once
// per size, a window's request is made on the store's thread and announced on the
// window's, and a renderer that takes a picture never gets it made twice.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

#include "pictures/PictureCache.h"

namespace vistrel::pictures {
namespace {

using namespace std::chrono_literals;

// A maker that counts its calls and makes a flat picture of `size`.
struct CountingMaker {
    std::atomic<int>* calls;
    QSize size;
    QImage operator()() const {
        ++*calls;
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::gray);
        return image;
    }
};

PictureKey key(int n, QSize size = {100, 100}) { return {QString("/bilder/%1.jpg").arg(n), size}; }

// Waits (bounded) until the store holds `k`.
std::optional<QImage> waitFor(PictureCache& cache, const PictureKey& k) {
    for (int i = 0; i < 2000; ++i) {
        if (auto found = cache.find(k)) return found;
        std::this_thread::sleep_for(1ms);
    }
    return std::nullopt;
}

TEST(PictureCache, StaysWithinItsBounds) {
    const struct {
        const char* what;
        PictureCache::Limits limits;
        QSize size;
        int pictures;
        std::size_t entriesAfter;
    } cases[] = {
        // 100 x 100 x 4 bytes = 40,000 bytes each.
        {"the entry limit", {10'000'000, 2, 4, 24}, {100, 100}, 12, 4},
        {"the byte budget", {100'000, 1, 16, 24}, {100, 100}, 12, 2},
        {"the byte budget never below the few a frame needs", {1000, 3, 16, 24}, {100, 100}, 12, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PictureCache cache(c.limits);
        std::atomic<int> calls = 0;
        for (int n = 0; n < c.pictures; ++n) cache.take(key(n, c.size), CountingMaker{&calls, c.size});
        EXPECT_EQ(calls, c.pictures);
        EXPECT_EQ(cache.entryCount(), c.entriesAfter);
        EXPECT_EQ(cache.byteCount(), c.entriesAfter * 40'000u);
        // The most recent are the ones kept.
        EXPECT_TRUE(cache.find(key(c.pictures - 1, c.size)).has_value());
        EXPECT_FALSE(cache.find(key(0, c.size)).has_value());
    }
}

TEST(PictureCache, ARequestIsMadeOnTheStoresThreadAndFoundLater) {
    PictureCache cache;
    std::atomic<int> calls = 0;
    std::thread::id madeOn;
    const std::thread::id caller = std::this_thread::get_id();
    EXPECT_FALSE(cache.find(key(7)).has_value()) << "nothing is made while a window only looks";
    cache.request(key(7), [&] {
        madeOn = std::this_thread::get_id();
        return CountingMaker{&calls, {100, 100}}();
    });
    cache.request(key(7), CountingMaker{&calls, {100, 100}});  // asked again on the next frame
    const auto found = waitFor(cache, key(7));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->size(), QSize(100, 100));
    EXPECT_NE(madeOn, caller);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(cache.take(key(7), CountingMaker{&calls, {100, 100}}).cacheKey(), found->cacheKey()) << "made once";
    cache.take(key(7, {200, 200}), CountingMaker{&calls, {200, 200}});
    EXPECT_EQ(calls, 2) << "another size is another picture";
}

TEST(PictureCache, WhatTheThreadMadeIsAnnouncedOnTheWindowsThreadInTheOrderMade) {
    PictureCache cache;
    std::vector<QString> announced;
    bool onWindowsThread = true;
    cache.whenArrived([&](const PictureKey& k) {
        onWindowsThread = onWindowsThread && QThread::currentThread() == qApp->thread();
        if (cache.find(k)) announced.push_back(QString("%1 %2x%3").arg(k.source).arg(k.size.width()).arg(k.size.height()));
    });
    std::atomic<int> calls = 0;
    cache.request(key(1), CountingMaker{&calls, {100, 100}});
    cache.request(key(2, {50, 40}), CountingMaker{&calls, {50, 40}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return announced.size() == 2; }, 10'000));
    EXPECT_EQ(announced, (std::vector<QString>{"/bilder/1.jpg 100x100", "/bilder/2.jpg 50x40"}));
    EXPECT_TRUE(onWindowsThread);
}

TEST(PictureCache, TakingWhatTheThreadIsMakingWaitsForItInsteadOfMakingItTwice) {
    PictureCache cache;
    std::atomic<int> calls = 0;
    std::atomic<bool> started = false;
    cache.request(key(3), [&] {
        started = true;
        std::this_thread::sleep_for(50ms);
        return CountingMaker{&calls, {100, 100}}();
    });
    while (!started) std::this_thread::sleep_for(1ms);
    const QImage taken = cache.take(key(3), CountingMaker{&calls, {100, 100}});
    EXPECT_EQ(taken.size(), QSize(100, 100));
    EXPECT_EQ(calls, 1);
}

TEST(PictureCache, APictureThatCouldNotBeMadeIsRememberedAsNull) {
    PictureCache cache;
    std::atomic<int> calls = 0;
    auto failing = [&] {
        ++calls;
        return QImage();
    };
    EXPECT_TRUE(cache.take(key(9), failing).isNull());
    const auto found = cache.find(key(9));
    ASSERT_TRUE(found.has_value()) << "known to be unreadable";
    EXPECT_TRUE(found->isNull());
    cache.request(key(9), failing);
    EXPECT_EQ(calls, 1) << "a missing file is not looked for on every frame";

    cache.clear();
    EXPECT_FALSE(cache.find(key(9)).has_value()) << "after the folder changed it is looked for again";
}

}  // namespace
}  // namespace vistrel::pictures
