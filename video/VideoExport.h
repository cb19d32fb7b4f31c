#pragma once
// A show made into a video file, from the request to the finished file: the checks
// that come before any writing, the run's timeline from the first to the last line
// asked for, the music from where that line plays in the whole show, and the frames
// drawn by the same painter as the rehearsal's. The window program runs it on a worker
// thread, vistrel-cli in its main thread; both cancel it through `cancel`.
#include <atomic>
#include <span>

#include "model/ProgramLine.h"
#include "video/FrameEncoding.h"
#include "video/ShowFrames.h"
#include "video/VideoRequest.h"

namespace vistrel::video {

// Writes the video of `lines` (the show's lines in order) as `request` asks, each frame
// drawn by the rehearsal's painter with the pictures of `request.pictureFolder`.
ExportResult exportVideo(std::span<const ProgramLine> lines, const VideoRequest& request,
                         const ProgressReport& progress, const std::atomic<bool>& cancel);

// The rehearsal's painter over the pictures of `folder` (decoded once per size and kept
// across frames and lines; a slide without a picture is drawn as its card with the
// description of its line in `lines`).
ProjectionDrawer pictureDrawer(std::span<const ProgramLine> lines, const std::filesystem::path& folder);

}  // namespace vistrel::video
