#include "media/VideoEncoder.h"

#include <mutex>
#include <optional>
#include <thread>

#include "media/FrameQueue.h"
#include "media/OutputFile.h"
#include "media/VideoFormat.h"
#include "media/VideoWriter.h"
#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"

namespace vistrel::media {

namespace {

// One step for the encoding thread, in playing order.
struct QueuedItem {
    enum class Kind { Frame, RepeatedFrame, Sound } kind = Kind::Frame;
    RgbFrame frame;
    std::vector<float> sound;
};

}  // namespace

struct VideoEncoder::Worker {
    explicit Worker(std::size_t capacity) : queue(capacity) {}

    FrameQueue<QueuedItem> queue;
    VideoWriter writer;
    std::optional<OutputFile> file;
    std::thread thread;
    mutable std::mutex errorMutex;
    std::string error;
    bool open = false;

    void setError(const std::string& text) {
        std::lock_guard lock(errorMutex);
        if (error.empty()) error = text;
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
                setError(writer.error());
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
        w.setError(res::formatText(ids::VideoFormatUnknown, settings.outputPath));
        return false;
    }
    w.file.emplace(settings.outputPath);
    if (!w.file->create()) {
        w.setError(w.file->error());
        return false;
    }
    if (!w.writer.open(settings, *format, w.file->temporaryPath())) {
        w.setError(w.writer.error());
        w.writer.abort();
        w.file->discard();
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
    const bool written = error().empty() && w.writer.finish();
    if (!written) {
        w.setError(w.writer.error());
        w.writer.abort();
        w.file->discard();
        return false;
    }
    if (!w.file->commit()) {
        w.setError(w.file->error());
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
    if (w.file) w.file->discard();
}

std::string VideoEncoder::error() const {
    std::lock_guard lock(worker_->errorMutex);
    return worker_->error;
}

}  // namespace vistrel::media
