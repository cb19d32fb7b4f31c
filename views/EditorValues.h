#pragma once
// The line editor's field texts as the form reads them while the user types (for the
// spins and sliders), and as "Übernehmen" hands them to the line's draft rules
// (model/LineDraft). While typing, numbers are read the way the program always read
// them: leading blanks skipped, then as many characters as form a number.
#include <QString>
#include <string>

#include "model/LineDraft.h"

namespace vistrel {

// "  12abc" -> 12, "x" -> 0. Values beyond the int range are held at its ends.
int readInteger(const QString& text);
// "  2.5" -> 2.5, "2,5" -> 2 (the form turns the comma into a point first), "x" -> 0.0.
double readDecimal(const QString& text);

// Seconds with one decimal in a field of width 5, as every time field shows them ("  4.0").
QString formatSeconds(double seconds);

// The description as the field keeps it: one line of at most 179 characters (a line
// break, typed or pasted, would split the line in the show file; it becomes a blank).
QString oneLineDescription(const QString& typed);

// "Gesamtzeit :" for a show of `playingTime` tenths: "hh:mm:ss " in whole seconds, and
// "+ Pause" after it when the show waits somewhere.
QString totalTimeText(int playingTime, bool waits);

// The texts of the editor's fields at the moment of "Übernehmen".
struct EditorFields {
    QString slideNumber;
    QString dissolve;
    QString timer;
    QString parameter;
    QString code;
    QString description;
};

// Checks every field before anything is stored (checkLineDraft). Returns 0 and fills
// `line` when all values are acceptable, otherwise the string id of the message for
// the first refused value (in the order slide number, dissolve, timer, parameter).
int checkEditorFields(const EditorFields& fields, CheckedLine& line);

}  // namespace vistrel
