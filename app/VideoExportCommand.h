#pragma once
// "Datei" → "Als Video exportieren...": the dialog, then the export in the background
// behind a progress window ("Zeile k von n", the time left, "Abbrechen"), so that the
// program's windows keep painting meanwhile; its end is said once it comes. The export
// is the one of `vistrel-cli video`; this class only binds it to windows.
#include <QPointer>
#include <QString>
#include <string>

#include "background/BackgroundJob.h"
#include "video/VideoExport.h"

class QProgressDialog;
class QWidget;

namespace vistrel {

class CVistrelDoc;
class FileDialogs;
class Prompter;

class VideoExportCommand {
public:
    VideoExportCommand(Prompter& prompter, FileDialogs& fileDialogs);
    ~VideoExportCommand();

    // Asks for the video and starts its export; returns while it runs.
    void run(const CVistrelDoc& doc, QWidget* parent);
    bool running() const { return job_.running(); }

private:
    using Job = background::BackgroundJob<video::ExportProgress, video::ExportResult>;

    void openProgress(QWidget* parent);
    void showProgress(const video::ExportProgress& step);
    void finish(const video::ExportResult& result);
    void closeProgress();

    Prompter& prompter_;
    FileDialogs& fileDialogs_;
    // What the user chose last time in this run of the program, offered again.
    int lastFps_ = 25;
    int lastWidth_ = 1920;
    int lastHeight_ = 1080;
    long long lastPauseHoldMs_ = 5000;
    std::string outputPath_;  // of the export running
    QPointer<QProgressDialog> progress_;
    Job job_;  // last: it goes first, before what its calls use
};

}  // namespace vistrel
