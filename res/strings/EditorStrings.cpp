#include "res/StringTable.h"
#include "res/strings/EditorStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {0, ""},
};
}  // namespace

std::span<const StringEntry> editorStrings() { return kEntries; }

}  // namespace vistrel::res
