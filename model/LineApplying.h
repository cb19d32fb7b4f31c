#pragma once
// "Übernehmen" of the line editor as an operation on the show: the checked line goes
// into the show at the editor's line (a new line after the last one in append mode),
// the list's row follows, and the editor moves on to the next line, or to a new one
// at the end: the rhythm of typing a show in. While a show runs, the line also goes
// straight into the projector, which takes no new lines then.
#include <functional>
#include <string>

#include "model/LineDraft.h"
#include "model/ShowEditing.h"

namespace vistrel {

struct RunningShow {
    bool running = false;
    // Sends the editor's line of the document into the running show: 1 sent, 0 refused
    // (a new line). May be empty: then only an existing line counts as sent.
    std::function<int(CVistrelDoc& doc)> sendLine;
};

// Stores `line`; `programNumber` is the editor's program number text, which a new line
// takes. Returns false when nothing was stored (a full show, or a new line during a
// run); its message has been shown.
bool applyEditedLine(ShowEditing& editing, const CheckedLine& line, const std::string& programNumber,
                     const RunningShow& show);

}  // namespace vistrel
