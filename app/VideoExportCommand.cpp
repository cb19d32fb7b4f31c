#include "app/VideoExportCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <vector>

#include "app/FileDialogs.h"
#include "app/MediaModule.h"
#include "dialogs/VideoExportDialog.h"
#include "media/MediaFailureText.h"
#include "model/CVistrelDoc.h"
#include "model/ShowMediaChoices.h"
#include "platform/Prompter.h"
#include "platform/qt/core/AppPaths.h"
#include "res/StringTable.h"
#include "res/TableText.h"
#include "res/strings/MediaStrings.h"

namespace vistrel {

namespace {

// The video is offered beside the show, named like it: "Urlaub.dpd" → "Urlaub.mp4".
QString presetOutput(const CVistrelDoc& doc) {
    if (doc.filePath.empty()) return QDir::home().filePath(QString::fromStdString(doc.windowTitle) + QStringLiteral(".mp4"));
    const QFileInfo show(QString::fromStdString(doc.filePath));
    return show.absoluteDir().filePath(show.completeBaseName() + QStringLiteral(".mp4"));
}

}  // namespace

VideoExportCommand::VideoExportCommand(Prompter& prompter, FileDialogs& fileDialogs, MediaModule& media)
    : prompter_(prompter),
      fileDialogs_(fileDialogs),
      media_(media),
      job_({[this](const video::ExportProgress& step) { showProgress(step); },
            [this](video::ExportResult result) { finish(result); }, [this] { closeProgress(); }}) {}

// A program that ends meanwhile cancels the export (the job waits for it, bounded); the
// old file stays.
VideoExportCommand::~VideoExportCommand() { delete progress_.data(); }

void VideoExportCommand::run(const CVistrelDoc& doc, QWidget* parent) {
    if (job_.running()) return;  // one at a time: its progress window keeps the others out
    const mediamodule::MediaFunctions* functions = media_.functions();
    if (!functions) {
        prompter_.showMessage(media_.error().toStdString(), MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    video::VideoRequest initial;
    initial.showPath = doc.filePath;
    initial.outputPath = presetOutput(doc).toStdString();
    initial.size = QSize(lastWidth_, lastHeight_);
    initial.fps = lastFps_;
    initial.pauseHoldMs = lastPauseHoldMs_;
    if (!doc.filePath.empty()) {
        ShowMediaChoices::Used used =
            ShowMediaChoices(showMediaFilePath().toStdString()).usedFor(doc.filePath, doc.windowTitle);
        for (const std::string& message : used.messages)
            prompter_.showMessage(message, MessageIcon::Exclamation, MessageButtons::Ok);
        initial.pictureFolder = std::move(used.pictureFolder);
        initial.musicPath = std::move(used.musicFile);
    }

    VideoExportDialog dialog(initial, doc.lineCount, prompter_,
                             [this, parent](const QString& preset) {
                                 return fileDialogs_.getSaveFileName(parent, tableText(ids::VideoSaveCaption), preset,
                                                                     tableText(ids::VideoFileFilter));
                             },
                             parent);
    if (dialog.exec() != QDialog::Accepted) return;
    const video::VideoRequest request = dialog.request();
    lastFps_ = request.fps;
    lastWidth_ = request.size.width();
    lastHeight_ = request.size.height();
    lastPauseHoldMs_ = request.pauseHoldMs;

    // The work gets lines of its own: nothing the windows do can reach them meanwhile.
    const std::vector<ProgramLine> lines(doc.lines.begin(), doc.lines.begin() + doc.lineCount);
    outputPath_ = request.outputPath;
    openProgress(parent);
    job_.start([functions, lines, request](const Job::Control& control) {
        return functions->exportVideo(
            lines, request, [&control](const video::ExportProgress& step) { control.report(step); },
            control.cancelFlag(), video::UnreadablePictureReport{});
    });
}

void VideoExportCommand::openProgress(QWidget* parent) {
    progress_ = new QProgressDialog(tableText(ids::VideoProgressStart), tableText(ids::VideoCancelButton), 0, 1000,
                                    parent);
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    progress_->setWindowTitle(tableText(ids::VideoProgressTitle));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setMinimumWidth(380);
    progress_->setValue(0);
    QObject::connect(progress_, &QProgressDialog::canceled, progress_, [this] { job_.cancel(); });
}

void VideoExportCommand::showProgress(const video::ExportProgress& step) {
    if (!progress_ || progress_->wasCanceled()) return;
    progress_->setLabelText(QString::fromStdString(step.text()));
    progress_->setValue(step.frames > 0 ? static_cast<int>(step.frame * 1000 / step.frames) : 0);
}

void VideoExportCommand::closeProgress() {
    if (progress_) progress_->close();  // deletes itself
}

void VideoExportCommand::finish(const video::ExportResult& result) {
    closeProgress();
    switch (result.outcome) {
        case video::ExportOutcome::Written:
            prompter_.showMessage(res::formatText(ids::VideoWritten, outputPath_), MessageIcon::Information,
                                  MessageButtons::Ok);
            break;
        case video::ExportOutcome::Cancelled: break;
        case video::ExportOutcome::Failed:
            prompter_.showMessage(media::mediaFailureText(result.failure), MessageIcon::Exclamation, MessageButtons::Ok);
            break;
    }
}

}  // namespace vistrel
