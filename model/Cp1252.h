#pragma once
// Show files, the clipboard format and the projector all carry texts as Windows-1252
// bytes. The model keeps those bytes untouched; these helpers convert at the edges
// (windows, JSON output) and give the searches their case folding.
#include <string>
#include <string_view>

namespace vistrel {

// Every byte becomes its character. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number,
// so that the conversion is lossless and utf8ToCp1252 gives them back.
std::string cp1252ToUtf8(std::string_view bytes);

// Characters with no Windows-1252 byte, and malformed UTF-8, become '?'.
std::string utf8ToCp1252(std::string_view utf8);

// Upper case as the searches compare: a-z and the accented letters fold (ä→Ä, ö→Ö,
// ü→Ü, é→É, š→Š, ÿ→Ÿ ...); ß, µ and every other byte stay as they are.
char upperCp1252(char c);
std::string upperCp1252(std::string_view bytes);

}  // namespace vistrel
