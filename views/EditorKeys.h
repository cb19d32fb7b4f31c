#pragma once
// The keys of the line editor that its controls do not handle themselves: Enter in the
// description, a selection list (its drop-down closed) or a slider is "Übernehmen", as
// it is in the other fields; tabbing into the description selects it, so that typing
// replaces the old text as it does in every other field.
#include <QObject>
#include <functional>
#include <initializer_list>

class QPlainTextEdit;
class QWidget;

namespace vistrel {

class EditorKeys : public QObject {
public:
    // Watches `description` and `controls`; `apply` is "Übernehmen".
    EditorKeys(QPlainTextEdit& description, std::initializer_list<QWidget*> controls, std::function<void()> apply,
               QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit& description_;
    std::function<void()> apply_;
};

}  // namespace vistrel
