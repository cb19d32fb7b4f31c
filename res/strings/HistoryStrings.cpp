#include "res/StringTable.h"
#include "res/strings/HistoryStrings.h"

#include "res/CommandIds.h"
#include "res/strings/ShellStrings.h"

namespace vistrel::res {

namespace {
using namespace vistrel::cmd;
constexpr int Tip = ids::ToolTipOffset;
constexpr int Prompt = ids::StatusPromptOffset;

constexpr StringEntry kEntries[] = {
    {EditUndo, "Rückgängig"},
    {EditRedo, "Wiederherstellen"},
    {Tip + EditUndo, "Rückgängig"},
    {Tip + EditRedo, "Wiederherstellen"},
    {Prompt + EditUndo, "Nimmt die letzte Änderung der Diaschau zurück."},
    {Prompt + EditRedo, "Stellt die zuletzt zurückgenommene Änderung wieder her."},

    {ids::UndoStep, "Rückgängig: %1"},
    {ids::RedoStep, "Wiederherstellen: %1"},
    {ids::StepLineChanged, "Zeile %1 geändert"},
    {ids::StepLineInserted, "1 Zeile eingefügt"},
    {ids::StepLinesInserted, "%1 Zeilen eingefügt"},
    {ids::StepLineRemoved, "Zeile entfernt"},
    {ids::StepLinesRemoved, "%1 Zeilen entfernt"},
    {ids::StepTimerSet, "Timerzeit gesetzt"},
    {ids::StepTimersSet, "%1 Timerzeiten gesetzt"},
    {ids::StepSlideShifted, "Dianummer erhöht"},
    {ids::StepSlidesShifted, "%1 Dianummern erhöht"},
    {ids::StepLineCut, "Zeile ausgeschnitten"},
    {ids::StepCut, "%1 Zeilen ausgeschnitten"},
    {ids::StepPasted, "Eingefügt"},
    {ids::StepScaled, "Diaschau skaliert"},
    {ids::StepTitleChanged, "Titel geändert"},
    {ids::StepLinesMoved, "Zeilen verschoben"},
    {ids::StepLineTimerChanged, "Timer von Zeile %1 geändert"},
};
}  // namespace

std::span<const StringEntry> historyStrings() { return kEntries; }

}  // namespace vistrel::res
