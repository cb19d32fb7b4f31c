#include "media/SoundFileWriter.h"

#include <algorithm>
#include <cmath>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include "media/FfmpegSupport.h"
#include "model/FileReplacement.h"

namespace vistrel::media {

namespace {

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

struct OutputCloser {
    void operator()(AVFormatContext* context) const {
        if (context->pb) avio_closep(&context->pb);
        avformat_free_context(context);
    }
};

}  // namespace

struct SoundFileWriter::State {
    std::unique_ptr<FileReplacement> file;
    std::unique_ptr<AVFormatContext, OutputCloser> output;
    CodecContextPtr codec;
    AVStream* stream = nullptr;
    FramePtr frame{av_frame_alloc()};
    PacketPtr packet{av_packet_alloc()};
    std::vector<float> pending;  // interleaved, not yet encoded from `pendingAt` on
    std::size_t pendingAt = 0;
    int channels = 0;
    std::int64_t nextPts = 0;
    std::string error;

    bool fail(const std::string& what, int code = 0) {
        error = code ? what + ": " + ffmpegErrorText(code) : what;
        return false;
    }

    // Writes every packet the encoder has ready.
    bool drain() {
        for (;;) {
            const int received = avcodec_receive_packet(codec.get(), packet.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
            if (received < 0) return fail("encoding", received);
            av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (const int written = av_interleaved_write_frame(output.get(), packet.get()); written < 0)
                return fail("writing", written);
        }
    }

    // One encoder frame of `frames` frames from `pendingAt` on.
    bool encode(int frames) {
        frame->nb_samples = frames;
        frame->format = codec->sample_fmt;
        if (av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout) < 0 || av_frame_get_buffer(frame.get(), 0) < 0)
            return fail("out of memory");
        for (int i = 0; i < frames; ++i) {
            for (int c = 0; c < channels; ++c) {
                const float value =
                    std::clamp(pending[pendingAt + static_cast<std::size_t>(i * channels + c)], -1.0f, 1.0f);
                if (codec->sample_fmt == AV_SAMPLE_FMT_FLTP) {
                    reinterpret_cast<float*>(frame->data[c])[i] = value;
                } else {
                    reinterpret_cast<std::int16_t*>(frame->data[0])[i * channels + c] =
                        static_cast<std::int16_t>(std::lround(value * 32767.0f));
                }
            }
        }
        frame->pts = nextPts;
        nextPts += frames;
        const int sent = avcodec_send_frame(codec.get(), frame.get());
        av_frame_unref(frame.get());
        pendingAt += static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels);
        if (sent < 0) return fail("encoding", sent);
        return drain();
    }

    int frameSize() const { return codec->frame_size > 0 ? codec->frame_size : 1024; }
    std::size_t pendingFrames() const { return (pending.size() - pendingAt) / static_cast<std::size_t>(channels); }
};

SoundFileWriter::SoundFileWriter() : state_(std::make_unique<State>()) {}

SoundFileWriter::~SoundFileWriter() = default;

const std::string& SoundFileWriter::error() const { return state_->error; }

bool SoundFileWriter::open(const std::string& path, int sampleRate, int channels) {
    quietFfmpegLog();
    State& s = *state_;
    const char* encoderName = endsWith(path, ".ogg") ? "libvorbis" : endsWith(path, ".flac") ? "flac" : nullptr;
    const AVCodec* encoder = encoderName ? avcodec_find_encoder_by_name(encoderName) : nullptr;
    if (!encoder) return s.fail("no encoder for " + path);
    s.file = std::make_unique<FileReplacement>();
    if (!s.file->begin(path)) return s.fail("cannot write " + path, AVERROR(s.file->errorCode()));
    AVFormatContext* context = nullptr;
    if (avformat_alloc_output_context2(&context, nullptr, nullptr, path.c_str()) < 0 || !context)
        return s.fail("no container for " + path);
    s.output.reset(context);
    s.codec.reset(avcodec_alloc_context3(encoder));
    if (!s.codec) return s.fail("out of memory");
    s.channels = channels;
    s.codec->sample_rate = sampleRate;
    s.codec->time_base = AVRational{1, sampleRate};
    av_channel_layout_default(&s.codec->ch_layout, channels);
    s.codec->sample_fmt = encoder->sample_fmts ? encoder->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    if (s.codec->sample_fmt != AV_SAMPLE_FMT_FLTP && s.codec->sample_fmt != AV_SAMPLE_FMT_S16)
        return s.fail("unexpected sample format of " + std::string(encoderName));
    if (std::string(encoderName) == "libvorbis") s.codec->bit_rate = 160000;
    if (s.output->oformat->flags & AVFMT_GLOBALHEADER) s.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (const int opened = avcodec_open2(s.codec.get(), encoder, nullptr); opened < 0) return s.fail("encoder", opened);
    s.stream = avformat_new_stream(s.output.get(), nullptr);
    if (!s.stream || avcodec_parameters_from_context(s.stream->codecpar, s.codec.get()) < 0)
        return s.fail("out of memory");
    s.stream->time_base = s.codec->time_base;
    if (const int opened = avio_open(&s.output->pb, s.file->temporaryPath().c_str(), AVIO_FLAG_WRITE); opened < 0)
        return s.fail(path, opened);
    if (const int written = avformat_write_header(s.output.get(), nullptr); written < 0) return s.fail(path, written);
    return true;
}

bool SoundFileWriter::write(const float* samples, int frames) {
    State& s = *state_;
    if (!s.stream || !s.error.empty()) return false;
    s.pending.insert(s.pending.end(), samples, samples + static_cast<std::ptrdiff_t>(frames) * s.channels);
    while (s.pendingFrames() >= static_cast<std::size_t>(s.frameSize()))
        if (!s.encode(s.frameSize())) return false;
    // What is left moves to the front once per call, not once per encoder frame.
    s.pending.erase(s.pending.begin(), s.pending.begin() + static_cast<std::ptrdiff_t>(s.pendingAt));
    s.pendingAt = 0;
    return true;
}

bool SoundFileWriter::finish() {
    State& s = *state_;
    if (!s.stream || !s.error.empty()) return false;
    if (s.pendingFrames() > 0 && !s.encode(static_cast<int>(s.pendingFrames()))) return false;
    if (const int flushed = avcodec_send_frame(s.codec.get(), nullptr); flushed < 0) return s.fail("encoding", flushed);
    if (!s.drain()) return false;
    if (const int written = av_write_trailer(s.output.get()); written < 0) return s.fail("writing", written);
    avio_closep(&s.output->pb);
    if (!s.file->commit()) return s.fail("cannot write " + s.file->targetPath(), AVERROR(s.file->errorCode()));
    return true;
}

}  // namespace vistrel::media
