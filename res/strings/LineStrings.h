#pragma once
// String ids of the line operations and the clipboard: the commands that change whole
// lines from the program list, their two small dialogs and their messages.
namespace vistrel::ids {
constexpr int PasteNeedsOneRow = 1012;      // "Es sind mehrere Einträge selektiert! ..."
constexpr int PasteWrongFormat = 1013;      // "Die Daten haben nicht das richtige Format, ..."
constexpr int TimerNotAllowed = 1065;       // "Die gewählte Timerzeit ist nicht zulässig."

// Dialog 161 "Timerzeit setzen" and dialog 178 "Inkrement für Dianummer".
constexpr int TimerDialogCaption = 1520;      // "Timerzeit setzen"
constexpr int TimerDialogLabel = 1521;        // "Timerzeit in (Sek.) :"
constexpr int IncrementDialogCaption = 1522;  // "Inkrement für Dianummer"
constexpr int IncrementDialogLabel = 1523;    // "Inkrement (z.B. +10, 35 ->45)"
constexpr int ButtonCancel = 1524;            // "Abbrechen"

// Values a show cannot hold are refused, never wrapped into others.
constexpr int PasteRefusedOne = 1525;         // one record of the clipboard not pasted (%2: which, why)
constexpr int PasteRefusedMany = 1526;        // %1 records not pasted (%2: the first, why)
constexpr int PasteRefusedRecord = 1527;      // "Datensatz %1"
constexpr int PasteRefusedIncomplete = 1528;  // "unvollständig"
constexpr int PasteRefusedSlide = 1529;       // "Dianummer %1"
constexpr int PasteRefusedDissolve = 1530;    // "Überblendzeit %1"
constexpr int PasteRefusedTimer = 1531;       // "Timer %1"
constexpr int PasteRefusedCode = 1532;        // "SF-Code %1"
constexpr int IncrementOutOfRange = 1533;     // slide numbers would leave 0..999 (%1..%2 possible)
constexpr int IncrementImpossible = 1534;     // no increment keeps the selected slides in 0..999
constexpr int CorrectionOutOfRange = 1535;    // a correction would leave 0..999; nothing changed
}  // namespace vistrel::ids
