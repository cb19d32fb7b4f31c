#pragma once
// "Schaulänge" and "Diaschau skalieren" in a show window: the show's own commands
// with the window's dialogs and the rows selected in its list.
namespace vistrel {

class CSplitterFrame;
class Prompter;

void runShowLengthCommand(CSplitterFrame& frame, Prompter& prompter);
void runScaleShowCommand(CSplitterFrame& frame, Prompter& prompter);

}  // namespace vistrel
