#include "media/Waveform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>

#include "media/FfmpegSupport.h"
#include "media/PeakSlices.h"
#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"

namespace vistrel::media {

namespace {

// Only a readable regular file goes to FFmpeg: a named pipe would block its open, a
// device (/dev/zero) would never end. The message id, or nothing when it may be opened.
std::optional<int> unopenableMusic(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return ids::AudioFileMissing;
    if (!S_ISREG(info.st_mode)) return ids::AudioFileNotAudio;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return ids::AudioFileUnreadable;
    ::close(fd);
    return std::nullopt;
}

// A sample as a part of full scale, without its sign.
template <typename Sample>
inline float level(Sample sample, float scale, float offset) {
    if constexpr (std::is_same_v<Sample, float>) {
        return std::fabs(sample);
    } else {
        return std::fabs((static_cast<float>(sample) - offset) * scale);
    }
}

// The loudest channel of each frame. Channel by channel for planar sound, so that the
// loops stay simple enough for the compiler's vector instructions.
template <typename Sample>
void loudestChannels(const AVFrame& frame, int channels, bool planar, float scale, float offset, float* out) {
    const int count = frame.nb_samples;
    if (planar) {
        const auto* first = reinterpret_cast<const Sample*>(frame.extended_data[0]);
        for (int i = 0; i < count; ++i) out[i] = level(first[i], scale, offset);
        for (int c = 1; c < channels; ++c) {
            const auto* samples = reinterpret_cast<const Sample*>(frame.extended_data[c]);
            for (int i = 0; i < count; ++i) out[i] = louder(out[i], level(samples[i], scale, offset));
        }
        return;
    }
    const auto* samples = reinterpret_cast<const Sample*>(frame.extended_data[0]);
    for (int i = 0; i < count; ++i) {
        float loudest = 0.0f;
        for (int c = 0; c < channels; ++c) loudest = louder(loudest, level(samples[i * channels + c], scale, offset));
        out[i] = loudest;
    }
}

// False for a sample format no decoder gives out.
bool framePeaks(const AVFrame& frame, float* out) {
    const int channels = frame.ch_layout.nb_channels;
    if (channels <= 0) return false;
    const auto format = static_cast<AVSampleFormat>(frame.format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    // Integer samples as parts of their full scale; unsigned 8 bit centred on 128.
    const auto scaled = [&]<typename Sample>(Sample, float fullScale, float centre = 0.0f) {
        loudestChannels<Sample>(frame, channels, planar, 1.0f / fullScale, centre, out);
        return true;
    };
    switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8: return scaled(std::uint8_t{}, 128.0f, 128.0f);
        case AV_SAMPLE_FMT_S16: return scaled(std::int16_t{}, 32768.0f);
        case AV_SAMPLE_FMT_S32: return scaled(std::int32_t{}, 2147483648.0f);
        case AV_SAMPLE_FMT_S64: return scaled(std::int64_t{}, 9223372036854775808.0f);
        case AV_SAMPLE_FMT_FLT: return scaled(float{}, 1.0f);
        case AV_SAMPLE_FMT_DBL: return scaled(double{}, 1.0f);
        default: return false;
    }
}

// The frames the container says the stream holds, or 0 when it only guesses.
std::int64_t statedFrames(const AVFormatContext& input, const AVStream& stream, int sampleRate) {
    if (input.duration_estimation_method == AVFMT_DURATION_FROM_BITRATE || sampleRate <= 0) return 0;
    if (stream.duration == AV_NOPTS_VALUE || stream.duration <= 0) return 0;
    return av_rescale_q(stream.duration, stream.time_base, AVRational{1, sampleRate});
}

class WaveformReader {
public:
    WaveformReader(const std::string& path, int slices, const std::atomic<bool>* cancel)
        : path_(path), slices_(std::max(slices, 1)), cancel_(cancel) {}

    WaveformResult read() {
        if (const std::optional<int> problem = unopenableMusic(path_)) return failure(*problem);
        quietFfmpegLog();
        AVFormatContext* opened = nullptr;
        if (avformat_open_input(&opened, path_.c_str(), nullptr, nullptr) < 0) return failure(ids::AudioFileNotAudio);
        input_.reset(opened);
        if (avformat_find_stream_info(input_.get(), nullptr) < 0) return failure(ids::AudioFileNotAudio);
        const AVCodec* decoder = nullptr;
        stream_ = av_find_best_stream(input_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
        if (stream_ < 0 || !decoder) return failure(ids::AudioFileNotAudio);
        codec_.reset(avcodec_alloc_context3(decoder));
        const AVStream& stream = *input_->streams[stream_];
        if (!codec_ || avcodec_parameters_to_context(codec_.get(), stream.codecpar) < 0 ||
            avcodec_open2(codec_.get(), decoder, nullptr) < 0)
            return failure(ids::AudioFileNotAudio);
        // Every other stream (a cover picture, a second language) is not even demultiplexed.
        for (unsigned i = 0; i < input_->nb_streams; ++i)
            if (static_cast<int>(i) != stream_) input_->streams[i]->discard = AVDISCARD_ALL;

        const int sampleRate = codec_->sample_rate;
        PeakSlices peaks(slices_, statedFrames(*input_, stream, sampleRate));
        if (!decodeAll(peaks)) {
            WaveformResult result;
            result.cancelled = true;
            return result;
        }
        if (peaks.frames() == 0 || sampleRate <= 0) return failure(ids::AudioFileNotAudio);
        WaveformResult result;
        result.waveform = {peaks.frames(), sampleRate, peaks.peaks()};
        return result;
    }

private:
    WaveformResult failure(int id) const {
        WaveformResult result;
        result.error = res::formatText(id, path_);
        return result;
    }

    bool cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

    // Every packet of the stream through the decoder; false when cancelled. A damaged
    // packet is skipped.
    bool decodeAll(PeakSlices& peaks) {
        PacketPtr packet(av_packet_alloc());
        FramePtr frame(av_frame_alloc());
        if (!packet || !frame) return true;
        bool inputEnded = false;
        while (!cancelled()) {
            const int received = avcodec_receive_frame(codec_.get(), frame.get());
            if (received == 0) {
                framePeaks_.resize(static_cast<std::size_t>(std::max(frame->nb_samples, 0)));
                if (framePeaks(*frame, framePeaks_.data())) peaks.add(framePeaks_.data(), frame->nb_samples);
                av_frame_unref(frame.get());
                continue;
            }
            // The end, or nothing more to feed it with.
            if (received == AVERROR_EOF || inputEnded) return true;
            if (av_read_frame(input_.get(), packet.get()) < 0) {
                inputEnded = true;
                avcodec_send_packet(codec_.get(), nullptr);
                continue;
            }
            if (packet->stream_index == stream_) avcodec_send_packet(codec_.get(), packet.get());
            av_packet_unref(packet.get());
        }
        return false;
    }

    std::string path_;
    int slices_;
    const std::atomic<bool>* cancel_;
    InputPtr input_;
    CodecContextPtr codec_;
    int stream_ = -1;
    std::vector<float> framePeaks_;
};

}  // namespace


WaveformResult readWaveform(const std::string& path, int slices, const std::atomic<bool>* cancel) {
    return WaveformReader(path, slices, cancel).read();
}

}  // namespace vistrel::media
