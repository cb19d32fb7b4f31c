#pragma once
// String ids of the rehearsal on the screen: its window, the picture folder and the
// music. Texts with "%1" are filled in by the window program.
namespace vistrel::ids {
constexpr int RehearsalWindowTitle = 1850;      // "Probe - %1"
constexpr int RehearsalMusicUnplayable = 1851;  // "Die Musikdatei ... kann nicht abgespielt werden ..."
constexpr int RehearsalNoSoundOutput = 1852;    // "Keine Tonausgabe gefunden ..."
constexpr int RehearsalPictureUnreadable = 1853;  // "Das Bild für Dia %1 kann nicht gelesen werden: %2"
constexpr int PictureFolderDialogTitle = 1854;  // "Bilderordner wählen"
constexpr int MusicDialogTitle = 1855;          // "Musik wählen"
constexpr int MusicFilter = 1856;               // "Musik (*.mp3 ...)"
constexpr int AllFilesFilter = 1857;            // "Alle Dateien (*)"
constexpr int PictureFolderChosen = 1858;       // "Bilderordner für %1: %2"
constexpr int MusicChosen = 1859;               // "Musik für %1: %2"
constexpr int MediaChoiceNotKept = 1860;        // "Die Wahl ... kann nicht gespeichert werden ..."
// "Bilder prüfen"
constexpr int PictureCheckSome = 1861;         // "%1 von %2 Dias haben ein Bild; ohne Bild: %3."
constexpr int PictureCheckAll = 1862;          // "%1 von %2 Dias haben ein Bild."
constexpr int PictureCheckUnused = 1863;       // "Bilddateien, die für kein Dia stehen: %1"
constexpr int PictureCheckMore = 1864;         // " und %1 weitere"
constexpr int PictureFolderUnreadable = 1865;  // "Der Bilderordner ... kann nicht gelesen werden."
// Said in the status bar while a rehearsal runs without its pictures or its music.
constexpr int RehearsalPictureFolderUnreadable = 1870;  // "Der Bilderordner %1 kann nicht gelesen werden: ..."
constexpr int RehearsalMusicStatus = 1871;              // "Die Musikdatei %1 kann nicht abgespielt werden: ..."
}  // namespace vistrel::ids
