#include "res/StringTable.h"
#include "res/strings/ShellStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {0, ""},
};
}  // namespace

std::span<const StringEntry> shellStrings() { return kEntries; }

}  // namespace vistrel::res
