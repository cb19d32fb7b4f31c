// The music under a video: cut with a fade where it goes on past the end, followed by
// silence where it ends first, and exactly as long as the video in either case.
#include "media/Soundtrack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vistrel::media {
namespace {

constexpr std::int64_t Rate = 48000;

// Music of a constant level, as a file of one long chord would decode.
class ConstantMusic : public PcmSource {
public:
    ConstantMusic(std::int64_t frames, float level) : left_(frames), level_(level) {}
    int read(float* samples, int frames) override {
        const int count = static_cast<int>(std::min<std::int64_t>(frames, left_));
        std::fill_n(samples, count * 2, level_);
        left_ -= count;
        return count;
    }

private:
    std::int64_t left_;
    float level_;
};

TEST(Soundtrack, CutFadeAndPad) {
    struct Case {
        const char* what;
        double musicSeconds;  // < 0: no music at all
        double videoSeconds;
        double at;            // seconds into the video
        float level;          // expected sample value there (music level 0.5)
    };
    const Case cases[] = {
        {"longer music plays unchanged before the fade", 10, 6, 1.0, 0.5f},
        {"the fade starts two seconds before the end", 10, 6, 4.0, 0.5f},
        {"half way through the fade", 10, 6, 5.0, 0.25f},
        {"three quarters through the fade", 10, 6, 5.5, 0.125f},
        {"shorter music plays unchanged", 3, 6, 2.9, 0.5f},
        {"silence after shorter music", 3, 6, 3.0, 0.0f},
        {"no fade when the music ends just before the video", 5.5, 6, 5.2, 0.5f},
        {"no fade when both end together", 6, 6, 5.5, 0.5f},
        {"a video shorter than the fade fades all along", 10, 1, 0.5, 0.25f},
        {"a video shorter than the fade starts at full level", 10, 1, 0.0, 0.5f},
        {"without music the track is silent", -1, 4, 1.0, 0.0f},
    };
    for (const auto& c : cases) {
        const auto videoFrames = static_cast<std::int64_t>(c.videoSeconds * Rate);
        ConstantMusic music(static_cast<std::int64_t>(c.musicSeconds * Rate), 0.5f);
        Soundtrack track(c.musicSeconds < 0 ? nullptr : &music, videoFrames);
        std::vector<float> all;
        // Odd pieces, as the frames of a 25 fps video ask for them, and one piece too many.
        while (true) {
            const auto piece = track.next(1921);
            if (piece.empty()) break;
            all.insert(all.end(), piece.begin(), piece.end());
        }
        ASSERT_EQ(all.size(), static_cast<std::size_t>(videoFrames * 2)) << c.what;
        const auto index = static_cast<std::size_t>(std::llround(c.at * Rate)) * 2;
        EXPECT_NEAR(all[index], c.level, 0.0005f) << c.what;
        EXPECT_FLOAT_EQ(all[index], all[index + 1]) << c.what << ": both channels alike";
    }
}

}  // namespace
}  // namespace vistrel::media
