#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/strings/ShellStrings.h"
#include "res/strings/MediaStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::AudioFileMissing, "Die Musikdatei %1 wurde nicht gefunden."},
    {ids::AudioFileUnreadable, "Die Musikdatei %1 kann nicht gelesen werden."},
    {ids::AudioFileNotAudio, "Die Datei %1 enthält keine Musik, die Vistrel lesen kann."},
    {ids::AudioLengthUnknown, "Die Länge der Musikdatei %1 lässt sich nicht bestimmen."},
    {ids::VideoFolderMissing, "Der Ordner %1 existiert nicht."},
    {ids::VideoFolderNotWritable, "In den Ordner %1 kann nicht geschrieben werden."},
    {ids::VideoWriteFailed, "Die Videodatei %1 konnte nicht geschrieben werden."},
    {ids::VideoDiskFull, "Die Videodatei %1 konnte nicht geschrieben werden: Auf dem Datenträger ist kein Platz mehr."},
    {ids::VideoFormatUnknown,
     "Vistrel kann %1 nicht als Video schreiben: Der Dateiname muss auf .mp4, .mkv oder .webm enden."},
    {ids::VideoEncoderMissing, "Der Videocodierer %1 ist in dieser Installation nicht vorhanden."},
    {ids::VideoEncodingFailed, "Beim Codieren des Videos ist ein Fehler aufgetreten."},
    {ids::VideoShowEmpty, "Die Diaschau hat keine Zeilen: Es gibt kein Video zu schreiben."},
    {ids::VideoNothingFromLine, "Ab Zeile %1 zeigt die Diaschau nichts: Es gibt kein Video zu schreiben."},
    {ids::VideoOutputIsShow,
     "Die Videodatei %1 ist die Diaschau selbst und wird nicht überschrieben. Bitte wählen Sie einen anderen "
     "Namen."},

    {ids::VideoDialogTitle, "Als Video exportieren"},
    {ids::VideoFileLabel, "&Videodatei:"},
    {ids::VideoBrowse, "&Durchsuchen..."},
    {ids::VideoSizeLabel, "&Bildgröße:"},
    {ids::VideoSizeOwn, "Eigene Größe"},
    {ids::VideoFpsLabel, "Bilder pro &Sekunde:"},
    {ids::VideoPauseLabel, "&Pausenzeilen stehen:"},
    {ids::VideoFromLabel, "V&on Zeile:"},
    {ids::VideoToLabel, "b&is Zeile:"},
    {ids::VideoMusicCheck, "&Musik unterlegen"},
    {ids::VideoNoMusic, "Für diese Diaschau ist keine Musik gewählt."},
    {ids::VideoPicturesLabel, "Bilderordner:"},
    {ids::VideoExportButton, "&Exportieren"},
    {ids::VideoCancelButton, "Abbrechen"},
    {ids::VideoSaveCaption, "Video speichern unter"},
    {ids::VideoFileFilter, "Videos (*.mp4 *.mkv *.webm)"},
    {ids::VideoProgressTitle, "Video wird geschrieben"},
    {ids::VideoWritten, "Das Video %1 ist fertig."},
    {ids::VideoFileMissing, "Bitte geben Sie den Namen der Videodatei an."},
    {ids::VideoProgressStart, "Das Video wird vorbereitet ..."},
    {ids::MediaModuleMissing,
     "Vistrel kann keine Videos schreiben und keine Musikdateien lesen: Das Modul %1 fehlt oder lässt sich nicht laden."},
    {ids::VideoImagesMissing, "Der Bilderordner %1 existiert nicht."},
    {ids::VideoImagesNotAFolder, "%1 ist kein Ordner: Die Bilder der Dias werden in einem Ordner gesucht."},
    {ids::VideoNoPictures, "Im Bilderordner %1 gibt es für keines der Dias ein Bild: Das Video zeigt die Karten der Dias."},

    {ids::TimelineDragging, "Timer %1 s, Zeile %2 beginnt bei %3"},
    {ids::TimelineWholeShow, "Ganze Schau"},
    {ids::TimelineMusicEnd, "Ende der Musik"},
    {cmd::ViewTimeline, "&Zeitleiste"},
    {ids::StatusPromptOffset + cmd::ViewTimeline, "Blendet unter der Programmliste die Zeitleiste mit der Musik ein oder aus"},

    // The command in the menu "Datei".
    {cmd::FileExportVideo, "Als &Video exportieren..."},
    {ids::StatusPromptOffset + cmd::FileExportVideo, "Schreibt die Diaschau als Videodatei, so wie die Probe sie zeigt"},
};
}  // namespace

std::span<const StringEntry> mediaStrings() { return kEntries; }

}  // namespace vistrel::res
