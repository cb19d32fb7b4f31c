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
    {ids::StepLinesRemoved, "Zeilen entfernt"},
    {ids::StepTimersSet, "Timerzeiten gesetzt"},
    {ids::StepSlidesShifted, "Dianummern erhöht"},
    {ids::StepCut, "Ausgeschnitten"},
    {ids::StepPasted, "Eingefügt"},
    {ids::StepScaled, "Diaschau skaliert"},
    {ids::StepTitleChanged, "Titel geändert"},
    {ids::StepLinesMoved, "Zeilen verschoben"},
};
}  // namespace

std::span<const StringEntry> historyStrings() { return kEntries; }

}  // namespace vistrel::res
