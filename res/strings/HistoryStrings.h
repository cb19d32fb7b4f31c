#pragma once
// String ids of undo and redo: the menu texts with the name of the step, and the names
// of the steps themselves.
namespace vistrel::ids {
constexpr int UndoStep = 1860;           // "Rückgängig: %1"
constexpr int RedoStep = 1861;           // "Wiederherstellen: %1"
constexpr int StepLineChanged = 1862;    // "Zeile %1 geändert"
constexpr int StepLineInserted = 1863;   // "1 Zeile eingefügt"
constexpr int StepLinesInserted = 1864;  // "%1 Zeilen eingefügt"
constexpr int StepLinesRemoved = 1865;   // "Zeilen entfernt"
constexpr int StepTimersSet = 1866;      // "Timerzeiten gesetzt"
constexpr int StepSlidesShifted = 1867;  // "Dianummern erhöht"
constexpr int StepCut = 1868;            // "Ausgeschnitten"
constexpr int StepPasted = 1869;         // "Eingefügt"
constexpr int StepScaled = 1870;         // "Diaschau skaliert"
constexpr int StepTitleChanged = 1871;   // "Titel geändert"
}  // namespace vistrel::ids
