#include "media/VideoEncoder.h"

#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "media/FrameQueue.h"
#include "media/VideoFormat.h"
#include "media/VideoWriter.h"
#include "model/FileReplacement.h"

namespace vistrel::media {

namespace {

// One step for the encoding thread, in playing order.
struct QueuedItem {
    enum class Kind { Frame, RepeatedFrame, Sound } kind = Kind::Frame;
    RgbFrame frame;
    std::vector<float> sound;
};

// Why the file could not take the video's place, for the user.
MediaFailure fileFailure(const FileReplacement& file, const std::string& outputPath) {
    using Problem = FileReplacement::Problem;
    const std::string folder = std::filesystem::path(file.targetPath()).parent_path().string();
    switch (file.problem()) {
        case Problem::None: return {};
        case Problem::NotReplaceable: return {MediaFailure::Problem::OutputNotReplaceable, outputPath, file.errorCode()};
        case Problem::FolderMissing:
            return {MediaFailure::Problem::OutputFolderMissing, folder.empty() ? "." : folder, file.errorCode()};
        case Problem::FolderNotWritable:
            return {MediaFailure::Problem::OutputFolderNotWritable, folder.empty() ? "." : folder, file.errorCode()};
        case Problem::IsFolder:
        case Problem::WriteFailed: return {MediaFailure::Problem::OutputWriteFailed, file.targetPath(), file.errorCode()};
    }
    return {};
}

}  // namespace

struct VideoEncoder::Worker {
    explicit Worker(std::size_t capacity) : queue(capacity) {}

    FrameQueue<QueuedItem> queue;
    VideoWriter writer;
    FileReplacement file;
    std::string outputPath;
    std::thread thread;
    mutable std::mutex failureMutex;
    MediaFailure failure;
    bool open = false;

    void setFailure(const MediaFailure& reason) {
        std::lock_guard lock(failureMutex);
        if (!failure.failed()) failure = reason;
    }

    bool write(const QueuedItem& item) {
        switch (item.kind) {
        case QueuedItem::Kind::Frame: return writer.writeFrame(item.frame);
        case QueuedItem::Kind::RepeatedFrame: return writer.repeatFrame();
        case QueuedItem::Kind::Sound:
            return writer.writeAudio(item.sound.data(), static_cast<int>(item.sound.size() / AudioChannels));
        }
        return false;
    }

    void run() {
        while (auto item = queue.pop()) {
            if (!write(*item)) {
                setFailure(writer.failure());
                queue.abandon();  // the drawing side learns of it at its next push
                return;
            }
        }
    }

    void stopThread() {
        if (thread.joinable()) thread.join();
    }

    bool push(QueuedItem item) {
        if (!open) return false;
        return queue.push(std::move(item));
    }
};

VideoEncoder::VideoEncoder(std::size_t queuedFrames) : worker_(std::make_unique<Worker>(queuedFrames)) {}

VideoEncoder::~VideoEncoder() { cancel(); }

bool VideoEncoder::open(const VideoSettings& settings) {
    Worker& w = *worker_;
    const std::optional<VideoFormat> format = videoFormatFor(settings.outputPath);
    if (!format) {
        w.setFailure({MediaFailure::Problem::FormatUnknown, settings.outputPath});
        return false;
    }
    // The same checks and the same temporary file as a save: a device, a pipe or a
    // read-only file is never replaced, and a half-written video never takes OUT's place.
    w.outputPath = settings.outputPath;
    if (!w.file.begin(settings.outputPath)) {
        w.setFailure(fileFailure(w.file, settings.outputPath));
        return false;
    }
    if (!w.writer.open(settings, *format, w.file.temporaryPath())) {
        w.setFailure(w.writer.failure());
        w.writer.abort();
        w.file.discard();
        return false;
    }
    w.open = true;
    w.thread = std::thread([&w] { w.run(); });
    return true;
}

bool VideoEncoder::addFrame(RgbFrame frame) {
    return worker_->push({QueuedItem::Kind::Frame, std::move(frame), {}});
}

bool VideoEncoder::repeatFrame() { return worker_->push({QueuedItem::Kind::RepeatedFrame, {}, {}}); }

bool VideoEncoder::addAudio(std::vector<float> samples) {
    return worker_->push({QueuedItem::Kind::Sound, {}, std::move(samples)});
}

bool VideoEncoder::finish() {
    Worker& w = *worker_;
    if (!w.open) return false;
    w.queue.close();
    w.stopThread();
    w.open = false;
    const bool written = !failure().failed() && w.writer.finish();
    if (!written) {
        w.setFailure(w.writer.failure());
        w.writer.abort();
        w.file.discard();
        return false;
    }
    if (!w.file.commit()) {
        w.setFailure(fileFailure(w.file, w.outputPath));
        return false;
    }
    return true;
}

void VideoEncoder::cancel() {
    Worker& w = *worker_;
    w.queue.abandon();
    w.stopThread();
    w.open = false;
    w.writer.abort();
    w.file.discard();
}

MediaFailure VideoEncoder::failure() const {
    std::lock_guard lock(worker_->failureMutex);
    return worker_->failure;
}

}  // namespace vistrel::media
