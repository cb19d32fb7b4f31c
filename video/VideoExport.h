#pragma once
// A show made into a video file, from the request to the finished file: the checks
// that come before any writing, the run's timeline from the first to the last line
// asked for, the music from where that line plays in the whole show, and the frames
// drawn by the same painter as the rehearsal's. The window program runs it on a worker
// thread, vistrel-cli in its main thread; both cancel it through `cancel`.
#include <atomic>
#include <functional>
#include <string>
#include <span>

#include "model/ProgramLine.h"
#include "video/FrameEncoding.h"
#include "video/ShowFrames.h"
#include "video/VideoRequest.h"

namespace vistrel::video {

// A picture file that could not be read (corrupt, empty, a loop, not a plain file, too
// large): told once per file, on the thread that draws the frames; its slide is shown
// as its card.
using UnreadablePictureReport = std::function<void(int slide, const std::string& path)>;

// Writes the video of `lines` (the show's lines in order) as `request` asks, each frame
// drawn by the rehearsal's painter with the pictures of `request.pictureFolder`.
ExportResult exportVideo(std::span<const ProgramLine> lines, const VideoRequest& request,
                         const ProgressReport& progress, const std::atomic<bool>& cancel,
                         const UnreadablePictureReport& unreadable = {});

// The rehearsal's painter over the pictures of `folder` (decoded once per size and kept
// across frames and lines; a slide without a picture is drawn as its card with the
// description of its line in `lines`).
ProjectionDrawer pictureDrawer(std::span<const ProgramLine> lines, const std::filesystem::path& folder,
                               UnreadablePictureReport unreadable = {});

}  // namespace vistrel::video
