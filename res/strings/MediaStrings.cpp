#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::AudioFileMissing, "Die Musikdatei %s wurde nicht gefunden."},
    {ids::AudioFileUnreadable, "Die Musikdatei %s kann nicht gelesen werden."},
    {ids::AudioFileNotAudio, "Die Datei %s enthält keine Musik, die Vistrel lesen kann."},
    {ids::AudioLengthUnknown, "Die Länge der Musikdatei %s lässt sich nicht bestimmen."},
    {ids::VideoFolderMissing, "Der Ordner %s existiert nicht."},
    {ids::VideoFolderNotWritable, "In den Ordner %s kann nicht geschrieben werden."},
    {ids::VideoWriteFailed, "Die Videodatei %s konnte nicht geschrieben werden."},
    {ids::VideoDiskFull, "Die Videodatei %s konnte nicht geschrieben werden: Auf dem Datenträger ist kein Platz mehr."},
    {ids::VideoFormatUnknown,
     "Vistrel kann %s nicht als Video schreiben: Der Dateiname muss auf .mp4, .mkv oder .webm enden."},
    {ids::VideoEncoderMissing, "Der Videocodierer %s ist in dieser Installation nicht vorhanden."},
    {ids::VideoEncodingFailed, "Beim Codieren des Videos ist ein Fehler aufgetreten."},
};
}  // namespace

std::span<const StringEntry> mediaStrings() { return kEntries; }

}  // namespace vistrel::res
