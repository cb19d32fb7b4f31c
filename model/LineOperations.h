#pragma once
// The commands that change whole lines from the program list: insert a line after
// the clicked row, remove the selected rows, set their timers, shift their slide
// numbers, select all rows. Insertion and removal come with or without correction:
// with it, the slide numbers of the whole show follow the magazine, moving up by one
// above an inserted slide and down by one above a removed one.
//
// A slide number that would leave 0..999 is refused with a message and nothing
// changes: the show file and the projector cannot hold it.
#include <functional>
#include <optional>
#include <string>

#include "model/ShowEditing.h"

namespace vistrel {

// The two small dialogs. Each opens with an empty entry field, hands every OK to
// `accept` (which refuses an entry with its own message by returning false, and the
// dialog then stays open) and gives the accepted entry, or nothing on Cancel.
class LineDialogs {
public:
    using EntryCheck = std::function<bool(const std::string& entry)>;
    virtual ~LineDialogs() = default;
    // "Timerzeit setzen".
    virtual std::optional<std::string> askTimer(const EntryCheck& accept) = 0;
    // "Inkrement für Dianummer".
    virtual std::optional<std::string> askSlideIncrement(const EntryCheck& accept) = 0;
};

// The timer dialog's entry in tenths: seconds, with a decimal point or comma; nothing
// that is not a number ("", "abc", "7x") and nothing outside 0..600 s.
std::optional<int> timerEntryTenths(std::string_view entry);
// The increment dialog's entry: a whole number with or without its sign ("+10", "-3",
// "7"); nothing for an entry that is no such number.
std::optional<int> slideIncrementEntry(std::string_view entry);

class LineOperations {
public:
    // `dialogs` may be null where no one can be asked (as if Cancel were pressed).
    LineOperations(ShowEditing& editing, LineDialogs* dialogs) : e_(editing), dialogs_(dialogs) {}

    // A copy of the clicked row's line, without its description, after that row.
    void insertLine();
    // The same, the new line taking the next slide number and every higher slide
    // number of the show moving up by one.
    void insertLineCorrected();
    // Removes the selected rows. Cut passes its copy as `copyFirst`: when that fails
    // no row goes. Either way the editor then offers a new line at the end.
    void removeLines(const std::function<bool()>& copyFirst = {});
    // Removes the selected rows one by one; each time every higher slide number of
    // the show moves down by one.
    void removeLinesCorrected();
    void clearTimers();
    void setTimers();
    // The timer of one line (0-based) set to `tenths`: a drag on the timeline.
    void setTimer(int line, int tenths);
    void shiftSlideNumbers();
    void selectAll();

    // The row the last insertion created, -1 when it was refused.
    int insertedItem() const { return insertedItem_; }

private:
    // Inserts the copy of the clicked line; false when refused.
    bool insertCopy(DocumentChange& change);
    // Whether the line the editor shows is one of `lines` (then it must reload).
    bool editorShowsOneOf(const std::vector<int>& lines) const;
    void reloadEditorIfItShowsOneOf(const std::vector<int>& lines, DocumentChange& change) const;
    void setSelectedTimers(const std::vector<int>& lines, int tenths, DocumentChange& change);

    ShowEditing& e_;
    LineDialogs* dialogs_;
    int insertedItem_ = -1;
};

}  // namespace vistrel
