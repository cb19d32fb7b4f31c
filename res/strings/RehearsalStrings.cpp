#include "res/StringTable.h"
#include "res/strings/RehearsalStrings.h"

#include "res/CommandIds.h"
#include "res/strings/ShellStrings.h"

namespace vistrel::res {

namespace {
using namespace vistrel::cmd;
constexpr int Tip = ids::ToolTipOffset;
constexpr int Prompt = ids::StatusPromptOffset;

constexpr StringEntry kEntries[] = {
    {Rehearse, "Diaschau am Bildschirm proben"},
    {ChoosePictureFolder, "Bilderordner wählen..."},
    {ChooseMusic, "Musik wählen..."},
    {Tip + Rehearse, "Diaschau am Bildschirm proben"},
    {CheckPictures, "Bilder prüfen"},
    {Prompt + CheckPictures, "Sagt, welche Dias ein Bild im Bilderordner haben und welche Bilder für kein Dia stehen."},

    {ids::RehearsalWindowTitle, "Probe - %1"},
    {ids::RehearsalMusicUnplayable, "Die Musikdatei\n%1\nkann nicht abgespielt werden.\nDie Probe läuft ohne Musik."},
    {ids::RehearsalNoSoundOutput, "Keine Tonausgabe gefunden: die Probe läuft ohne Musik."},
    {ids::RehearsalPictureUnreadable, "Das Bild für Dia %1 kann nicht gelesen werden: %2"},
    {ids::PictureFolderDialogTitle, "Bilderordner wählen"},
    {ids::MusicDialogTitle, "Musik wählen"},
    {ids::MusicFilter, "Musik (*.mp3 *.ogg *.oga *.opus *.flac *.wav *.m4a *.aac *.wma)"},
    {ids::AllFilesFilter, "Alle Dateien (*)"},
    {ids::PictureFolderChosen, "Bilderordner für %1: %2"},
    {ids::MusicChosen, "Musik für %1: %2"},
    {ids::PictureCheckSome, "%1 von %2 Dias haben ein Bild; ohne Bild: %3."},
    {ids::PictureCheckAll, "%1 von %2 Dias haben ein Bild."},
    {ids::PictureCheckUnused, "Bilddateien, die für kein Dia der Diaschau stehen: %1"},
    {ids::PictureCheckMore, " und %1 weitere"},
    {ids::PictureFolderUnreadable, "Der Bilderordner\n%1\nkann nicht gelesen werden."},
    {ids::RehearsalPictureFolderUnreadable,
     "Der Bilderordner %1 kann nicht gelesen werden: Die Probe zeigt die Karten der Dias."},
    {ids::RehearsalMusicStatus, "Die Musikdatei %1 kann nicht abgespielt werden: Die Probe läuft ohne Musik."},
    {ids::MediaChoiceNotKept, "Die Wahl kann nicht gespeichert werden.\nVistrel kann die Datei\n%1\nnicht schreiben."},
};
}  // namespace

std::span<const StringEntry> rehearsalStrings() { return kEntries; }

}  // namespace vistrel::res
