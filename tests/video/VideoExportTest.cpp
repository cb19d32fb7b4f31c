// A show made into a video, checked from outside as a viewer would: the file's length
// against the run's timeline, the colour in the middle of each timer and each dissolve,
// the pause held, the end at autoreverse, and the music's length and fade.
#include "video/VideoExport.h"

#include <gtest/gtest.h>

#include "media/MediaFailureText.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "model/ShowFile.h"
#include "platform/fake/RecordingPrompter.h"
#include "tests/media/VideoProbe.h"
#include "tests/video/VideoShowFixture.h"

namespace vistrel::video {
namespace {

using media::test::Rgb;
using test::ShowRow;
using test::VideoShowFixture;

const std::map<int, unsigned> Colours = {{1, 0xff0000}, {2, 0x00ff00}, {3, 0x0000ff}};

// Red comes up from dark over 1 s and stands 2 s; green dissolves in over 2 s and stands
// 2 s; blue dissolves in over 1 s and waits (a pause line); the autoreverse line fades
// blue to dark over 1 s and the video ends after its timer.
const std::vector<ShowRow> ThreeColours = {
    {1, 10, 20}, {2, 20, 20}, {3, 10, 0}, {1, 10, 10, 100},
};

struct Exported {
    ExportResult result;
    media::test::ProbedVideo probed;
};

std::vector<ProgramLine> readLines(const std::string& path) {
    auto doc = std::make_unique<CVistrelDoc>();
    RecordingPrompter prompter;
    EXPECT_TRUE(readShowFile(*doc, path, Settings{}, prompter)) << path;
    return {doc->lines.begin(), doc->lines.begin() + doc->lineCount};
}

Exported exportShow(const VideoShowFixture& show, VideoRequest request) {
    const std::atomic<bool> cancel{false};
    request.showPath = show.showFile();
    request.pictureFolder = show.pictures();
    Exported exported{exportVideo(readLines(show.showFile()), request, {}, cancel), {}};
    if (exported.result.outcome == ExportOutcome::Written) exported.probed = media::test::probeVideo(request.outputPath);
    return exported;
}

VideoRequest smallVideo(const std::string& out) {
    VideoRequest request;
    request.outputPath = out;
    request.size = {96, 54};
    request.fps = 10;
    request.pauseHoldMs = 1500;
    return request;
}

TEST(VideoExport, FramesFollowTheRunOfTheShow) {
    const VideoShowFixture show(ThreeColours, Colours);
    const Exported exported = exportShow(show, smallVideo(show.file("Testschau.mp4")));
    ASSERT_EQ(exported.result.outcome, ExportOutcome::Written) << media::mediaFailureText(exported.result.failure);
    const auto& frames = exported.probed.frameCentres;
    // 3 + 4 + 1 + 1.5 (the held pause) + 2 seconds at 10 frames a second.
    ASSERT_EQ(frames.size(), 115u);
    EXPECT_NEAR(exported.probed.video->seconds, 11.5, 0.1);
    struct Moment {
        const char* what;
        double seconds;
        Rgb colour;
    };
    const Moment moments[] = {
        {"red half way up from dark", 0.5, {128, 0, 0}},
        {"red during its timer", 2.0, {255, 0, 0}},
        {"red and green mixed half way through the dissolve", 4.0, {128, 128, 0}},
        {"green during its timer", 6.0, {0, 255, 0}},
        {"green and blue mixed half way", 7.5, {0, 128, 128}},
        {"blue held at the pause line", 8.7, {0, 0, 255}},
        {"blue going dark as the tray runs back", 10.0, {0, 0, 128}},
        {"dark until the end", 11.2, {0, 0, 0}},
    };
    for (const Moment& m : moments) {
        const auto k = static_cast<std::size_t>(m.seconds * 10 + 0.5);
        EXPECT_TRUE(frames[k].near(m.colour, 10)) << m.what << ": frame " << k << " is " << frames[k];
    }
}

TEST(VideoExport, LinesAndPauseHoldAsAsked) {
    const VideoShowFixture show(ThreeColours, Colours);
    struct Case {
        const char* what;
        int from, to;
        std::int64_t pauseHoldMs;
        std::size_t frames;
        Rgb first, last;
    };
    const Case cases[] = {
        {"from line 2: green comes up from dark", 2, 0, 1500, 85, {0, 0, 0}, {0, 0, 0}},
        {"up to line 2: ends on green", 1, 2, 1500, 70, {0, 0, 0}, {0, 255, 0}},
        {"line 3 alone, pause held 3 s", 3, 3, 3000, 40, {0, 0, 0}, {0, 0, 255}},
        {"pause not held at all: ends as blue comes up", 3, 3, 0, 10, {0, 0, 0}, {0, 0, 230}},
    };
    for (const Case& c : cases) {
        VideoRequest request = smallVideo(show.file("part.mkv"));
        request.fromLine = c.from;
        request.toLine = c.to;
        request.pauseHoldMs = c.pauseHoldMs;
        const Exported exported = exportShow(show, request);
        ASSERT_EQ(exported.result.outcome, ExportOutcome::Written) << c.what << ": " << media::mediaFailureText(exported.result.failure);
        const auto& frames = exported.probed.frameCentres;
        ASSERT_EQ(frames.size(), c.frames) << c.what;
        EXPECT_TRUE(frames.front().near(c.first, 10)) << c.what << ": first frame " << frames.front();
        EXPECT_TRUE(frames.back().near(c.last, 10)) << c.what << ": last frame " << frames.back();
    }
}

TEST(VideoExport, MusicIsCutWithAFadeOrPaddedWithSilence) {
    const VideoShowFixture show({{1, 10, 30}, {2, 10, 30}}, Colours);  // 8 seconds
    struct Case {
        const char* what;
        double musicSeconds;
        bool soundNearTheEnd;  // in the last half second
        bool fadedBeforeTheEnd;  // quieter a second before the end than in the middle
    };
    const Case cases[] = {
        {"longer music is cut and faded", 20, true, true},
        {"shorter music is followed by silence", 3, false, false},
    };
    for (const Case& c : cases) {
        const std::string music = show.file("musik.wav");
        media::test::writeWav(music, 44100, 2, static_cast<std::int64_t>(c.musicSeconds * 44100), 16000);
        VideoRequest request = smallVideo(show.file("musik.mp4"));
        request.musicPath = music;
        const Exported exported = exportShow(show, request);
        ASSERT_EQ(exported.result.outcome, ExportOutcome::Written) << media::mediaFailureText(exported.result.failure);
        ASSERT_TRUE(exported.probed.audio) << c.what;
        EXPECT_NEAR(exported.probed.audio->seconds, 8.0, 0.05) << c.what;
        const auto& levels = exported.probed.soundLevels;  // tenths of a second
        ASSERT_GE(levels.size(), 79u) << c.what;
        EXPECT_NEAR(levels[10], 16000.0 / 32768, 0.05) << c.what << ": full level early on";
        EXPECT_EQ(levels[76] > 0.01, c.soundNearTheEnd) << c.what << ": " << levels[76];
        if (c.fadedBeforeTheEnd) {
            EXPECT_NEAR(levels[70], 0.5 * 16000.0 / 32768, 0.05) << c.what;
        }
    }
}

// While the show waits at a pause line the music stands, as in the rehearsal, and goes
// on where it stopped: the music is quiet for its first 5 s and loud after, so a video
// that let the music run through the pause would turn loud 1.5 s early.
TEST(VideoExport, MusicStandsWhileAPauseIsHeld) {
    // Red 3 s; green comes up over 1 s and waits 1.5 s at its pause; blue 6 s.
    const VideoShowFixture show({{1, 10, 20}, {2, 10, 0}, {3, 10, 50}}, Colours);
    const std::string music = show.file("musik.wav");
    media::test::writeWavOf(music, 48000, 2, 48000 * 20,
                            [](std::int64_t i, int) { return static_cast<std::int16_t>(i < 48000 * 5 ? 8000 : 16000); });
    VideoRequest request = smallVideo(show.file("pause.mp4"));
    request.musicPath = music;
    const Exported exported = exportShow(show, request);
    ASSERT_EQ(exported.result.outcome, ExportOutcome::Written) << media::mediaFailureText(exported.result.failure);
    const auto& levels = exported.probed.soundLevels;  // tenths of a second
    ASSERT_GE(levels.size(), 114u);
    struct Moment {
        const char* what;
        double seconds;
        double level;
    };
    const Moment moments[] = {
        {"quiet music under red", 2.0, 8000.0 / 32768},
        {"silence while green waits", 4.7, 0.0},
        {"the quiet music goes on after the pause", 6.0, 8000.0 / 32768},
        {"loud from music time 5 s on", 7.5, 16000.0 / 32768},
    };
    for (const Moment& m : moments) {
        const auto k = static_cast<std::size_t>(m.seconds * 10 + 0.5);
        EXPECT_NEAR(levels[k], m.level, 0.03) << m.what << " at " << m.seconds << " s";
    }
}

TEST(VideoExport, TheSameShowGivesTheSameFrames) {
    const VideoShowFixture show(ThreeColours, Colours);
    const auto lines = readLines(show.showFile());
    const auto timeline = ShowTimeline::build(lines, 1);
    ShowFrames first(timeline, 1500, timeline.durationMs(1500), 10, {96, 54}, pictureDrawer(lines, show.pictures()));
    ShowFrames second(timeline, 1500, timeline.durationMs(1500), 10, {96, 54}, pictureDrawer(lines, show.pictures()));
    ASSERT_EQ(first.frameCount(), second.frameCount());
    for (std::int64_t k = 0; k < first.frameCount(); k += 7) EXPECT_EQ(first.draw(k), second.draw(k)) << "frame " << k;
    // Standing still: red's timer, the held pause; moving: a dissolve.
    EXPECT_TRUE(first.sameAsBefore(25));
    EXPECT_TRUE(first.sameAsBefore(88));
    EXPECT_FALSE(first.sameAsBefore(40));
}

}  // namespace
}  // namespace vistrel::video
