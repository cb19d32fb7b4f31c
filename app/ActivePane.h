#pragma once
// Which pane of a show window the edit commands ("Ausschneiden", "Kopieren",
// "Einfügen", "Alles markieren") act on: the one the user last turned to, by a click
// or with the Tab key. Clicking a row of the list hands the keyboard to the line
// editor's slide number, ready for typing; the list still stays the pane the user
// works in, so that Ctrl+C then copies the clicked lines and not the slide number.
// Only a click into the editor, tabbing into it or typing there makes its fields the
// target.
#include <QObject>

class QWidget;

namespace vistrel {

class ActivePane : public QObject {
    Q_OBJECT

public:
    // Watches the events of `editor` and `list` (installs itself on the application);
    // goes with `owner`.
    ActivePane(QWidget& owner, QWidget& editor, QWidget& list);

    bool editorActive() const { return editorActive_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& editor_;
    QWidget& list_;
    bool editorActive_ = false;  // a new window starts with the list
};

}  // namespace vistrel
