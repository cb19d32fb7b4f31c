#include "video/VideoExport.h"

#include <algorithm>
#include <memory>

#include "media/MusicDecoder.h"
#include "model/FileAccess.h"

namespace vistrel::video {

namespace {

// The entry of `timeline` that shows the 1-based show line `line`, or -1.
int entryOfLine(const ShowTimeline& timeline, int line) {
    const auto& entries = timeline.lines();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].line.lineIndex == line - 1) return static_cast<int>(i);
    return -1;
}

// Throws away the music before `ms`: the video starting at a later line hears what the
// whole show would play there (the music stands while the show waits at a pause, so
// `ms` counts no waits).
void skipMusic(media::PcmSource& music, std::int64_t ms) {
    std::vector<float> scratch(4096 * media::AudioChannels);
    std::int64_t left = ms * media::AudioSampleRate / 1000;
    while (left > 0) {
        const int got = music.read(scratch.data(), static_cast<int>(std::min<std::int64_t>(left, 4096)));
        if (got <= 0) return;
        left -= got;
    }
}

using Problem = media::MediaFailure::Problem;

ExportResult failure(media::MediaFailure reason) { return {ExportOutcome::Failed, std::move(reason)}; }

}  // namespace

ExportResult exportVideo(std::span<const ProgramLine> lines, const VideoRequest& request,
                         const ProgressReport& progress, const std::atomic<bool>& cancel,
                         const UnreadablePictureReport& unreadable) {
    if (lines.empty()) return failure({Problem::ShowEmpty, {}, 0, 0});
    if (!request.showPath.empty() && isSameFile(request.outputPath, request.showPath))
        return failure({Problem::OutputIsShow, request.outputPath, 0, 0});
    const ShowTimeline timeline = ShowTimeline::build(lines, request.fromLine);
    if (timeline.lines().empty()) return failure({Problem::NothingFromLine, {}, 0, request.fromLine});

    // Everything that can fail on the music fails here, before a byte is written.
    std::unique_ptr<media::MusicDecoder> music;
    if (!request.musicPath.empty()) {
        music = std::make_unique<media::MusicDecoder>();
        if (!music->open(request.musicPath)) return failure(music->failure());
        if (request.fromLine > 1) {
            const ShowTimeline whole = ShowTimeline::build(lines, 1);
            const int entry = entryOfLine(whole, request.fromLine);
            if (entry > 0) skipMusic(*music, whole.lines()[static_cast<std::size_t>(entry)].startTenths * 100);
        }
    }

    std::int64_t endMs = timeline.durationMs(request.pauseHoldMs);
    if (request.toLine > 0) {
        const int last = entryOfLine(timeline, request.toLine);
        if (last >= 0) endMs = runLengthThrough(timeline, last, request.pauseHoldMs);
    }
    ShowFrames frames(timeline, request.pauseHoldMs, endMs, request.fps, request.size,
                      pictureDrawer(lines, request.pictureFolder, unreadable));

    media::VideoSettings settings;
    settings.outputPath = request.outputPath;
    settings.width = request.size.width();
    settings.height = request.size.height();
    settings.fps = request.fps;
    settings.quality = request.quality;
    settings.withAudio = music != nullptr;
    return encodeFrames(frames, settings, music.get(), progress, cancel);
}

}  // namespace vistrel::video
