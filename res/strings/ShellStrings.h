#pragma once
// String ids of the application shell: captions, menus, tool tips, status bar, the
// questions of opening, saving and closing shows. A menu item's text has the id of
// its command (res/CommandIds.h); the ids below are the rest.
namespace vistrel::ids {
constexpr int MainCaption = 128;               // vendor name + " - " + "Vistrel"
constexpr int DocumentTemplate = 129;          // "\nVistre\nVistre\nVistrel-Files (*.dpd)\n..."
constexpr int ResolutionWarning = 1078;        // "Vistrel sollte mind. mit einer Auflösung ..."
constexpr int IndicatorCaps = 59137;           // "UF"
constexpr int IndicatorNum = 59138;            // "NUM"
constexpr int IndicatorScroll = 59139;         // "RF"
constexpr int IndicatorPause = 59142;          // "PAUSE !"
constexpr int StatusReady = 57345;             // "Bereit"

// Texts the program has no id of its own for.
constexpr int AskToSaveStart = 1430;           // "Möchten Sie die Änderungen in"
constexpr int AskToSaveEnd = 1431;             // "speichern ?"
constexpr int OpenFilterName = 1432;           // "Vistrel-Files"
constexpr int OpenFilterPattern = 1433;        // "*.dpd"
constexpr int NewShowBaseName = 1434;          // "Vistre"
constexpr int RecentFilePlaceholder = 1435;    // "Letzte Datei"
constexpr int OpenDialogTitle = 1436;          // "Öffnen"
constexpr int SaveDialogTitle = 1437;          // "Speichern unter"
constexpr int HelpWindowTitle = 1438;          // "Vistrel - Hilfe"
constexpr int HelpMissing = 1439;              // help page not found
constexpr int ToolBarTitle = 1440;             // "Symbolleiste"

// Menu bar popups. Their access keys keep clear of the accelerators Alt+B, D, F, I,
// L, S, T, U and W, which must reach their commands, and of each other ("Su&chen",
// SearchStrings.h, takes the C).
constexpr int MenuFile = 1450;                 // "Dat&ei"
constexpr int MenuEdit = 1451;                 // "Bea&rbeiten"
constexpr int MenuShow = 1452;                 // "Diasc&hau"
constexpr int MenuGeneral = 1453;              // "All&gemeines"
constexpr int MenuView = 1454;                 // "&Ansicht"
constexpr int MenuWindow = 1455;               // "Fe&nster"
constexpr int MenuHelp = 1456;                 // "&?"
constexpr int MenuSearchPopup = 1457;          // "Beschreibung / Dia suchen"

// Tool tip and status prompt of a tool bar button: ToolTipOffset + its command id.
constexpr int ToolTipOffset = 100000;
// Status-bar prompt of a menu command, where it differs from its tool tip:
// StatusPromptOffset + its command id.
constexpr int StatusPromptOffset = 200000;
}  // namespace vistrel::ids
