#include "res/StringTable.h"
#include "res/strings/SearchStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::NoFurtherData, "Es wurden keine weiteren Daten gefunden."},
    {ids::NoMatchingRecords, "Es wurden keine passenden Datensätze gefunden."},
    {ids::LoadFileButton, "Datei laden"},
    {ids::SearchTermCaption, "Suchbegriff eingeben"},
    {ids::MatchCaseLabel, "Groß- / Kleinschreibung beachten"},
    {ids::FolderDialogCaption, "Ordner auswählen "},
    {ids::FolderDialogText,
     "Bitte wählen Sie einen Ordner aus, in dem die Vistrel-Dateien\n gesucht werden sollen."},
    {ids::ResultCaption, "Suchergebnis"},
    {ids::ResultTermLabel, "Suchbegriff :"},
    {ids::ResultFilesLabel, "Anzahl der durchsuchten Vistrel-Dateien :"},
    {ids::ResultKilobytesLabel, "in Kilobyte :"},
    {ids::ResultColumnFile, "Datei"},
    {ids::ResultColumnDescription, "Beschreibung"},
    {ids::ResultColumnTitle, "Titel"},
    {ids::ButtonCancel, "Abbrechen"},
    {ids::MenuSearch, "Su&chen"},
    {ids::PromptSearchCurrent, "Sucht im aktuellen Dokument nach einem Sichwort."},
    {ids::TipSearchCurrent, "Suchen"},
    {ids::PromptSearchRepeat, "wiederholt die Suche mit den zuvor angegebenen Suchbegriff."},
    {ids::CliFolderUnreadable, "Der Ordner %1 kann nicht gelesen werden."},
};
}  // namespace

std::span<const StringEntry> searchStrings() { return kEntries; }

}  // namespace vistrel::res
