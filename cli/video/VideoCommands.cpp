// The video subcommand of vistrel-cli: a show rendered into a video file by the same
// export as "Datei" → "Als Video exportieren..." of the window program. Built only
// where the window program's libraries are (drawing needs fonts, so QtGui).
#include <QFileInfo>
#include <QLoggingCategory>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/ShowFileOptions.h"
#include "cli/TerminalProgress.h"
#include "media/MediaFailureText.h"
#include "model/CVistrelDoc.h"
#include "model/PictureFolder.h"
#include "model/ShowMediaChoices.h"
#include "platform/qt/core/AppPaths.h"
#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"
#include "res/strings/RehearsalStrings.h"
#include "video/VideoExport.h"

namespace vistrel::cli {

namespace {

// Ctrl+C (and a polite kill) ends the export between two frames: the temporary file
// goes, OUT stays as it was. The handler only marks it.
std::atomic<bool> cancelRequested{false};
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStopSignal(int signal) {
    stopSignal = signal;
    cancelRequested.store(true);
}

class StopSignals {
public:
    StopSignals() {
        cancelRequested.store(false);
        stopSignal = 0;
        struct sigaction action {};
        action.sa_handler = onStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < std::size(signals_); ++i) ::sigaction(signals_[i], &action, &previous_[i]);
    }
    ~StopSignals() {
        for (std::size_t i = 0; i < std::size(signals_); ++i) ::sigaction(signals_[i], &previous_[i], nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // As the shell reports a program ended by the signal: 130 for Ctrl+C.
    static int exitCode() { return 128 + (stopSignal != 0 ? static_cast<int>(stopSignal) : SIGINT); }

private:
    const int signals_[3] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous_[3] {};
};

std::optional<int> wholeNumberIn(const std::optional<std::string>& text, int low, int high) {
    if (!text || text->empty()) return std::nullopt;
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(*text, &used);
    } catch (...) {
        return std::nullopt;
    }
    if (used != text->size() || value < low || value > high) return std::nullopt;
    return value;
}

// The values of the options, checked; a usage error answers a bad one.
struct VideoOptions {
    video::VideoRequest request;
    std::optional<std::string> audio;
};

std::optional<int> readVideoOptions(const CommandLine& line, VideoOptions& options) {
    video::VideoRequest& request = options.request;
    request.outputPath = line.positional(1);
    if (const auto size = line.value("size")) {
        const auto parsed = video::parseVideoSize(*size);
        if (!parsed || parsed->width() < video::MinVideoSide || parsed->height() < video::MinVideoSide ||
            parsed->width() > video::MaxVideoSide || parsed->height() > video::MaxVideoSide)
            return line.usageError("--size takes WIDTHxHEIGHT, each 16 .. 7680 pixels, not '" + *size + "'");
        request.size = *parsed;
    }
    if (line.has("fps")) {
        const auto fps = wholeNumberIn(line.value("fps"), 1, video::MaxVideoFps);
        if (!fps) return line.usageError("--fps takes frames per second 1 .. 120, not '" + *line.value("fps") + "'");
        request.fps = *fps;
    }
    if (const auto seconds = line.value("pause-seconds")) {
        const auto ms = video::parseSecondsAsMs(*seconds);
        if (!ms || *ms > video::MaxPauseHoldSeconds * 1000)
            return line.usageError("--pause-seconds takes seconds 0 .. 3600 (one decimal at most), not '" + *seconds + "'");
        request.pauseHoldMs = *ms;
    }
    if (line.has("from")) {
        const auto from = wholeNumberIn(line.value("from"), 1, MaxProgramLines);
        if (!from) return line.usageError("--from takes a program line number 1 .. 999, not '" + *line.value("from") + "'");
        request.fromLine = *from;
    }
    if (line.has("to")) {
        const auto to = wholeNumberIn(line.value("to"), 1, MaxProgramLines);
        if (!to) return line.usageError("--to takes a program line number 1 .. 999, not '" + *line.value("to") + "'");
        if (*to < request.fromLine)
            return line.usageError("--to " + std::to_string(*to) + " lies before the first line " +
                                   std::to_string(request.fromLine));
        request.toLine = *to;
    }
    if (line.has("quality")) {
        const auto quality = wholeNumberIn(line.value("quality"), 1, 100);
        if (!quality) return line.usageError("--quality takes 1 .. 100, not '" + *line.value("quality") + "'");
        request.quality = *quality;
    }
    options.audio = line.value("audio");
    return std::nullopt;
}

// The message that refuses a picture folder given with --images, or nothing when it can be read.
std::optional<std::string> refusedImagesFolder(const std::string& folder) {
    switch (PictureFolder::scan(folder).state()) {
        case PictureFolder::State::Listed: return std::nullopt;
        case PictureFolder::State::Missing: return res::formatText(ids::VideoImagesMissing, folder);
        case PictureFolder::State::NotAFolder: return res::formatText(ids::VideoImagesNotAFolder, folder);
        case PictureFolder::State::Unreadable: return res::formatArgs(ids::PictureFolderUnreadable, {folder});
    }
    return std::nullopt;
}

// Whether the folder has a picture for any slide the show projects (slide 0 is dark).
bool anySlideHasAPicture(const CVistrelDoc& doc, const std::filesystem::path& folder) {
    const PictureFolder pictures = PictureFolder::scan(folder);
    bool anySlide = false;
    for (int i = 0; i < doc.lineCount; ++i) {
        const int slide = doc.lines[static_cast<std::size_t>(i)].slideNumber;
        if (slide == 0) continue;
        anySlide = true;
        if (pictures.pictureOf(slide)) return true;
    }
    return !anySlide;
}

int runVideo(const CommandLine& line) {
    VideoOptions options;
    if (const auto usage = readVideoOptions(line, options)) return *usage;
    video::VideoRequest& request = options.request;
    const std::string file = line.positional(0);
    request.showPath = file;

    ConsolePrompter prompter;
    const auto fail = [&prompter](const std::string& message) {
        prompter.showMessage(message, MessageIcon::Exclamation, MessageButtons::Ok);
        return 1;
    };
    const auto doc = readShowAsTheWindowProgramDoes(file, prompter);
    if (!doc) return 1;
    if (request.fromLine > doc->lineCount && doc->lineCount > 0)
        return line.usageError("--from " + std::to_string(request.fromLine) + " lies beyond the show's last line " +
                               std::to_string(doc->lineCount));

    // What the window program remembers for this show, unless the command line says otherwise.
    const ShowMediaChoices::Used used = ShowMediaChoices(showMediaFilePath().toStdString()).usedFor(file, file);
    for (const std::string& message : used.messages) prompter.note(message);  // said, the export goes on
    const auto images = line.value("images");
    if (images) {
        if (const auto refused = refusedImagesFolder(*images)) return fail(*refused);
    }
    request.pictureFolder = images ? std::filesystem::path(*images) : used.pictureFolder;
    request.musicPath = options.audio ? *options.audio : used.musicFile;

    const QSize even = video::evenVideoSize(request.size);
    if (even != request.size) {
        std::fprintf(stderr, "vistrel-cli: Die Größe %dx%d wird auf %dx%d aufgerundet: Videos haben gerade Maße.\n",
                     request.size.width(), request.size.height(), even.width(), even.height());
        request.size = even;
    }

    // Qt's image plugins keep their warnings to themselves: each picture that cannot be
    // read is named once below, in the program's words.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*.warning=false"));
    StopSignals stopSignals;
    TerminalProgress progress;
    // Each picture that cannot be read is named once, as the rehearsal names it.
    const auto unreadable = [&prompter](int slide, const std::string& path) {
        prompter.note(res::formatArgs(ids::RehearsalPictureUnreadable, {std::to_string(slide), path}));
    };
    const auto result = video::exportVideo(
        std::span<const ProgramLine>(doc->lines.data(), static_cast<std::size_t>(doc->lineCount)), request,
        [&progress](const video::ExportProgress& step) { progress.show("Video: " + step.text()); }, cancelRequested,
        unreadable);
    progress.clear();
    switch (result.outcome) {
        case video::ExportOutcome::Written:
            // Cards instead of every picture is no failure, but rarely what was meant.
            if (!anySlideHasAPicture(*doc, request.pictureFolder))
                prompter.note(res::formatText(ids::VideoNoPictures, request.pictureFolder.string()));
            return 0;
        case video::ExportOutcome::Cancelled: return StopSignals::exitCode();
        case video::ExportOutcome::Failed:
            // A refused OUT is said as a save says it, led by the file.
            if (result.failure.problem == media::MediaFailure::Problem::OutputNotReplaceable)
                prompter.setSubject(result.failure.file);
            return fail(media::mediaFailureText(result.failure));
    }
    return 1;
}

const CommandRegistration videoCommand{{
    .name = "video",
    .positionals = {"FILE", "OUT"},
    .options = {imagesOption(),
                valueOption("audio", "FILE", "the music under the video (default: the show's remembered music, "
                                             "else a sound file beside it named like it; --audio= for none)"),
                valueOption("size", "WxH", "the frame size in pixels (default 1920x1080); odd sides are rounded up"),
                valueOption("fps", "N", "frames per second, 1 .. 120 (default 25)"),
                valueOption("pause-seconds", "S", "how long a pause line stands before the show goes on (default 5)"),
                valueOption("from", "N", "the program line the run starts at (default 1)"),
                valueOption("to", "N", "the last program line shown (default: to the end of the run)"),
                valueOption("quality", "Q", "1 (smallest file) .. 100 (best picture), default 70")},
    .summary = "Renders the show FILE into the video OUT as the rehearsal shows it on the screen, frame by frame: "
               "the slides' pictures with their dissolves and light effects, each pause line held for a while and "
               "then continued as if \"weiter\" had been pressed, an autoreverse line ending the video. OUT's ending "
               "chooses the format: .mp4 (H.264 and AAC), .mkv (H.264 and AAC) or .webm (VP9 and Opus).",
    .notes = "A slide without a picture is shown as a card with its number and description; a picture file that "
             "cannot be read is named once on stderr and shown as its card too, and a folder without a picture for "
             "any slide is said in one line. The music stands while a pause line is held, as in the rehearsal, and "
             "is cut to the video's length with a two-second fade-out, or followed by silence. OUT must be a plain "
             "file you may write, or not exist yet: a device, a pipe, a socket or a read-only file is refused as "
             "\"save\" refuses it. OUT is written under a temporary name beside it and takes its name only when "
             "complete: a failed or interrupted export leaves OUT as it was. Progress is shown on stderr when it is "
             "a terminal. No display is needed.",
    .exitCodes = {{0, "written"},
                  {1, "the show, its music or the --images folder could not be read, or OUT could not be written "
                      "(the program's German message on stderr); OUT is as it was"},
                  {2, "usage error"},
                  {130, "interrupted with Ctrl+C; OUT is as it was"}},
    .run = runVideo,
}};

}  // namespace

}  // namespace vistrel::cli
