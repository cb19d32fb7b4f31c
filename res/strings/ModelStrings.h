#pragma once
// String ids of the show model: file errors and capacity.
namespace vistrel::ids {
constexpr int LineCapacityReached = 1011;   // "Die maximale Anzahl der Zeilen ist erreicht! "
constexpr int NotADpdFile = 1068;           // "Diese Datei tägt nicht die DPD-Kennung!..."
constexpr int FileSaveFailed = 1089;        // "Die Datei konnte nicht unter dem ..."
constexpr int FileLoadFailed = 1090;        // "Die angegebende Vistrel-Datei konnte ..."
constexpr int InvalidSpecialFunction = 2001; // parameter outside 0..9
constexpr int SfUnknown = 2002;             // "unbekannter SF-Code"
// Mechanical function texts: editor list (2010 + value) and display (2020 + value).
constexpr int MechanicalListBase = 2010;
constexpr int MechanicalDisplayBase = 2020;
// Light function texts: editor list (2030 + value) and display patterns (2040 + value).
constexpr int LightListBase = 2030;
constexpr int LightDisplayBase = 2040;
}  // namespace vistrel::ids
