#pragma once
// The two small dialogs of the line operations, "Timerzeit setzen" and "Inkrement für
// Dianummer": a label, one entry field that starts empty, OK and Cancel. OK hands the
// entry to the operation's check, which refuses it with its own message; the dialog
// then stays open with the entry selected, ready to be typed over.
#include <QDialog>

#include "model/LineOperations.h"

class QLineEdit;

namespace vistrel {

class LineEntryDialog : public QDialog {
    Q_OBJECT

public:
    // `maxLength` 0: no limit.
    LineEntryDialog(int captionId, int labelId, int maxLength, LineDialogs::EntryCheck check,
                    QWidget* parent = nullptr);

    QLineEdit* entryEdit() const { return entry_; }
    std::string entry() const;

public slots:
    void accept() override;

private:
    QLineEdit* entry_ = nullptr;
    LineDialogs::EntryCheck check_;
};

// The dialogs as the line operations ask for them, owned by `parent`'s window.
class QtLineDialogs final : public LineDialogs {
public:
    explicit QtLineDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<std::string> askTimer(const EntryCheck& accept) override;
    std::optional<std::string> askSlideIncrement(const EntryCheck& accept) override;

private:
    std::optional<std::string> ask(int captionId, int labelId, int maxLength, const EntryCheck& accept);
    QWidget* parent_;
};

}  // namespace vistrel
