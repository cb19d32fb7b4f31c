#include "model/ShowLengthCommands.h"

#include <cmath>
#include <cstdio>

#include "model/CVistrelDoc.h"
#include "model/ShowLength.h"
#include "platform/Prompter.h"
#include "res/strings/LengthStrings.h"

namespace vistrel {

LengthParts lengthParts(int tenths) {
    // Truncating division throughout: a negative length gives zeros, not negative parts.
    const int wholeSeconds = tenths / 10 % 3600;
    return {tenths / 36000, wholeSeconds / 60, wholeSeconds % 60};
}

std::string lengthText(int tenths) {
    const LengthParts parts = lengthParts(tenths);
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", parts.hours, parts.minutes, parts.seconds);
    return text;
}

int roundedToWholeSeconds(int tenths) {
    return static_cast<int>(std::floor(tenths / 10.0 + 0.5)) * 10;
}

std::int64_t musicLengthForScaling(std::int64_t milliseconds) {
    if (milliseconds <= 0) return 0;
    return (milliseconds + 500) / 1000 * 10;
}

std::int64_t enteredLength(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
    return (hours * 3600 + minutes * 60 + seconds) * 10;
}

ScalingMeasure measureForNewLength(const CVistrelDoc& doc, const std::vector<int>& rowsToUse, bool musicLength) {
    return musicLength && rowsToUse.empty() ? measureMusicTime(doc) : measureForScaling(doc, rowsToUse);
}

ScaleResult scaleShow(CVistrelDoc& doc, const std::vector<int>& selectedRows, Prompter& prompter,
                      ScaleLengthPrompt& dialog) {
    std::vector<int> rows = selectedRows;
    if (!rows.empty() &&
        prompter.showMessage(ids::ScaleOnlySelection, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) {
        rows.clear();
    }
    const auto refusePause = [&] {
        prompter.showMessage(ids::ScaleShowHasPause, MessageIcon::Exclamation, MessageButtons::Ok);
        return ScaleResult::HasPause;
    };

    const ScalingMeasure typed = measureForScaling(doc, rows);
    // A show with pauses can still be fitted to its music; only a typed length needs
    // the show's length, which a pause leaves open.
    const bool musicFits = rows.empty() && dialog.offersMusicLength();
    if (typed.pause && !musicFits) return refusePause();
    const ScalingMeasure music = measureForNewLength(doc, rows, true);

    std::int64_t newLength = 0;
    ScalingMeasure measure = typed;
    for (;;) {
        const std::optional<std::int64_t> entered = dialog.askNewLength(typed.pause ? music.length : typed.length);
        if (!entered) return ScaleResult::Cancelled;
        const bool toMusic = musicFits && dialog.lengthIsMusic();
        if (typed.pause && !toMusic) return refusePause();
        measure = toMusic ? music : typed;
        newLength = *entered;
        if (newLength == measure.length) return ScaleResult::Unchanged;
        if (newLength >= 10 && newLength <= LongestScaledLength && newLength >= scalingMinimum(measure)) break;
        if (prompter.showMessage(ids::ScaleLengthInvalid, MessageIcon::Question, MessageButtons::YesNo) !=
            MessageAnswer::Yes) {
            return ScaleResult::InvalidLength;
        }
    }

    switch (scaleTimers(doc, rows, measure, static_cast<int>(newLength))) {
        case ScaleOutcome::NothingToScale:
            return ScaleResult::Unchanged;
        case ScaleOutcome::TimerTooLong:
            prompter.showMessage(ids::ScaleTimersInvalid, MessageIcon::Exclamation, MessageButtons::Ok);
            // The timers are back, but lines before the failing one keep their marks.
            doc.linesReplaced(CVistrelDoc::Replaced::Rewritten);
            return ScaleResult::TimerTooLong;
        case ScaleOutcome::Scaled:
            break;
    }
    doc.linesReplaced(CVistrelDoc::Replaced::Rewritten);
    return ScaleResult::Scaled;
}

std::optional<ScaleResult> showLength(CVistrelDoc& doc, const std::vector<int>& selectedRows, Prompter& prompter,
                                      ShowLengthPrompt& lengthDialog, ScaleLengthPrompt& scaleDialog) {
    const ShowLengthValues lengths = computeShowLength(doc, WholeShowAndSelection, true, selectedRows);
    doc.showLength = lengths.length;
    doc.selectedLength = lengths.selectedLength;
    if (!lengthDialog.showLengths(lengthText(doc.showLength), lengthText(doc.selectedLength))) return std::nullopt;
    return scaleShow(doc, selectedRows, prompter, scaleDialog);
}

}  // namespace vistrel
