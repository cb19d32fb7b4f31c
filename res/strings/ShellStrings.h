#pragma once
// String ids of the shell area of the string table.
namespace vistrel::ids {
}  // namespace vistrel::ids
