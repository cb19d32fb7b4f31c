// The progress of an export as the window and the terminal show it: the line and the
// time left, in minutes and seconds or hours.
#include <gtest/gtest.h>

#include "video/ExportProgress.h"

namespace vistrel::video {
namespace {

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
