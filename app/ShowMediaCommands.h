#pragma once
// "Bilderordner wählen..." and "Musik wählen...": the picture folder and the music
// chosen for each show, kept in the program's state under the show's path (never in
// the show file), and for a show never saved for as long as its window is open. The
// rehearsal and "Musiklänge übernehmen" of the scaling ask here what a show has.
#include <QHash>
#include <functional>

#include "dialogs/ScaleDialog.h"
#include "rehearsal/Rehearsal.h"

namespace vistrel {

class CSplitterFrame;
class CVistrelApp;
class CVistrelDoc;

class ShowMediaCommands {
public:
    explicit ShowMediaCommands(CVistrelApp& app);

    void choosePictureFolder(CSplitterFrame& frame);
    void chooseMusic(CSplitterFrame& frame);
    // What was chosen for `doc` (the picture folder found by default where none was); a
    // chosen folder or music that is gone is said once and forgotten.
    Rehearsal::Media mediaOf(const CVistrelDoc& doc) const;
    // "Musiklänge übernehmen" of the scaling dialog for `frame`'s show (empty: no music).
    ScaleDialog::MusicSeconds musicSeconds(CSplitterFrame& frame);
    // The show of `frame` was saved under a new name (it had `from`, empty for a new
    // show): its picture folder and music go along.
    void carryOver(CSplitterFrame& frame, const std::string& from);
    // The window of `doc` has closed: the choices of a show never saved go with it.
    void forget(const CVistrelDoc& doc);

private:
    // Changes what is kept for the show of `frame` (its own choices, not the defaults).
    void remember(CSplitterFrame& frame, const std::function<void(Rehearsal::Media&)>& change);
    void showChoice(int textId, CSplitterFrame& frame, const QString& chosen);

    CVistrelApp& app_;
    // The choices for shows never saved, which have no path to keep them under, for
    // as long as their window is open.
    QHash<const CVistrelDoc*, Rehearsal::Media> unsaved_;
};

}  // namespace vistrel
