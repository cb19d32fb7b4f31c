#pragma once
// A show as one edit finds it and as it leaves it, and what undo keeps of the two.
// ShowState is everything an edit can change: the lines, the program list's own rows
// (their cell texts are not always what the lines would give) and its selection, the
// header and the line editor's line. ShowStateChange holds only what differs between
// two such states, so that a long history of small edits stays small, and puts a
// show back into either state.
#include <cstddef>
#include <vector>

#include "model/CVistrelDoc.h"
#include "model/CellText.h"
#include "model/DocumentChange.h"

namespace vistrel {

class ProgramRows;

struct ShowState {
    std::vector<ProgramLine> lines;
    std::vector<CellTexts> rows;
    ShowHeader header;
    int currentLine = 0;
    bool appendMode = true;
    bool clickBelowLastLine = false;
    std::vector<int> selectedRows;
    int focusedRow = -1;
};

ShowState captureShowState(const CVistrelDoc& doc, const ProgramRows& rows);

class ShowStateChange {
public:
    ShowStateChange(const ShowState& before, const ShowState& after);

    // Whether the lines, the rows or the header differ (the selection and the editor's
    // line alone are no change of the show).
    bool changesShow() const;

    enum class Direction {
        Back,     // to the state before the edit (undo)
        Forward,  // to the state after it (redo)
    };
    // Which targets were written since the other state was put in place.
    struct WrittenSince {
        bool projector = false;
        bool module = false;
    };
    // Puts `doc` and `rows` into the state of `direction` and says what changed there.
    // The lines put back carry the change marks they had in that state, except:
    //  - a line whose content changes now is marked as not in the projector (the module)
    //    again when that was written since: it holds the line replaced now;
    //  - `backToSaved`: the state is the one last saved, so no line counts as changed
    //    since; otherwise the lines changed now count as changed since saving, and the
    //    show counts as changed even when none of them is left.
    // `doc` and `rows` must be in the other state.
    DocumentChange apply(Direction direction, CVistrelDoc& doc, ProgramRows& rows, bool backToSaved,
                         WrittenSince written) const;

    // What this change keeps in memory, roughly, in bytes.
    std::size_t memoryBytes() const;

    template <class T>
    struct Splice {
        int at = 0;
        std::vector<T> before;
        std::vector<T> after;
    };

private:
    struct Cursor {
        int currentLine = 0;
        bool appendMode = true;
        bool clickBelowLastLine = false;
        std::vector<int> selectedRows;
        int focusedRow = -1;
    };

    std::vector<Splice<ProgramLine>> lines_;
    std::vector<Splice<CellTexts>> rows_;
    // Empty when the header stayed; else the header before and after.
    std::vector<ShowHeader> headers_;
    unsigned headerFields_ = 0;
    Cursor cursorBefore_;
    Cursor cursorAfter_;
};

}  // namespace vistrel
