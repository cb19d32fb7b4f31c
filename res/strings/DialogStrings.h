#pragma once
// String ids of the dialog area of the string table.
namespace vistrel::ids {
// Title dialog, about box (shell).
constexpr int TitleDialogCaption = 1470;      // "Diaschautitel"
constexpr int TitleLabel = 1471;              // "Titel :"
constexpr int DescriptionLabel = 1472;        // "Beschreibung :"
constexpr int StorageLocationLabel = 1473;    // "Ablage :"
constexpr int ModuleNumberLabel = 1474;       // "Modulnummer :"
constexpr int ButtonOk = 1475;                // "OK"
constexpr int AboutCaption = 1477;            // "Info über Vistrel"
constexpr int AboutProgramVersion = 1478;     // "Vistrel, Version 1.14"
constexpr int AboutWebAddress = 1479;         // the maker's web address shown by the link
constexpr int AboutMaker = 1480;              // the maker's name line
constexpr int TooManyCharacters = 61716;      // "Geben Sie bitte nicht mehr als %1 Zeichen ein."
// Progress windows of the show transfer.
constexpr int WriteProgressTitle = 1410;      // dialog 141
constexpr int PleaseWaitText = 1411;          // "Bitte warten Sie einen Augenblick ..."
constexpr int ReadProgressTitle = 1412;       // dialog 142
constexpr int ReadLineLabel = 1413;           // "Lese Zeile :"
constexpr int ModuleWindowTitle = 1414;       // dialog 168 (reading: 1086)
constexpr int ModulePleaseWaitText = 1415;    // "Bitte warten Sie einen Augenblick..." (no blank)
}  // namespace vistrel::ids
