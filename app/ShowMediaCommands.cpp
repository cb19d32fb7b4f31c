#include "app/ShowMediaCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <optional>

#include "app/CMainFrame.h"
#include "app/CSplitterFrame.h"
#include "app/CVistrelApp.h"
#include "app/FileDialogs.h"
#include "media/AudioInfo.h"
#include "media/MediaFailureText.h"
#include "model/CVistrelDoc.h"
#include "model/ShowLengthCommands.h"
#include "model/ShowMediaChoices.h"
#include "platform/Prompter.h"
#include "platform/qt/core/AppPaths.h"
#include "res/TableText.h"
#include "res/strings/RehearsalStrings.h"
#include "res/strings/ShellStrings.h"
#include "views/TimelinePane.h"

namespace vistrel {

ShowMediaCommands::ShowMediaCommands(CVistrelApp& app) : app_(app) {}

Rehearsal::Media ShowMediaCommands::mediaOf(const CVistrelDoc& doc) const {
    const std::string& show = doc.filePath;
    if (show.empty()) return unsaved_.value(&doc);
    const ShowMediaChoices::Used used = ShowMediaChoices(showMediaFilePath().toStdString()).usedFor(show, doc.windowTitle);
    for (const std::string& message : used.messages)
        app_.environment().prompter.showMessage(message, MessageIcon::Exclamation, MessageButtons::Ok);
    return {QString::fromStdString(used.pictureFolder.string()), QString::fromStdString(used.musicFile)};
}

void ShowMediaCommands::carryOver(CSplitterFrame& frame, const std::string& from) {
    const std::string& to = frame.document().filePath;
    const ShowMediaChoices choices(showMediaFilePath().toStdString());
    bool kept = true;
    if (from.empty()) {
        // A new show's choices lived in memory until it had a name.
        const Rehearsal::Media media = unsaved_.take(&frame.document());
        kept = choices.remember(to, {media.pictureFolder.toStdString(), media.music.toStdString()});
    } else {
        kept = choices.carryOver(from, to);
    }
    if (!kept) {
        app_.environment().prompter.showMessage(
            tableText(ids::MediaChoiceNotKept).arg(showMediaFilePath()).toStdString(), MessageIcon::Exclamation,
            MessageButtons::Ok);
    }
}

void ShowMediaCommands::forget(const CVistrelDoc& doc) { unsaved_.remove(&doc); }

void ShowMediaCommands::remember(CSplitterFrame& frame, const std::function<void(Rehearsal::Media&)>& change) {
    const std::string& show = frame.document().filePath;
    if (show.empty()) {
        change(unsaved_[&frame.document()]);
        return;
    }
    // Only what was chosen is kept: a folder found by default follows the show.
    const ShowMediaChoices choices(showMediaFilePath().toStdString());
    ShowMedia kept = choices.of(show);
    Rehearsal::Media media{QString::fromStdString(kept.pictureFolder), QString::fromStdString(kept.musicFile)};
    change(media);
    kept = {media.pictureFolder.toStdString(), media.music.toStdString()};
    if (!choices.remember(show, kept)) {
        app_.environment().prompter.showMessage(
            tableText(ids::MediaChoiceNotKept).arg(showMediaFilePath()).toStdString(), MessageIcon::Exclamation,
            MessageButtons::Ok);
    }
}

void ShowMediaCommands::showChoice(int textId, CSplitterFrame& frame, const QString& chosen) {
    if (CMainFrame* main = app_.mainFrame()) {
        main->statusBar()->showMessage(tableText(textId).arg(QString::fromStdString(frame.document().windowTitle),
                                                             QDir::toNativeSeparators(chosen)));
    }
}

void ShowMediaCommands::choosePictureFolder(CSplitterFrame& frame) {
    Rehearsal::Media media = mediaOf(frame.document());
    QString start = media.pictureFolder;
    if (!QFileInfo(start).isDir()) start = dialogStartFolder(app_.settings().lastFolder);
    const QString chosen = app_.environment().fileDialogs.getExistingFolder(
        app_.mainFrame(), tableText(ids::PictureFolderDialogTitle), start);
    if (chosen.isEmpty()) return;
    media.pictureFolder = QDir(chosen).absolutePath();
    remember(frame, [&](Rehearsal::Media& kept) { kept.pictureFolder = media.pictureFolder; });
    showChoice(ids::PictureFolderChosen, frame, media.pictureFolder);
}

void ShowMediaCommands::chooseMusic(CSplitterFrame& frame) {
    Rehearsal::Media media = mediaOf(frame.document());
    QString start = media.music.isEmpty() ? QString() : QFileInfo(media.music).absolutePath();
    if (start.isEmpty() || !QFileInfo(start).isDir()) {
        const std::string& show = frame.document().filePath;
        start = show.empty() ? dialogStartFolder(app_.settings().lastFolder)
                             : QFileInfo(QString::fromStdString(show)).absolutePath();
    }
    const QString filter = tableText(ids::MusicFilter) + QStringLiteral(";;") + tableText(ids::AllFilesFilter);
    const QString chosen = app_.environment().fileDialogs.getOpenFileName(
        app_.mainFrame(), tableText(ids::MusicDialogTitle), start, filter);
    if (chosen.isEmpty()) return;
    media.music = QFileInfo(chosen).absoluteFilePath();
    remember(frame, [&](Rehearsal::Media& kept) { kept.music = media.music; });
    frame.timeline()->followMusic();
    showChoice(ids::MusicChosen, frame, media.music);
}

ScaleDialog::MusicSeconds ShowMediaCommands::musicSeconds(CSplitterFrame& frame) {
    const QString music = mediaOf(frame.document()).music;
    if (music.isEmpty() || !app_.mediaModule().present()) return {};
    return [this, music]() -> std::optional<std::int64_t> {
        const mediamodule::MediaFunctions* functions = app_.mediaModule().functions();
        if (!functions) {
            app_.environment().prompter.showMessage(app_.mediaModule().error().toStdString(), MessageIcon::Exclamation,
                                                    MessageButtons::Ok);
            return std::nullopt;
        }
        const media::AudioLength length = functions->audioLength(music.toStdString());
        if (!length.ok()) {
            app_.environment().prompter.showMessage(media::mediaFailureText(length.failure), MessageIcon::Exclamation,
                                                    MessageButtons::Ok);
            return std::nullopt;
        }
        // The same whole seconds as `vistrel-cli scale --to-audio` takes.
        return musicLengthForScaling(length.milliseconds) / 10;
    };
}

}  // namespace vistrel
