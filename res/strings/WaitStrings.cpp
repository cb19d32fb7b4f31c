#include "res/StringTable.h"
#include "res/strings/WaitStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::ProjectorFoundOnPort, "Der Projektor antwortet an der Schnittstelle COM%d."},
};
}  // namespace

std::span<const StringEntry> waitStrings() { return kEntries; }

}  // namespace vistrel::res
