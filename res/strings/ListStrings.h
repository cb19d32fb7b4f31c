#pragma once
// String ids of the list area of the string table.
namespace vistrel::ids {
}  // namespace vistrel::ids
