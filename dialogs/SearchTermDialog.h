#pragma once
// "Suchbegriff eingeben": the term and "Groß- / Kleinschreibung beachten" for both
// searches. It opens where it was last left (kept in the settings, pulled onto the
// screen) and remembers every move.
#include <QDialog>
#include <QPoint>
#include <QSize>
#include <array>

class QCheckBox;
class QLineEdit;

namespace vistrel {

class SearchTermDialog : public QDialog {
    Q_OBJECT

public:
    // `position` is the remembered position; it follows the dialog while it is open.
    SearchTermDialog(const QString& term, bool matchCase, std::array<int, 2>& position, QWidget* parent = nullptr);
    ~SearchTermDialog() override;

    QString term() const;
    bool matchCase() const;
    QLineEdit* termEdit() const { return term_; }
    QCheckBox* matchCaseBox() const { return matchCase_; }

    // Where the dialog opens: negative coordinates count as 0, and it stays on the
    // screen (with room for a task bar of 22 pixels below it).
    static QPoint placement(const std::array<int, 2>& stored, QSize dialog, QSize screen);

protected:
    void moveEvent(QMoveEvent* event) override;
    void done(int result) override;

private:
    void remember();

    QLineEdit* term_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    std::array<int, 2>& position_;
    bool following_ = false;
};

}  // namespace vistrel
