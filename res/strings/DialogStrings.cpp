#include "res/StringTable.h"
#include "res/strings/DialogStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {0, ""},
};
}  // namespace

std::span<const StringEntry> dialogStrings() { return kEntries; }

}  // namespace vistrel::res
