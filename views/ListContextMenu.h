#pragma once
// The program list's context menu "Zeile" (menu 146, or 147 while a show runs): "Zeile
// bearbeiten", the popups "Zeile einfügen", "Zeile(n) entfernen" and "Timerzeit(en) =
// ...", "Dianummern korrigieren..." and, during a run, "Springe zur Programmzeile"
// first. Its entries are the main window's actions for these commands, so that texts,
// status prompts, enabling and the way a command is carried out are the menus' own; a
// list without a main window (the tests of the list alone) gets actions of its own
// bound to the list.
class QMenu;
class QPoint;

namespace vistrel {

class CTextView;

class ListContextMenu {
public:
    // Builds the menu for `list` (deleted when closed) and shows it at `globalPos`,
    // horizontally centred there.
    static QMenu* popup(CTextView& list, bool running, const QPoint& globalPos);
    // A right click on `row`: the row is marked (while a show runs, beside the line being
    // shown), becomes the row the menu's commands act on, and the menu pops up.
    static QMenu* openOnRow(CTextView& list, int row, bool running, const QPoint& globalPos);
};

}  // namespace vistrel
