#pragma once
// "Datei" → "Als Video exportieren...": the dialog, then the export on a worker
// thread behind a progress window ("Zeile k von n", the time left, "Abbrechen"), so
// that the program's windows keep painting meanwhile. The export is the one of
// `vistrel-cli video`; this class only binds it to windows.
#include <QString>

class QWidget;

namespace vistrel {

class CVistrelDoc;
class FileDialogs;
class MediaModule;
class Prompter;

class VideoExportCommand {
public:
    // The export itself is the media module's, loaded on the first export.
    VideoExportCommand(Prompter& prompter, FileDialogs& fileDialogs, MediaModule& media);

    void run(const CVistrelDoc& doc, QWidget* parent);

private:
    Prompter& prompter_;
    FileDialogs& fileDialogs_;
    MediaModule& media_;
    // What the user chose last time in this run of the program, offered again.
    int lastFps_ = 25;
    int lastWidth_ = 1920;
    int lastHeight_ = 1080;
    long long lastPauseHoldMs_ = 5000;
};

}  // namespace vistrel
