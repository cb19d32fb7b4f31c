#include "res/StringTable.h"
#include "res/strings/EditorStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::PauseSuffix, "Pause"},
    {ids::InvalidSlideNumber, "Die gewählte Dianummer ist nicht zulässig."},
    {ids::InvalidDissolveTime, "Die gewählte Überblendzeit ist nicht zulässig."},
    {ids::InvalidTimerTime, "Die gewählte Timerzeit ist nicht zulässig."},
    {ids::SecondsLabel, "Sek."},
    {ids::CountLabel, "Anzahl"},
};
}  // namespace

std::span<const StringEntry> editorStrings() { return kEntries; }

}  // namespace vistrel::res
