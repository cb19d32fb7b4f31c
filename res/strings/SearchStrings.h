#pragma once
// String ids of the searches: in the open show and in folders of show files.
namespace vistrel::ids {
constexpr int NoFurtherData = 1014;          // "Es wurden keine weiteren Daten gefunden."
constexpr int NoMatchingRecords = 1015;      // "Es wurden keine passenden Datensätze gefunden."
constexpr int LoadFileButton = 1070;         // "Datei laden"
// Search-term dialog (139).
constexpr int SearchTermCaption = 1620;      // "Suchbegriff eingeben"
constexpr int MatchCaseLabel = 1621;         // "Groß- / Kleinschreibung beachten"
// Folder dialog (162).
constexpr int FolderDialogCaption = 1622;    // "Ordner auswählen "
constexpr int FolderDialogText = 1623;       // "Bitte wählen Sie einen Ordner aus, ..."
// Result window (159).
constexpr int ResultCaption = 1624;          // "Suchergebnis"
constexpr int ResultTermLabel = 1625;        // "Suchbegriff :"
constexpr int ResultFilesLabel = 1626;       // "Anzahl der durchsuchten Vistrel-Dateien :"
constexpr int ResultKilobytesLabel = 1627;   // "in Kilobyte :"
constexpr int ResultColumnFile = 1628;       // "Datei"
constexpr int ResultColumnDescription = 1629;  // "Beschreibung"
constexpr int ResultColumnTitle = 1630;      // "Titel"
constexpr int ButtonCancel = 1631;           // "Abbrechen"
constexpr int MenuSearch = 1632;             // "Su&chen"
// Status-bar prompts and tool tip.
constexpr int PromptSearchCurrent = 1634;    // "Sucht im aktuellen Dokument nach einem Sichwort."
constexpr int TipSearchCurrent = 1635;       // "Suchen"
constexpr int PromptSearchRepeat = 1636;     // "wiederholt die Suche mit den zuvor angegebenen Suchbegriff."
// vistrel-cli find.
constexpr int CliFolderUnreadable = 1633;    // "Der Ordner %1 kann nicht gelesen werden."
}  // namespace vistrel::ids
