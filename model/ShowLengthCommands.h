#pragma once
// The two commands built on the show length. "Schaulänge" shows how long the whole
// show and the selected rows run; "Diaschau skalieren" stretches or shrinks the
// timers so that the show (or the selection) runs as long as the user asks. They
// reach the user only through the Prompter and two small dialog interfaces: the
// window program binds them to its dialogs, vistrel-cli answers them from its
// command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/ShowLength.h"

namespace vistrel {

class CVistrelDoc;
class Prompter;

// "HH:MM:SS" of a length in tenths, as both dialogs show it. Every part is truncated,
// so a show with a pause (length -1) shows 00:00:00.
std::string lengthText(int tenths);

struct LengthParts {
    int hours;
    int minutes;
    int seconds;
};
LengthParts lengthParts(int tenths);

// The scale dialog offers the old length in whole seconds: to the nearest second,
// halves upward (tenths in, tenths out).
int roundedToWholeSeconds(int tenths);

// A piece of music's length as the new length of a scaling ("Musiklänge übernehmen",
// `vistrel-cli scale --to-audio`): to the nearest whole second, halves upward, in tenths.
std::int64_t musicLengthForScaling(std::int64_t milliseconds);

// The length a user enters from its three parts, in tenths.
std::int64_t enteredLength(std::int64_t hours, std::int64_t minutes, std::int64_t seconds);

// The scale dialog: shows the old length and asks for the new one.
class ScaleLengthPrompt {
public:
    virtual ~ScaleLengthPrompt() = default;
    // `oldLength` in tenths; returns the entered length in tenths, or nothing for Cancel.
    virtual std::optional<std::int64_t> askNewLength(int oldLength) = 0;
    // Whether the dialog can take the length of the show's music ("Musiklänge übernehmen").
    virtual bool offersMusicLength() const { return false; }
    // Whether the length last entered is the music's as taken, not one the user typed.
    virtual bool lengthIsMusic() const { return false; }
};

// What a new length is measured against. A length the user types is the show length's
// (lines with slide number 0 left out, a pause refuses). The music's length, for the
// whole show, is music time: a run from line 1 as the timeline has it, the waits at
// pause lines not counted, since the music stands while the show waits.
ScalingMeasure measureForNewLength(const CVistrelDoc& doc, const std::vector<int>& rowsToUse, bool musicLength);

// The show-length dialog: shows the two lengths.
class ShowLengthPrompt {
public:
    virtual ~ShowLengthPrompt() = default;
    // `total` and `selected` as lengthText gives them; true when the user asked to scale.
    virtual bool showLengths(const std::string& total, const std::string& selected) = 0;
};

enum class ScaleResult {
    Scaled,         // timers changed, the list refilled
    Unchanged,      // ended quietly: the same length, or nothing the timers could reach
    Cancelled,      // the dialog was cancelled
    HasPause,       // refused with "In der Diaschau ist eine Pause !..."
    InvalidLength,  // "Die eingegebenen Werte sind nicht zulässig!..." answered No
    TimerTooLong,   // "...führt zu ungültigen Timerzeiten...": every timer as it was
};

// "Diaschau skalieren". `selectedRows` are the list's selected rows (ascending); the
// user is asked whether to scale only them.
ScaleResult scaleShow(CVistrelDoc& doc, const std::vector<int>& selectedRows, Prompter& prompter,
                      ScaleLengthPrompt& dialog);

// "Schaulänge": computes both lengths (the document keeps them) and shows them; when
// the user asks to scale, the scaling runs and its result is returned.
std::optional<ScaleResult> showLength(CVistrelDoc& doc, const std::vector<int>& selectedRows, Prompter& prompter,
                                      ShowLengthPrompt& lengthDialog, ScaleLengthPrompt& scaleDialog);

}  // namespace vistrel
