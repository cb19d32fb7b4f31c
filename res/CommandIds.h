#pragma once
// The numeric command ids of menus, accelerators, tool bar and context menus, kept
// as the program has always numbered them.
namespace vistrel::cmd {

// File
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 32818;  // "&Schließen" (document window)
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrint = 57607;
constexpr int FilePrintDirect = 57608;
constexpr int FilePrintPreview = 57609;
constexpr int FilePrintSetup = 57606;
constexpr int FileExportVideo = 32860;  // "Als Video exportieren..."
constexpr int FileMruFirst = 57616;  // "Letzte Datei" and the recent files after it
constexpr int AppExit = 57665;

// Edit
constexpr int EditUndo = 57643;  // "Rückgängig: WHAT"
constexpr int EditRedo = 57644;  // "Wiederherstellen: WHAT"
constexpr int EditCut = 57635;
constexpr int EditCopy = 57634;
constexpr int EditPaste = 57637;
constexpr int EditRemove = 32811;     // "Entfernen"
constexpr int EditSelectAll = 32814;  // "&Alles markieren"

// Show
constexpr int EditTitle = 32773;          // "Titel bearbeiten / anzeigen"
constexpr int WriteToModule = 32774;      // "Diaschau ins Modul speichern"
constexpr int WriteToProjector = 32775;   // "Diaschau in den Projektor speichern"
constexpr int StartShow = 32776;          // "Diaschau starten"
constexpr int LoadFromProjector = 32778;  // "Diaschau vom Projektor laden"
constexpr int LoadFromModule = 32779;     // "Diaschau vom Modul laden"
constexpr int StopShow = 32780;           // "Diaschau stoppen"
constexpr int Settings = 32782;           // "Einstellungen"
constexpr int ScaleShow = 32783;          // "Diaschau skalieren"
constexpr int InfoDisplay = 32784;        // "Infoanzeige"
constexpr int SearchCurrent = 32803;      // "in aktueller Datei"
constexpr int SearchFolders = 32804;      // "in Unterverzeichnissen"
constexpr int ProjectorVersion = 32805;   // "Projektorversion"
constexpr int SearchRepeat = 32806;       // "Suche wiederholen"
constexpr int StandardColumns = 32807;    // "Standardeinteilung"
constexpr int PauseContinue = 32808;      // "Pause bzw. weiter"
constexpr int ShowLength = 32820;         // "Schaulänge"
constexpr int NextPicture = 32828;        // "Bild vorwärts"
constexpr int JumpToLine = 32829;         // "Springe zur Programmzeile"
// The rehearsal on the screen
constexpr int Rehearse = 32850;             // "Diaschau am Bildschirm proben"
constexpr int ChoosePictureFolder = 32851;  // "Bilderordner wählen..."
constexpr int ChooseMusic = 32852;          // "Musik wählen..."
// The show in pictures
constexpr int CheckPictures = 32871;      // "Bilder prüfen"
constexpr int PrintMagazinePlan = 32872;  // "Magazinplan drucken..."
constexpr int MoveLinesUp = 32873;        // "Zeilen nach oben" (Alt+Up)
constexpr int MoveLinesDown = 32874;      // "Zeilen nach unten" (Alt+Down)

// Rows of the program list (context menus 146 / 147)
constexpr int RemoveLines = 32792;               // "Zeile(n) entfernen" / "ohne Dianummern-Korrektur"
constexpr int InsertLine = 32793;                // "Zeile einfügen" / "ohne Dianummern-Korrektur"
constexpr int EditLine = 32794;                  // "Zeile bearbeiten"
constexpr int TimersInput = 32816;               // "Timerzeit(en) = ..." / "Eingabe"
constexpr int TimersZero = 32817;                // "Timerzeit(en) = ..." / "= 0"
constexpr int InsertLineCorrected = 32824;       // "mit Dianummern-Korrektur"
constexpr int RemoveLinesCorrected = 32825;      // "mit Dianummern-Korrektur"
constexpr int CorrectSlideNumbers = 32830;       // "Dianummern korrigieren..."

// View, window, help
constexpr int ViewToolBar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int ViewTimeline = 32881;  // "Zeitleiste" (Ctrl+Shift+T)
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
constexpr int WindowArrange = 57649;
constexpr int HelpTopics = 57667;
constexpr int HelpIndex = 57670;  // F1
constexpr int ContextHelp = 57669;  // Shift+F1
constexpr int AppAbout = 57664;
constexpr int OpenDemoShow = 32880;  // "Beispiel-Diaschau öffnen"
constexpr int OpenLightTable = 32890;  // "Leuchtpult" (Ctrl+Shift+L)

}  // namespace vistrel::cmd
