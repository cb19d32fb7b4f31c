// The demo show the build writes, read back as "Öffnen" reads it: a newcomer's first
// show must load, show every effect the projector has, end in autoreverse and find a
// picture for each of its slides without being told where they are.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "media/Waveform.h"
#include "model/CVistrelDoc.h"
#include "model/PictureFolder.h"
#include "model/Settings.h"
#include "model/ShowFile.h"
#include "model/SpecialFunction.h"
#include "platform/fake/RecordingPrompter.h"

namespace vistrel {
namespace {

TEST(DemoShow, ShowsEveryEffectAndFindsItsPictures) {
    auto doc = std::make_unique<CVistrelDoc>();
    RecordingPrompter prompter;
    ASSERT_TRUE(readShowFile(*doc, VISTREL_DEMO_SHOW, Settings{}, prompter));
    ASSERT_GE(doc->lineCount, 15);
    ASSERT_LE(doc->lineCount, 25);

    std::set<int> lights;
    std::set<int> mechanicals;
    bool pauseLine = false;
    for (int i = 0; i < doc->lineCount; ++i) {
        const ProgramLine& line = doc->lines[static_cast<std::size_t>(i)];
        const SpecialFunctionParts parts = splitSpecialFunction(line.specialFunction);
        lights.insert(parts.light);
        mechanicals.insert(parts.mechanical);
        pauseLine = pauseLine || line.timerTime == 0;
        EXPECT_FALSE(line.description.view().empty()) << "line " << i + 1;
    }
    EXPECT_EQ(lights, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(pauseLine);
    EXPECT_TRUE(mechanicals.contains(2) || mechanicals.contains(4)) << "a slave trigger";
    EXPECT_EQ(doc->lines[static_cast<std::size_t>(doc->lineCount - 1)].specialFunction / 100, 1) << "autoreverse last";

    const PictureFolder pictures = PictureFolder::scan(defaultPictureFolder(VISTREL_DEMO_SHOW));
    for (int i = 0; i < doc->lineCount; ++i) {
        const int slide = doc->lines[static_cast<std::size_t>(i)].slideNumber;
        EXPECT_TRUE(pictures.pictureOf(slide).has_value()) << "slide " << slide;
    }
}

// The music beside the show: two minutes at 96 beats a minute, each beat plainly
// louder than the middle between two beats, so that the timeline shows where to tap.
TEST(DemoShow, ItsMusicHasBeatsToTapTo) {
    std::string music = VISTREL_DEMO_SHOW;
    music.replace(music.size() - 4, 4, ".ogg");
    // A quarter of a beat (0.15625 s) per slice: every fourth slice begins with a beat.
    const media::WaveformResult result = media::readWaveform(music, 768);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.waveform.durationMs(), 120000);
    const std::vector<std::int32_t>& peaks = result.waveform.peaks;
    // Past the fade-in, short of the fade-out.
    for (std::size_t beat = 2; beat < 185; ++beat) {
        EXPECT_GT(peaks[4 * beat], peaks[4 * beat + 2] + 100000) << "beat " << beat;
        EXPECT_LE(peaks[4 * beat], 1000000);
    }
}

}  // namespace
}  // namespace vistrel
