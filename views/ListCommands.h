#pragma once
// Binds the line operations and the clipboard to one program list: the commands of
// its context menus, the "Bearbeiten" menu, the accelerators and the Delete and
// Insert keys run them on the list's document, each change as one step of the show's
// history. The list itself only draws.
#include <QObject>
#include <memory>

#include "dialogs/LineEntryDialog.h"
#include "model/ClipboardCommands.h"
#include "model/LineMoving.h"
#include "model/LineOperations.h"
#include "views/DesktopClipboard.h"

namespace vistrel {

class CTextView;
class ShowEditCommand;
class ShowHistory;

class ListCommands : public QObject {
    Q_OBJECT

public:
    // Hooks the commands into `list`, which owns this object; the changes become steps of `history`.
    ListCommands(CTextView& list, ShowHistory& history);

    LineOperations& lines() { return lines_; }
    // The selected lines dropped as a block so that the first becomes line `target`
    // (0-based): one step "Zeilen verschoben", refused while a show runs.
    void moveSelectedTo(int target);
    ClipboardCommands& clipboard() { return clipboard_; }

private:
    // "Bilder prüfen": which slides have a picture, which files stand for none.
    void reportPictures();
    // Alt+Up and Alt+Down: the selected lines one place up or down.
    void moveOnePlace(LineMove::Kind kind);
    void step(std::unique_ptr<ShowEditCommand> command);

    ShowHistory& history_;
    DesktopClipboard desktopClipboard_;
    QtLineDialogs dialogs_;
    ShowEditing editing_;
    LineOperations lines_;
    ClipboardCommands clipboard_;
    LineMoving moving_;
    CTextView& list_;
};

}  // namespace vistrel
