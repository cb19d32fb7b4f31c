// The values a user types for a video: sizes, seconds, and the progress text that
// comes back.
#include <gtest/gtest.h>

#include "video/ExportProgress.h"
#include "video/VideoRequest.h"

namespace vistrel::video {
namespace {

TEST(VideoRequest, SizesAndSecondsAsTyped) {
    struct SizeCase {
        const char* text;
        QSize size;  // invalid: refused
    };
    const SizeCase sizes[] = {
        {"1280x720", {1280, 720}}, {"1920X1080", {1920, 1080}}, {"640\u00d7360", {640, 360}},
        {"1281x721", {1281, 721}}, {"1280", {}}, {"x720", {}}, {"1280x", {}}, {"12a0x720", {}}, {"", {}},
    };
    for (const auto& c : sizes) EXPECT_EQ(parseVideoSize(c.text).value_or(QSize()), c.size) << c.text;
    EXPECT_EQ(evenVideoSize({1281, 721}), QSize(1282, 722));
    EXPECT_EQ(evenVideoSize({1280, 720}), QSize(1280, 720));

    struct SecondsCase {
        const char* text;
        std::int64_t ms;  // -1: refused
    };
    const SecondsCase seconds[] = {
        {"5", 5000}, {"0", 0}, {"2.5", 2500}, {"2,5", 2500}, {"0.1", 100}, {"3600", 3600000},
        {"-1", -1}, {"-0.5", -1}, {"2.55", -1}, {"2.", -1}, {".5", -1}, {"fünf", -1}, {"", -1}, {"+5", -1},
    };
    for (const auto& c : seconds) EXPECT_EQ(parseSecondsAsMs(c.text).value_or(-1), c.ms) << c.text;
}

TEST(ExportProgress, LineAndTimeLeft) {
    struct Case {
        int line, lines, secondsLeft;
        const char* text;
    };
    const Case cases[] = {
        {1, 20, -1, "Zeile 1 von 20"},
        {3, 20, 65, "Zeile 3 von 20, noch 1:05"},
        {19, 20, 0, "Zeile 19 von 20, noch 0:00"},
        {500, 999, 3725, "Zeile 500 von 999, noch 1:02:05"},
    };
    for (const auto& c : cases) {
        ExportProgress progress;
        progress.line = c.line;
        progress.lines = c.lines;
        progress.secondsLeft = c.secondsLeft;
        EXPECT_EQ(progress.text(), c.text);
    }
}

}  // namespace
}  // namespace vistrel::video
