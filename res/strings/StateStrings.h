#pragma once
// String ids of what the program keeps of its own besides the settings: the recent
// files, the picture folder and music chosen per show, and the demo show it carries.
// Texts with "%1" are filled in by the program.
namespace vistrel::ids {
constexpr int RecentFilesNotKept = 1960;     // "Die Liste der zuletzt geöffneten Dateien ..."
constexpr int ChosenFolderGone = 1961;       // "Der Bilderordner ... gibt es nicht mehr ..."
constexpr int ChosenMusicGone = 1962;        // "Die Musikdatei ... gibt es nicht mehr ..."
constexpr int DemoShowMissing = 1963;        // "Die Beispiel-Diaschau ist nicht installiert ..."
constexpr int DemoShowNotCopied = 1964;      // "Die Beispiel-Diaschau kann nicht nach ... kopiert werden."
}  // namespace vistrel::ids
