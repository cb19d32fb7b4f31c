#pragma once
// What "vistrel-cli show" prints about a show, as plain text or as JSON. Texts are
// converted from the show's Windows-1252 bytes to UTF-8.
#include <string>

namespace vistrel {
class CVistrelDoc;
}

namespace vistrel::cli {

// The five header texts, then the lines in the clipboard's text form, as the list
// shows them when it is filled from the document.
std::string showAsText(const CVistrelDoc& doc);

// One JSON object: header, lineCount, lines, showLength and playingTime.
std::string showAsJson(const CVistrelDoc& doc, int showLength, int playingTime);

}  // namespace vistrel::cli
