#pragma once
// "Schaulänge" and "Diaschau skalieren" in a show window: the show's own commands
// with the window's dialogs and the rows selected in its list.
#include "dialogs/ScaleDialog.h"

namespace vistrel {

class CSplitterFrame;
class Prompter;

// `musicSeconds` feeds "Musiklänge übernehmen" (empty: the show has no music).
void runShowLengthCommand(CSplitterFrame& frame, Prompter& prompter, const ScaleDialog::MusicSeconds& musicSeconds);
void runScaleShowCommand(CSplitterFrame& frame, Prompter& prompter, const ScaleDialog::MusicSeconds& musicSeconds);

}  // namespace vistrel
