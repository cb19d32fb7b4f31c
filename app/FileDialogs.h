#pragma once
// The open and save-as dialogs, behind an interface so that tests can answer them.
#include <QString>
#include <string>

class QWidget;

namespace vistrel {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Both return the chosen path, or an empty text when the dialog was cancelled.
    // `filter` is in the dialogs' "Name (*.ext)" form. The open dialog starts in
    // `folder`; the save dialog starts on `preset`, a path whose folder it shows and
    // whose file name it offers.
    virtual QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) = 0;
    virtual QString getSaveFileName(QWidget* parent, const QString& caption, const QString& preset,
                                    const QString& filter) = 0;
    // A folder, starting in `folder`; empty when cancelled.
    virtual QString getExistingFolder(QWidget* parent, const QString& caption, const QString& folder) = 0;
};

// The folder a file dialog starts in: the last folder a show was opened from (as the
// settings keep it), or the home folder where that folder is unset or gone (a path
// from another machine, a removed stick).
QString dialogStartFolder(const std::string& lastFolder);

// The system's dialogs. No default extension is added: completing ".dpd" is the
// document's own business.
class QtFileDialogs final : public FileDialogs {
public:
    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
    QString getSaveFileName(QWidget* parent, const QString& caption, const QString& preset,
                            const QString& filter) override;
    QString getExistingFolder(QWidget* parent, const QString& caption, const QString& folder) override;
};

}  // namespace vistrel
