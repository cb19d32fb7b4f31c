#pragma once
// String ids of undo and redo: the menu texts with the name of the step, and the names
// of the steps themselves.
namespace vistrel::ids {
constexpr int UndoStep = 1880;           // "Rückgängig: %1"
constexpr int RedoStep = 1881;           // "Wiederherstellen: %1"
constexpr int StepLineChanged = 1882;    // "Zeile %1 geändert"
constexpr int StepLineInserted = 1883;   // "1 Zeile eingefügt"
constexpr int StepLinesInserted = 1884;  // "%1 Zeilen eingefügt"
constexpr int StepLinesRemoved = 1885;   // "%1 Zeilen entfernt"
constexpr int StepTimersSet = 1886;      // "%1 Timerzeiten gesetzt"
constexpr int StepSlidesShifted = 1887;  // "%1 Dianummern erhöht"
constexpr int StepCut = 1888;            // "%1 Zeilen ausgeschnitten"
constexpr int StepPasted = 1889;         // "Eingefügt"
constexpr int StepScaled = 1890;         // "Diaschau skaliert"
constexpr int StepTitleChanged = 1891;   // "Titel geändert"
// The singular of the steps above that count lines.
constexpr int StepLineRemoved = 1892;    // "Zeile entfernt"
constexpr int StepTimerSet = 1893;       // "Timerzeit gesetzt"
constexpr int StepSlideShifted = 1894;   // "Dianummer erhöht"
constexpr int StepLineCut = 1895;        // "Zeile ausgeschnitten"
constexpr int StepLinesMoved = 1896;     // "Zeilen verschoben"
constexpr int StepLineTimerChanged = 1897;  // "Timer von Zeile %1 geändert"
}  // namespace vistrel::ids
