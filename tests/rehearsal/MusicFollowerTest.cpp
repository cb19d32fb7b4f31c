// When the rehearsal's music plays, pauses and seeks, decided from where the show stands.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "rehearsal/RehearsalMusic.h"

namespace vistrel {
namespace {

TEST(MusicFollower, APlayedMusicFollowsTheShow) {
    using Action = MusicFollower::Action;
    MusicFollower follower;
    const struct {
        const char* what;
        std::optional<std::int64_t> showMs;
        std::int64_t nowMs;
        MusicFollower::Decision expected;
    } frames[] = {
        {"the show starts at line 3 of the timeline", 12000, 1000, {Action::PlayFrom, 12000}},
        {"both run on", 12500, 1500, {}},
        {"a drift within the tolerance", 12700, 1950, {}},
        {"halted", std::nullopt, 2000, {Action::Pause, 0}},
        {"still halted", std::nullopt, 9000, {}},
        {"goes on where it stood", 12800, 9100, {Action::PlayFrom, 12800}},
        {"\"Bild vorwärts\" skips the rest of a line", 20000, 9200, {Action::PlayFrom, 20000}},
        {"the tray back at line 1", 0, 9300, {Action::PlayFrom, 0}},
        {"runs on", 1000, 10300, {}},
    };
    for (const auto& f : frames) {
        SCOPED_TRACE(f.what);
        EXPECT_EQ(follower.follow(f.showMs, f.nowMs), f.expected);
    }
}

}  // namespace
}  // namespace vistrel
