#include "res/StringTable.h"
#include "res/strings/ListStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {0, ""},
};
}  // namespace

std::span<const StringEntry> listStrings() { return kEntries; }

}  // namespace vistrel::res
