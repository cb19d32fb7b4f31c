#pragma once
// A pair of up/down arrows bound to an edit field, as the line editor has them: it
// keeps its own position within a range and reports each step, and the form decides
// what the field shows (the field's text is not simply the position: "  4.0", "0.1").
#include <QWidget>

class QToolButton;

namespace vistrel {

class SpinButton : public QWidget {
    Q_OBJECT

public:
    explicit SpinButton(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // Moves without reporting (the form sets it from its fields); clamped to the range.
    void setPosition(int position);
    int position() const { return position_; }

    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

signals:
    // The user moved the spin: `position` is already clamped to the range.
    void stepped(int position);

private:
    void step(int delta);

    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};

}  // namespace vistrel
