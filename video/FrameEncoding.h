#pragma once
// The loop that makes a video of a FrameSource: every frame drawn (or repeated while
// the picture stands still), the sound of each frame's time beside it, progress told
// as it goes, and a cancel honoured between any two frames.
#include <atomic>
#include <functional>
#include <string>

#include "media/MediaFailure.h"
#include "media/Soundtrack.h"
#include "media/VideoSettings.h"
#include "video/ExportProgress.h"
#include "video/FrameSource.h"

namespace vistrel::video {

enum class ExportOutcome { Written, Cancelled, Failed };

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::Failed;
    media::MediaFailure failure;  // what failed, for a failure
};

using ProgressReport = std::function<void(const ExportProgress&)>;

// Writes `frames` to `settings.outputPath`. With `settings.withAudio` the file gets a
// sound track: `music` (may be null: silence) cut or padded to the video's length.
ExportResult encodeFrames(FrameSource& frames, const media::VideoSettings& settings, media::PcmSource* music,
                          const ProgressReport& progress, const std::atomic<bool>& cancel);

}  // namespace vistrel::video
