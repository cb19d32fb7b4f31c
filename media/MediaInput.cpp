#include "media/MediaInput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern "C" {
#include <libavformat/avformat.h>
#include <libavformat/avio.h>
#include <libavutil/mem.h>
}

#include "media/FfmpegSupport.h"

namespace vistrel::media {

namespace {

constexpr int ReadBufferBytes = 64 * 1024;

}  // namespace

struct MediaInput::State {
    int fd = -1;
    std::int64_t size = 0;      // as found when the file was opened: nothing beyond is read
    std::int64_t position = 0;
    AVIOContext* io = nullptr;
    AVFormatContext* format = nullptr;

    ~State() {
        if (format) avformat_close_input(&format);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
        if (fd >= 0) ::close(fd);
    }

    static int read(void* opaque, std::uint8_t* buffer, int wanted) {
        auto* s = static_cast<State*>(opaque);
        const std::int64_t left = s->size - s->position;
        if (left <= 0) return AVERROR_EOF;
        const auto count = static_cast<std::size_t>(std::min<std::int64_t>(wanted, left));
        ssize_t got;
        do {
            got = ::pread(s->fd, buffer, count, static_cast<off_t>(s->position));
        } while (got < 0 && errno == EINTR);
        if (got < 0) return AVERROR(errno);
        if (got == 0) return AVERROR_EOF;  // the file shrank meanwhile
        s->position += got;
        return static_cast<int>(got);
    }

    static std::int64_t seek(void* opaque, std::int64_t offset, int whence) {
        auto* s = static_cast<State*>(opaque);
        std::int64_t target = 0;
        switch (whence & ~AVSEEK_FORCE) {
            case AVSEEK_SIZE: return s->size;
            case SEEK_SET: target = offset; break;
            case SEEK_CUR: target = s->position + offset; break;
            case SEEK_END: target = s->size + offset; break;
            default: return AVERROR(EINVAL);
        }
        if (target < 0) return AVERROR(EINVAL);
        s->position = std::min(target, s->size);
        return s->position;
    }
};

MediaInput::MediaInput() : state_(std::make_unique<State>()) {}

MediaInput::~MediaInput() = default;

AVFormatContext* MediaInput::format() const { return state_->format; }

std::int64_t MediaInput::fileSize() const { return state_->size; }

MediaFailure MediaInput::open(const std::string& path) {
    using Problem = MediaFailure::Problem;
    quietFfmpegLog();
    state_ = std::make_unique<State>();
    State& s = *state_;
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    s.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (s.fd < 0) {
        const int code = errno;
        if (code == ENOENT) return {Problem::MusicMissing, path, code};
        if (code == EACCES || code == EPERM) return {Problem::MusicUnreadable, path, code};
        return {Problem::NotMusic, path, code};
    }
    struct stat info {};
    if (::fstat(s.fd, &info) != 0) return {Problem::MusicUnreadable, path, errno};
    if (!S_ISREG(info.st_mode)) return {Problem::NotMusic, path, S_ISDIR(info.st_mode) ? EISDIR : EINVAL};
    s.size = info.st_size;

    auto* buffer = static_cast<std::uint8_t*>(av_malloc(ReadBufferBytes));
    if (!buffer) return {Problem::MusicUnreadable, path, AVERROR(ENOMEM)};
    s.io = avio_alloc_context(buffer, ReadBufferBytes, 0, &s, &State::read, nullptr, &State::seek);
    if (!s.io) {
        av_free(buffer);
        return {Problem::MusicUnreadable, path, AVERROR(ENOMEM)};
    }
    s.format = avformat_alloc_context();
    if (!s.format) return {Problem::MusicUnreadable, path, AVERROR(ENOMEM)};
    s.format->pb = s.io;
    s.format->flags |= AVFMT_FLAG_CUSTOM_IO;
    // The name still helps the libraries guess the format (raw streams have no header).
    if (const int opened = avformat_open_input(&s.format, path.c_str(), nullptr, nullptr); opened < 0) {
        s.format = nullptr;  // freed by the failed open
        return {Problem::NotMusic, path, opened};
    }
    if (const int found = avformat_find_stream_info(s.format, nullptr); found < 0) return {Problem::NotMusic, path, found};
    return {};
}

}  // namespace vistrel::media
