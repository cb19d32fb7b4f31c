#include "app/VideoExportCommand.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <atomic>
#include <thread>
#include <vector>

#include "app/FileDialogs.h"
#include "dialogs/VideoExportDialog.h"
#include "media/MediaFailureText.h"
#include "model/CVistrelDoc.h"
#include "model/ShowMediaChoices.h"
#include "platform/Prompter.h"
#include "platform/qt/core/AppPaths.h"
#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"
#include "video/VideoExport.h"

namespace vistrel {

namespace {

QString tableText(int id) { return QString::fromUtf8(res::text(id)); }

// The video is offered beside the show, named like it: "Urlaub.dpd" → "Urlaub.mp4".
QString presetOutput(const CVistrelDoc& doc) {
    if (doc.filePath.empty()) return QDir::home().filePath(QString::fromStdString(doc.windowTitle) + QStringLiteral(".mp4"));
    const QFileInfo show(QString::fromStdString(doc.filePath));
    return show.absoluteDir().filePath(show.completeBaseName() + QStringLiteral(".mp4"));
}

}  // namespace

VideoExportCommand::VideoExportCommand(Prompter& prompter, FileDialogs& fileDialogs)
    : prompter_(prompter), fileDialogs_(fileDialogs) {}

void VideoExportCommand::run(const CVistrelDoc& doc, QWidget* parent) {
    video::VideoRequest initial;
    initial.showPath = doc.filePath;
    initial.outputPath = presetOutput(doc).toStdString();
    initial.size = QSize(lastWidth_, lastHeight_);
    initial.fps = lastFps_;
    initial.pauseHoldMs = lastPauseHoldMs_;
    if (!doc.filePath.empty()) {
        const ShowMediaChoices choices(showMediaFilePath().toStdString());
        initial.pictureFolder = choices.resolvedPictureFolder(doc.filePath);
        initial.musicPath = choices.of(doc.filePath).musicFile;
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

    // The worker gets lines of its own: nothing the windows do can reach them meanwhile.
    const std::vector<ProgramLine> lines(doc.lines.begin(), doc.lines.begin() + doc.lineCount);
    QProgressDialog progress(tableText(ids::VideoProgressStart), tableText(ids::VideoCancelButton), 0, 1000, parent);
    progress.setWindowTitle(tableText(ids::VideoProgressTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumWidth(380);
    progress.setValue(0);

    std::atomic<bool> cancel{false};
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&cancel] { cancel.store(true); });
    QEventLoop waiting;
    QProgressDialog* shown = &progress;  // outlives the worker: it is joined below
    video::ExportResult result;
    std::thread worker([&] {
        result = video::exportVideo(
            lines, request,
            [&shown](const video::ExportProgress& step) {
                const QString text = QString::fromStdString(step.text());
                const int permille = step.frames > 0 ? static_cast<int>(step.frame * 1000 / step.frames) : 0;
                QMetaObject::invokeMethod(
                    shown,
                    [shown, text, permille] {
                        if (shown->wasCanceled()) return;
                        shown->setLabelText(text);
                        shown->setValue(permille);
                    },
                    Qt::QueuedConnection);
            },
            cancel);
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    worker.join();
    progress.close();

    switch (result.outcome) {
        case video::ExportOutcome::Written:
            prompter_.showMessage(res::formatText(ids::VideoWritten, request.outputPath), MessageIcon::Information,
                                  MessageButtons::Ok);
            break;
        case video::ExportOutcome::Cancelled: break;
        case video::ExportOutcome::Failed:
            prompter_.showMessage(media::mediaFailureText(result.failure), MessageIcon::Exclamation, MessageButtons::Ok);
            break;
    }
}

}  // namespace vistrel
