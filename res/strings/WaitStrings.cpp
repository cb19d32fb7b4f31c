#include "res/StringTable.h"
#include "res/strings/WaitStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::WaitCaption, "warten ..."},
    {ids::WaitReadyText, "Vistrel wartet, bis der Projektor bereit ist\n(höchstens 30 Sekunden)."},
    {ids::WaitModuleText, "Vistrel wartet, bis der Projektor mit dem Modul fertig ist\n(höchstens 30 Sekunden)."},
    {ids::WaitSearchText, "Vistrel sucht den Projektor an den Schnittstellen COM1 bis COM4."},
    {ids::WaitCancel, "Abbrechen"},
    {ids::WaitDontWait, "Nicht warten"},
    {ids::ProjectorFoundOnPort, "Der Projektor antwortet an der Schnittstelle COM%1."},
};
}  // namespace

std::span<const StringEntry> waitStrings() { return kEntries; }

}  // namespace vistrel::res
