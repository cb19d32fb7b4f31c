#pragma once
// String ids of undo and redo: the menu texts with the name of the step, and the names
// of the steps themselves.
namespace vistrel::ids {
constexpr int UndoStep = 1880;           // "Rückgängig: %1"
constexpr int RedoStep = 1881;           // "Wiederherstellen: %1"
constexpr int StepLineChanged = 1882;    // "Zeile %1 geändert"
constexpr int StepLineInserted = 1883;   // "1 Zeile eingefügt"
constexpr int StepLinesInserted = 1884;  // "%1 Zeilen eingefügt"
constexpr int StepLinesRemoved = 1885;   // "Zeilen entfernt"
constexpr int StepTimersSet = 1886;      // "Timerzeiten gesetzt"
constexpr int StepSlidesShifted = 1887;  // "Dianummern erhöht"
constexpr int StepCut = 1888;            // "Ausgeschnitten"
constexpr int StepPasted = 1889;         // "Eingefügt"
constexpr int StepScaled = 1890;         // "Diaschau skaliert"
constexpr int StepTitleChanged = 1891;   // "Titel geändert"
constexpr int StepLinesMoved = 1892;     // "Zeilen verschoben"
}  // namespace vistrel::ids
