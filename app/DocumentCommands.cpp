#include "app/DocumentCommands.h"

#include <QDir>
#include <QFileInfo>

#include "app/CSplitterFrame.h"
#include "app/FileDialogs.h"
#include "app/RecentFileList.h"
#include "dialogs/ShowTitleDialog.h"
#include "edits/ChangeTitleCommand.h"
#include "edits/ShowHistory.h"
#include "model/Cp1252.h"
#include "model/Settings.h"
#include "platform/Prompter.h"
#include "res/StringTable.h"
#include "res/TableText.h"
#include "res/strings/ShellStrings.h"

namespace vistrel {

namespace {

// Header texts are kept as the file has them (Windows-1252); the dialog edits Unicode.
template <std::size_t N>
QString fromHeader(const FixedText<N>& text) {
    return QString::fromStdString(cp1252ToUtf8(text.view()));
}
std::string toHeader(const QString& text) { return utf8ToCp1252(text.toStdString()); }

}  // namespace

DocumentCommands::DocumentCommands(Prompter& prompter, FileDialogs& fileDialogs, RecentFileList& recentFiles,
                                   const Settings& settings)
    : prompter_(prompter), fileDialogs_(fileDialogs), recentFiles_(recentFiles), settings_(settings) {}

QString DocumentCommands::fileFilter() {
    return tableText(ids::OpenFilterName) + QStringLiteral(" (") + tableText(ids::OpenFilterPattern) +
           QLatin1Char(')');
}

bool DocumentCommands::save(CSplitterFrame& frame, bool forceDialog) {
    CVistrelDoc& doc = frame.document();
    if (doc.filePath.empty() || forceDialog) return saveAs(frame);
    return writeTo(frame, QString::fromStdString(doc.filePath));
}

bool DocumentCommands::saveAs(CSplitterFrame& frame) {
    CVistrelDoc& doc = frame.document();
    // A saved show starts in its own folder under its own name; a new one under its
    // title in the folder shows were last opened from.
    const QString preset = doc.filePath.empty()
                               ? QDir(dialogStartFolder(settings_.lastFolder))
                                     .filePath(QString::fromStdString(doc.windowTitle))
                               : QFileInfo(QString::fromStdString(doc.filePath)).absoluteFilePath();
    const QString chosen = fileDialogs_.getSaveFileName(&frame, tableText(ids::SaveDialogTitle), preset, fileFilter());
    if (chosen.isEmpty()) return false;
    return writeTo(frame, chosen);
}

bool DocumentCommands::writeTo(CSplitterFrame& frame, const QString& path) {
    CVistrelDoc& doc = frame.document();
    const std::string before = doc.filePath;
    // The document completes ".dpd" and keeps the path it tried, even when writing fails.
    if (!doc.saveToFile(path.toStdString(), prompter_)) return false;
    if (doc.filePath != before && savedUnderNewName_) savedUnderNewName_(frame, before);
    // Only a written file names the window and enters the recent files: a failed save
    // must not look like a saved one.
    const QString written = QString::fromStdString(doc.filePath);
    doc.windowTitle = QFileInfo(written).fileName().toStdString();
    frame.history().markSaved();
    frame.refreshTitle();
    recentFiles_.add(written);
    recentFiles_.save();
    return true;
}

DocumentCommands::Answer DocumentCommands::askToSave(const CSplitterFrame& frame) {
    const std::string question = std::string(res::text(ids::AskToSaveStart)) + " " +
                                 frame.document().windowTitle + " " + res::text(ids::AskToSaveEnd);
    switch (prompter_.showMessage(question, MessageIcon::Question, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes: return Answer::Yes;
    case MessageAnswer::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

bool DocumentCommands::confirmClose(CSplitterFrame& frame) {
    if (!frame.document().hasUnsavedChanges()) return true;
    switch (askToSave(frame)) {
    case Answer::Yes:
        save(frame, false);
        return !frame.document().hasUnsavedChanges();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void DocumentCommands::editTitle(CSplitterFrame& frame) {
    CVistrelDoc& doc = frame.document();
    const ShowHeader& header = doc.header;
    const ShowTitleTexts texts{fromHeader(header.title), fromHeader(header.description),
                               fromHeader(header.descriptionContinued), fromHeader(header.storageLocation),
                               fromHeader(header.moduleNumber)};
    ShowTitleDialog dialog(texts, prompter_, frame.window());
    if (dialog.exec() == QDialog::Accepted) {
        const ShowTitleTexts result = dialog.texts();
        ShowHeader confirmed;
        confirmed.title = toHeader(result.title);
        confirmed.description = toHeader(result.description);
        confirmed.storageLocation = toHeader(result.storageLocation);
        confirmed.moduleNumber = toHeader(result.moduleNumber);
        // One step: the texts, and the show marked as changed. Texts confirmed as they
        // were change nothing to take back.
        if (!(confirmed == doc.header) &&
            frame.history().perform(std::make_unique<ChangeTitleCommand>(frame.history(), confirmed)).kept)
            return;
    }
    // Opening the dialog counts as a change, whatever its outcome.
    doc.lines[0].changeMarks |= ChangedSinceSave;
    DocumentChange change;
    change.addLines(0, 0);
    doc.announce(change);
}

}  // namespace vistrel
