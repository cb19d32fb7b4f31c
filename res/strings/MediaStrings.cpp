#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::AudioFileMissing, "Die Musikdatei %s wurde nicht gefunden."},
    {ids::AudioFileUnreadable, "Die Musikdatei %s kann nicht gelesen werden."},
    {ids::AudioFileNotAudio, "Die Datei %s enthält keine Musik, die Vistrel lesen kann."},
    {ids::AudioLengthUnknown, "Die Länge der Musikdatei %s lässt sich nicht bestimmen."},
};
}  // namespace

std::span<const StringEntry> mediaStrings() { return kEntries; }

}  // namespace vistrel::res
