#pragma once
// String ids of the editor area of the string table.
namespace vistrel::ids {
}  // namespace vistrel::ids
