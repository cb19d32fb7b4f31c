// "Schaulänge" and "Diaschau skalieren" without windows: the dialogs answered from a
// script, the questions from the recording prompter.
#include "model/ShowLengthCommands.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "model/CVistrelDoc.h"
#include "tests/model/TestShows.h"
#include "platform/fake/RecordingPrompter.h"

namespace vistrel {
namespace {

using test::Line;
using test::showOf;

std::vector<int> timersOf(const CVistrelDoc& doc) {
    std::vector<int> timers;
    for (int i = 0; i < doc.lineCount; ++i) timers.push_back(doc.lines[static_cast<std::size_t>(i)].timerTime);
    return timers;
}

// Answers the scale dialog from a queue (nothing left: Cancel) and remembers what it showed.
class ScriptedScaleDialog final : public ScaleLengthPrompt {
public:
    std::deque<std::optional<std::int64_t>> answers;
    std::vector<int> shownLengths;
    bool musicOffered = false;
    bool musicTaken = false;  // every answer is the music's length as the button took it
    bool offersMusicLength() const override { return musicOffered; }
    bool lengthIsMusic() const override { return musicTaken; }
    std::optional<std::int64_t> askNewLength(int oldLength) override {
        shownLengths.push_back(oldLength);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ScriptedLengthDialog final : public ShowLengthPrompt {
public:
    bool scale = false;
    std::string total, selected;
    int shown = 0;
    bool showLengths(const std::string& t, const std::string& s) override {
        total = t;
        selected = s;
        ++shown;
        return scale;
    }
};

class CountingView final : public DocumentView {
public:
    int updates = 0;
    bool rowsRebuilt = false;
    void documentChanged(const DocumentChange& change) override {
        ++updates;
        rowsRebuilt = rowsRebuilt || change.rowsRebuilt;
    }
};

constexpr const char* kPause =
    "In der Diaschau ist eine Pause !\nDeshalb kann die Show nicht skaliert werden.\nSie können aber Teile der "
    "Diaschau selektieren\nund dann skalieren.";
constexpr const char* kOnlySelection =
    "Möchten Sie die Skalierung nur auf die selektierten\nProgrammzellen anwenden?";
constexpr const char* kInvalid = "Die eingegebenen Werte sind nicht zulässig!\nWollen Sie die Werte erneut eingeben?";
constexpr const char* kTimersInvalid =
    "Die Skalierung der Diaschau mit der gewünschten\r\nLänge führt zu ungültigen Timerzeiten.\r\nDie Skalierung "
    "wird nicht vorgenommen.\r\nBitte prüfen Sie Ihre Eingabe.";

TEST(LengthText, FormatsAsTheDialogsShowIt) {
    const std::pair<int, const char*> table[] = {
        {130, "00:00:13"},    {139, "00:00:13"},     {0, "00:00:00"},       {-1, "00:00:00"},
        {35999, "00:59:59"},  {36000, "01:00:00"},   {36009, "01:00:00"},   {863990, "23:59:59"},
        {3600000, "100:00:00"}, {6000, "00:10:00"},
    };
    for (const auto& [tenths, text] : table) EXPECT_EQ(lengthText(tenths), text) << tenths;
}

TEST(LengthText, TheScaleDialogRoundsToWholeSecondsHalvesUp) {
    const std::pair<int, int> table[] = {{125, 130}, {124, 120}, {120, 120}, {0, 0}, {5, 10}, {4, 0}, {35995, 36000}};
    for (const auto& [tenths, rounded] : table) EXPECT_EQ(roundedToWholeSeconds(tenths), rounded) << tenths;
    EXPECT_EQ(enteredLength(1, 2, 3), 37230);
    EXPECT_EQ(enteredLength(0, 60, 60), 36600);
    // A piece of music, in milliseconds, becomes whole seconds the same way.
    const std::pair<std::int64_t, std::int64_t> music[] = {
        {205499, 2050}, {205500, 2060}, {499, 0}, {500, 10}, {0, 0}, {-20, 0}, {7'200'000, 72000}};
    for (const auto& [ms, tenths] : music) EXPECT_EQ(musicLengthForScaling(ms), tenths) << ms;
}

struct ScaleCase {
    const char* name;
    std::vector<Line> lines;
    std::vector<int> selected;                        // rows selected in the list
    std::vector<MessageAnswer> answers;               // to the questions, in order
    std::vector<std::optional<std::int64_t>> entered;  // what the dialog answers, in order
    ScaleResult result;
    std::vector<int> timers;                 // afterwards
    std::vector<const char*> messages;       // shown, in order
    std::vector<int> shownLengths;           // what the dialog showed each time
    enum Music { NoMusic, MusicOffered, MusicTaken } music = NoMusic;
};

TEST(ScaleShow, FollowsTheScalingRules) {
    const std::vector<Line> three{{1, 0, 40, 0}, {2, 0, 40, 0}, {3, 0, 40, 0}};
    const std::vector<Line> dissolves{{1, 25, 40, 0}, {2, 25, 40, 0}};  // 130, of which 50 are dissolves
    const ScaleCase table[] = {
        {"factor_two", three, {}, {}, {240}, ScaleResult::Scaled, {80, 80, 80}, {}, {120}},
        {"shrinks_too", three, {}, {}, {60}, ScaleResult::Scaled, {20, 20, 20}, {}, {120}},
        {"same_length_changes_nothing", three, {}, {}, {120}, ScaleResult::Unchanged, {40, 40, 40}, {}, {120}},
        {"cancel", three, {}, {}, {}, ScaleResult::Cancelled, {40, 40, 40}, {}, {120}},
        {"dissolves_stay", dissolves, {}, {}, {150}, ScaleResult::Scaled, {50, 50}, {}, {130}},
        {"zero_asks_again_no", three, {}, {MessageAnswer::No}, {0}, ScaleResult::InvalidLength, {40, 40, 40},
         {kInvalid}, {120}},
        {"zero_asks_again_yes_then_valid", three, {}, {MessageAnswer::Yes}, {0, 240}, ScaleResult::Scaled,
         {80, 80, 80}, {kInvalid}, {120, 120}},
        {"below_one_second", three, {}, {MessageAnswer::No}, {9}, ScaleResult::InvalidLength, {40, 40, 40},
         {kInvalid}, {120}},
        {"one_second_is_allowed", three, {}, {}, {10}, ScaleResult::Scaled, {3, 3, 3}, {}, {120}},
        {"shorter_than_the_dissolves", dissolves, {}, {MessageAnswer::No}, {40}, ScaleResult::InvalidLength,
         {40, 40}, {kInvalid}, {130}},
        // Timers above 0 keep at least 0.1 s each: the dissolves alone are out of reach.
        {"exactly_the_dissolves", dissolves, {}, {MessageAnswer::No}, {50}, ScaleResult::InvalidLength, {40, 40},
         {kInvalid}, {130}},
        {"ten_timers_to_their_dissolves", std::vector<Line>(10, Line{1, 20, 60, 0}), {}, {MessageAnswer::No}, {200},
         ScaleResult::InvalidLength, std::vector<int>(10, 60), {kInvalid}, {800}},
        {"a_short_timer_stays_a_tenth", {{1, 0, 1, 0}, {2, 0, 1000, 0}}, {}, {}, {400}, ScaleResult::Scaled,
         {1, 401}, {}, {1001}},
        {"above_the_longest_length", three, {}, {MessageAnswer::No}, {720010}, ScaleResult::InvalidLength,
         {40, 40, 40}, {kInvalid}, {120}},
        {"timer_too_long_puts_all_back", three, {}, {}, {18030}, ScaleResult::TimerTooLong, {40, 40, 40},
         {kTimersInvalid}, {120}},
        {"longest_timer_is_allowed", three, {}, {}, {18000}, ScaleResult::Scaled, {6000, 6000, 6000}, {}, {120}},
        {"pause_refuses", {{1, 0, 40, 0}, {5, 0, 0, 0}}, {}, {}, {}, ScaleResult::HasPause, {40, 0}, {kPause}, {}},
        {"pause_code_refuses", {{1, 0, 40, 270}}, {}, {}, {}, ScaleResult::HasPause, {40}, {kPause}, {}},
        {"selection_only", three, {0, 2}, {MessageAnswer::Yes}, {160}, ScaleResult::Scaled, {80, 40, 80},
         {kOnlySelection}, {80}},
        {"selection_declined_scales_all", three, {0, 2}, {MessageAnswer::No}, {240}, ScaleResult::Scaled,
         {80, 80, 80}, {kOnlySelection}, {120}},
        {"pause_outside_the_selection", {{1, 0, 40, 0}, {5, 0, 0, 0}, {2, 0, 40, 0}}, {0, 2}, {MessageAnswer::Yes},
         {160}, ScaleResult::Scaled, {80, 0, 80}, {kOnlySelection}, {80}},
        {"selection_timer_too_long", {{1, 0, 3000, 0}, {2, 0, 100, 0}, {3, 0, 40, 0}}, {0, 1},
         {MessageAnswer::Yes}, {7750}, ScaleResult::TimerTooLong, {3000, 100, 40}, {kOnlySelection, kTimersInvalid},
         {3100}},
        // The tenths of the old length are kept: 12.5 s (shown as 13 s) asked to become 26 s runs 26.5 s.
        {"tenths_are_kept", {{1, 5, 120, 0}}, {}, {}, {260}, ScaleResult::Scaled, {260}, {}, {125}},
        // Only end rows: no timer counts, so nothing can be stretched, and nothing divides by zero.
        {"no_timer_counted", {{0, 25, 40, 0}, {0, 10, 0, 0}}, {}, {}, {100}, ScaleResult::Unchanged, {40, 0}, {},
         {0}},
        // End rows are not measured but are scaled with the rest.
        {"end_rows_scale_along", {{1, 0, 40, 0}, {0, 10, 40, 0}}, {}, {}, {80}, ScaleResult::Scaled, {80, 80}, {},
         {40}},
        // An autoreverse line ends what is measured, yet every line is scaled.
        {"after_autoreverse", {{1, 0, 40, 100}, {2, 0, 40, 0}}, {}, {}, {80}, ScaleResult::Scaled, {80, 80}, {},
         {40}},
        // The music's length fits music time: a run from line 1, the wait at a pause not counted.
        {"music_fits_around_a_pause", {{1, 0, 40, 0}, {5, 0, 0, 0}, {2, 0, 40, 0}}, {}, {}, {160},
         ScaleResult::Scaled, {80, 0, 80}, {}, {80}, ScaleCase::MusicTaken},
        {"typed_length_with_a_pause_still_refuses", {{1, 0, 40, 0}, {5, 0, 0, 0}, {2, 0, 40, 0}}, {}, {}, {160},
         ScaleResult::HasPause, {40, 0, 40}, {kPause}, {80}, ScaleCase::MusicOffered},
        {"music_without_pause_as_typed", three, {}, {}, {240}, ScaleResult::Scaled, {80, 80, 80}, {}, {120},
         ScaleCase::MusicTaken},
        {"music_counts_the_timer_of_a_dark_line", {{1, 0, 40, 0}, {0, 10, 40, 0}, {2, 0, 40, 0}}, {}, {}, {250},
         ScaleResult::Scaled, {80, 80, 80}, {}, {80}, ScaleCase::MusicTaken},
        {"typed_length_leaves_the_dark_line_out", {{1, 0, 40, 0}, {0, 10, 40, 0}, {2, 0, 40, 0}}, {}, {}, {250},
         ScaleResult::Scaled, {125, 125, 125}, {}, {80}, ScaleCase::MusicOffered},
        {"music_runs_past_autoreverse_on_line_one", {{1, 0, 40, 100}, {2, 0, 40, 0}}, {}, {}, {160},
         ScaleResult::Scaled, {80, 80}, {}, {40}, ScaleCase::MusicTaken},
        {"music_scales_the_timer_after_a_fade_pause", {{1, 25, 40, 70}, {2, 0, 40, 0}}, {}, {}, {210},
         ScaleResult::Scaled, {80, 80}, {}, {130}, ScaleCase::MusicTaken},
        {"music_same_as_music_time", {{1, 0, 40, 0}, {5, 0, 0, 0}, {2, 0, 40, 0}}, {}, {}, {80},
         ScaleResult::Unchanged, {40, 0, 40}, {}, {80}, ScaleCase::MusicTaken},
        {"music_too_short_asks_again", {{1, 0, 40, 0}, {5, 0, 0, 0}, {2, 0, 40, 0}}, {}, {MessageAnswer::No}, {1},
         ScaleResult::InvalidLength, {40, 0, 40}, {kInvalid}, {80}, ScaleCase::MusicTaken},
        {"music_for_a_selection_is_a_length", three, {0, 2}, {MessageAnswer::Yes}, {160}, ScaleResult::Scaled,
         {80, 40, 80}, {kOnlySelection}, {80}, ScaleCase::MusicTaken},
        {"music_for_a_selection_with_a_pause_refuses", {{1, 0, 40, 0}, {5, 0, 0, 0}}, {0, 1}, {MessageAnswer::Yes},
         {160}, ScaleResult::HasPause, {40, 0}, {kOnlySelection, kPause}, {}, ScaleCase::MusicTaken},
    };
    for (const ScaleCase& c : table) {
        SCOPED_TRACE(c.name);
        auto doc = showOf(c.lines);
        CountingView view;
        doc->addView(&view);
        RecordingPrompter prompter;
        prompter.fallbackAnswer = MessageAnswer::No;
        for (MessageAnswer answer : c.answers) prompter.queueAnswer(answer);
        ScriptedScaleDialog dialog;
        dialog.answers.assign(c.entered.begin(), c.entered.end());
        dialog.musicOffered = c.music != ScaleCase::NoMusic;
        dialog.musicTaken = c.music == ScaleCase::MusicTaken;

        EXPECT_EQ(scaleShow(*doc, c.selected, prompter, dialog), c.result);
        EXPECT_EQ(timersOf(*doc), c.timers);
        std::vector<std::string> shown;
        for (const auto& m : prompter.messages) shown.push_back(m.text);
        EXPECT_EQ(shown, std::vector<std::string>(c.messages.begin(), c.messages.end()));
        EXPECT_EQ(dialog.shownLengths, c.shownLengths);

        // The list refills after a scaling that changed or put back timers, and only then.
        const bool refilled = c.result == ScaleResult::Scaled || c.result == ScaleResult::TimerTooLong;
        EXPECT_EQ(view.updates, refilled ? 1 : 0);
        EXPECT_EQ(view.rowsRebuilt, refilled);
        for (int i = 0; i < doc->lineCount; ++i) {
            const int marks = doc->lines[static_cast<std::size_t>(i)].changeMarks;
            if (c.result != ScaleResult::Scaled) {
                if (c.result != ScaleResult::TimerTooLong) {
                    EXPECT_EQ(marks, 0) << i;
                }
                continue;
            }
            const bool inSet = c.selected.empty() || c.answers.empty() || c.answers[0] != MessageAnswer::Yes ||
                               std::find(c.selected.begin(), c.selected.end(), i) != c.selected.end();
            EXPECT_EQ(marks, inSet ? AllChangeMarks : 0) << i;
        }
        doc->removeView(&view);
    }
}

TEST(ScaleShow, QuestionsAndMessagesUseTheirIcons) {
    auto doc = showOf({{1, 0, 40, 0}, {2, 0, 40, 0}});
    RecordingPrompter prompter;
    prompter.queueAnswer(MessageAnswer::Yes);
    prompter.queueAnswer(MessageAnswer::No);
    ScriptedScaleDialog dialog;
    dialog.answers = {0};
    scaleShow(*doc, {0}, prompter, dialog);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompter.messages[1].icon, MessageIcon::Question);
    EXPECT_EQ(prompter.messages[1].buttons, MessageButtons::YesNo);

    auto paused = showOf({{1, 0, 0, 0}});
    RecordingPrompter told;
    scaleShow(*paused, {}, told, dialog);
    ASSERT_EQ(told.messages.size(), 1u);
    EXPECT_EQ(told.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(told.messages[0].buttons, MessageButtons::Ok);
}

TEST(ShowLengthCommand, ShowsBothLengthsAndGoesOnToScale) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        std::vector<int> selected;
        const char* total;
        const char* selectedText;
    };
    const Case table[] = {
        {"two_plain_lines", {{1, 25, 40, 0}, {2, 25, 40, 0}}, {}, "00:00:13", "00:00:00"},
        {"selection", {{1, 25, 40, 0}, {2, 25, 40, 33}, {3, 600, 6000, 0}}, {1, 2}, "00:11:25", "00:11:19"},
        {"pause_shows_zero", {{5, 25, 0, 0}, {6, 25, 40, 0}}, {1}, "00:00:00", "00:00:06"},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        auto doc = showOf(c.lines);
        RecordingPrompter prompter;
        ScriptedLengthDialog lengths;
        ScriptedScaleDialog scale;
        EXPECT_EQ(showLength(*doc, c.selected, prompter, lengths, scale), std::nullopt);
        EXPECT_EQ(lengths.total, c.total);
        EXPECT_EQ(lengths.selected, c.selectedText);
        EXPECT_TRUE(scale.shownLengths.empty());
    }

    // "Schau skalieren" runs the scaling on the same show.
    auto doc = showOf({{1, 0, 40, 0}, {2, 0, 40, 0}, {3, 0, 40, 0}});
    RecordingPrompter prompter;
    ScriptedLengthDialog lengths;
    lengths.scale = true;
    ScriptedScaleDialog scale;
    scale.answers = {240};
    EXPECT_EQ(showLength(*doc, {}, prompter, lengths, scale), ScaleResult::Scaled);
    EXPECT_EQ(doc->showLength, 120);
    EXPECT_EQ(timersOf(*doc), (std::vector<int>{80, 80, 80}));
}

}  // namespace
}  // namespace vistrel
