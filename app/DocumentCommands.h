#pragma once
// The commands a show window carries out on its document: save, save as, the
// question before closing and the title dialog. The document itself knows nothing of
// windows; this class brings it the dialogs and questions.
#include <QString>
#include <functional>
#include <string>

namespace vistrel {

class CSplitterFrame;
class FileDialogs;
class Prompter;
class RecentFileList;
struct Settings;

class DocumentCommands {
public:
    // `settings` give the folder a new show's save dialog starts in.
    DocumentCommands(Prompter& prompter, FileDialogs& fileDialogs, RecentFileList& recentFiles,
                     const Settings& settings);

    // "S&peichern" (force false) and "Speichern &unter..." (force true). True when the
    // show was written; false when the dialog was cancelled or writing failed.
    bool save(CSplitterFrame& frame, bool forceDialog);

    // Asks "Möchten Sie die Änderungen in <title> speichern ?" when the show has unsaved
    // lines. True when the window may close: No, or Yes and the show is now saved.
    bool confirmClose(CSplitterFrame& frame);

    // The question alone: Yes, No or Cancel.
    enum class Answer { Yes, No, Cancel };
    Answer askToSave(const CSplitterFrame& frame);

    // "Titel bearbeiten / anzeigen": marks the show as changed, then runs the dialog.
    void editTitle(CSplitterFrame& frame);

    // The filter of the open and save dialogs: "Vistrel-Files (*.dpd)".
    static QString fileFilter();

    // Told after a save under another name than the show had (`from`, empty for a new
    // show), so that what belongs to the show can follow it.
    using SavedUnderNewName = std::function<void(CSplitterFrame& frame, const std::string& from)>;
    void setSavedUnderNewName(SavedUnderNewName hook) { savedUnderNewName_ = std::move(hook); }

private:
    bool saveAs(CSplitterFrame& frame);
    bool writeTo(CSplitterFrame& frame, const QString& path);

    Prompter& prompter_;
    FileDialogs& fileDialogs_;
    RecentFileList& recentFiles_;
    const Settings& settings_;
    SavedUnderNewName savedUnderNewName_;
};

}  // namespace vistrel
