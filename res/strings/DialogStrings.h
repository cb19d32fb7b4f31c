#pragma once
// String ids of the dialog area of the string table.
namespace vistrel::ids {
}  // namespace vistrel::ids
