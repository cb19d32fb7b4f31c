#pragma once
// The open and save-as dialogs, behind an interface so that tests can answer them.
#include <QString>

class QWidget;

namespace vistrel {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Both return the chosen path, or an empty text when the dialog was cancelled.
    // `filter` is in the dialogs' "Name (*.ext)" form.
    virtual QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) = 0;
    virtual QString getSaveFileName(QWidget* parent, const QString& caption, const QString& preset,
                                    const QString& filter) = 0;
};

// The system's dialogs. No default extension is added: completing ".dpd" is the
// document's own business.
class QtFileDialogs final : public FileDialogs {
public:
    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
    QString getSaveFileName(QWidget* parent, const QString& caption, const QString& preset,
                            const QString& filter) override;
};

}  // namespace vistrel
