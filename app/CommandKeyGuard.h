#pragma once
// Keeps the command keys of the main window commands. A key combination that belongs
// to a menu command never reaches a field when that command is disabled (Alt+S must
// not type an "s" into the slide number while "Diaschau starten" is greyed), and an
// Alt combination never types a character at all. The enabling rules are brought up
// to date as the key arrives, so that a command enabled a moment ago is not refused
// (or a disabled one run) because the idle refresh has not come round yet.
// Undo and redo belong to a text field while it has typing of its own to take back or
// do again; otherwise their keys reach the show's history, also from a field.
#include <QHash>
#include <QObject>
#include <functional>

class QAction;
class QKeyEvent;
class QWidget;

namespace vistrel {

class CommandKeyGuard : public QObject {
    Q_OBJECT

public:
    // Watches the keys of `window` and its children; `actions` are its commands by id,
    // `refreshRules` evaluates every enabling rule. The guard installs itself on the
    // application and goes with `window`.
    CommandKeyGuard(QWidget& window, const QHash<int, QAction*>& actions, std::function<void()> refreshRules);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The command whose shortcut `key` is, or null.
    QAction* commandFor(const QKeyEvent& key) const;
    // Whether the field with the focus takes `command`'s key itself.
    static bool fieldKeeps(const QAction& command);

    QWidget& window_;
    const QHash<int, QAction*>& actions_;
    std::function<void()> refreshRules_;
};

}  // namespace vistrel
