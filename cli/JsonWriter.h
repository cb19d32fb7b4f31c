#pragma once
// The little JSON the command line prints: quoted strings with the escapes every
// reader understands.
#include <string>
#include <string_view>

namespace vistrel::cli {

// `utf8` as a JSON string literal: quotes and backslashes escaped, control characters
// below 0x20 as \u00XX; everything else passes as it is.
std::string jsonString(std::string_view utf8);

}  // namespace vistrel::cli
