#pragma once
// String ids of the show run control, the homing wait and the info window.
namespace vistrel::ids {
constexpr int ShowMismatch = 1000;             // info window: projector line beyond the show
constexpr int UploadBeforeStart = 1016;        // "Die Daten der Show wurden verändert bzw. ..."
constexpr int EmptyShowNoStart = 1018;         // "Die Show ist leer. ..."
constexpr int StartAtMarkedRow = 1019;         // "Möchten Sie die Show an der markierten Position ..."
constexpr int EndOfShowReached = 1021;         // " Diaschauende erreicht..."
constexpr int InfoAutoreverse = 1047;          // "Autoreverse"
constexpr int InfoPause = 1072;                // "Pause !"
// The homing wait, dialog 160.
constexpr int HomingCaption = 1700;            // "warten ..."
constexpr int HomingText = 1701;               // "bis Projektor in Grundstellung."
constexpr int HomingCancel = 1702;             // "Abbruch"
// The info window, dialog 143.
constexpr int InfoCaption = 1710;              // "Info"
constexpr int InfoFrame = 1711;                // " aktuelle Programmzelle"
constexpr int InfoProgramNumber = 1712;        // "Programmnummer :"
constexpr int InfoSlideNumber = 1713;          // "Dianummer :"
constexpr int InfoSpecialFunction = 1714;      // "Sonderfunktion :"
constexpr int InfoDissolve = 1715;             // "Überblendzeit :"
constexpr int InfoTimer = 1716;                // "Timer :"
constexpr int InfoRemaining = 1717;            // "verbleibende Zeit :"
constexpr int InfoDescription = 1718;          // "Beschreibung :"
constexpr int InfoSeconds = 1719;              // "Sek."
constexpr int InfoOk = 1720;                   // "OK"
constexpr int InfoCancel = 1721;               // "Cancel"
constexpr int InfoStopShow = 1722;             // "Diaschau stoppen"
constexpr int InfoUnknown = 1723;              // "???"
// The terminal player.
constexpr int PlayerEndOfShow = 1730;          // "Diaschauende"
}  // namespace vistrel::ids
