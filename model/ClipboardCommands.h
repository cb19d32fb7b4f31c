#pragma once
// Copy, cut and paste of program lines as clipboard text. Copy puts the selected rows'
// cell texts under the header line; paste reads records from a text that begins with
// that header and inserts them after the one selected row, or at the end.
//
// Pasted records whose values no show file or projector record can hold (slide
// numbers outside 0..999, dissolve times above 25.5 s, timers above 600 s, negative
// values, codes above 999) and records that end before their special function are
// refused one by one; the others are pasted, and one message names how many were
// refused and the first of them.
#include <optional>
#include <string>
#include <string_view>

#include "model/ShowEditing.h"

namespace vistrel {

class Clipboard;
class LineOperations;

class ClipboardCommands {
public:
    // `clipboard` may be null where there is none (the command line): copy and paste
    // through it then do nothing.
    ClipboardCommands(ShowEditing& editing, LineOperations& lines, Clipboard* clipboard)
        : e_(editing), lines_(lines), clipboard_(clipboard) {}

    // The text copying would put on the clipboard: the selected rows as the list holds them.
    std::string selectionText() const;

    // "Kopieren": false when the clipboard refused (its message has been shown).
    bool copyToClipboard();
    // "Ausschneiden": copy, and remove the rows only when the copy succeeded.
    void cutToClipboard();
    // "Einfügen" from the clipboard. Returns the number of lines inserted.
    int pasteFromClipboard();
    // "Einfügen" of a given text (Windows-1252), as if it came from the clipboard.
    int pasteText(std::string_view text);

private:
    // The checks before the clipboard is read: false (and the message shown) when
    // nothing can be pasted. `position` is where pasted lines go.
    bool readyToPaste(int& position);
    int insertRecords(std::string_view text, int position);

    ShowEditing& e_;
    LineOperations& lines_;
    Clipboard* clipboard_;
};

}  // namespace vistrel
