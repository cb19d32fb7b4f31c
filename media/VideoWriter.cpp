#include "media/VideoWriter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <vector>

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "media/FfmpegSupport.h"

namespace vistrel::media {

namespace {

struct SwsFreer {
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};
struct SwrFreer {
    void operator()(SwrContext* context) const { swr_free(&context); }
};
struct FifoFreer {
    void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};
struct OutputCloser {
    void operator()(AVFormatContext* context) const {
        if (context->pb) avio_closep(&context->pb);
        avformat_free_context(context);
    }
};

// The quality scale 1..100 as the constant-quality value of each codec: 70 gives
// x264's own default (23), 100 a picture close to lossless, 1 the smallest file.
int constantQualityFor(const char* encoder, int quality) {
    const double q = std::clamp(quality, 1, 100);
    if (std::string_view(encoder) == "libvpx-vp9") return static_cast<int>(std::lround(63.0 - 0.5 * q));
    return static_cast<int>(std::lround(51.0 - 0.4 * q));
}

AVSampleFormat preferredSampleFormat(const AVCodec* codec) {
    if (!codec->sample_fmts) return AV_SAMPLE_FMT_FLTP;
    for (const AVSampleFormat* format = codec->sample_fmts; *format != AV_SAMPLE_FMT_NONE; ++format) {
        if (*format == AV_SAMPLE_FMT_FLTP || *format == AV_SAMPLE_FMT_FLT) return *format;
    }
    return codec->sample_fmts[0];
}

}  // namespace

struct VideoWriter::State {
    MediaFailure failure;
    std::string outputPath;
    std::unique_ptr<AVFormatContext, OutputCloser> output;
    bool headerWritten = false;

    CodecContextPtr video;
    AVStream* videoStream = nullptr;
    std::unique_ptr<SwsContext, SwsFreer> toYuv;
    FramePtr rgb;  // the drawn frame as the conversion sees it: its pixels, not a copy
    FramePtr picture;
    std::int64_t nextFrame = 0;
    bool havePicture = false;

    CodecContextPtr audio;
    AVStream* audioStream = nullptr;
    std::unique_ptr<SwrContext, SwrFreer> toCodecSamples;
    std::unique_ptr<AVAudioFifo, FifoFreer> fifo;
    FramePtr sound;
    std::int64_t nextSample = 0;
    std::vector<std::uint8_t*> convertPlanes;

    PacketPtr packet{av_packet_alloc()};

    bool fail(MediaFailure::Problem problem, int code, const std::string& file) {
        if (!failure.failed()) failure = {problem, file, code};
        return false;
    }
    // A failure of the libraries: a full disk gets its own message, the rest one for all.
    bool failWith(int code) {
        using Problem = MediaFailure::Problem;
        if (code == AVERROR(ENOSPC) || code == AVERROR(EFBIG) || code == AVERROR(EDQUOT))
            return fail(Problem::DiskFull, code, outputPath);
        if (code == AVERROR(EIO) || code == AVERROR(EACCES) || code == AVERROR(EROFS))
            return fail(Problem::OutputWriteFailed, code, outputPath);
        if (output && output->pb && output->pb->error < 0 && output->pb->error != code) return failWith(output->pb->error);
        return fail(Problem::EncodingFailed, code, outputPath);
    }

    bool drain(AVCodecContext* codec, AVStream* stream) {
        while (true) {
            const int received = avcodec_receive_packet(codec, packet.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
            if (received < 0) return failWith(received);
            av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            const int written = av_interleaved_write_frame(output.get(), packet.get());
            if (written < 0) return failWith(written);
        }
    }

    bool encode(AVCodecContext* codec, AVStream* stream, const AVFrame* frame) {
        const int sent = avcodec_send_frame(codec, frame);
        if (sent < 0 && sent != AVERROR_EOF) return failWith(sent);
        return drain(codec, stream);
    }

    bool openVideo(const VideoSettings& settings, const VideoFormat& format) {
        const AVCodec* codec = avcodec_find_encoder_by_name(format.videoEncoder);
        if (!codec) return fail(MediaFailure::Problem::EncoderMissing, AVERROR_ENCODER_NOT_FOUND, format.videoEncoder);
        videoStream = avformat_new_stream(output.get(), nullptr);
        video.reset(avcodec_alloc_context3(codec));
        if (!videoStream || !video) return failWith(AVERROR(ENOMEM));
        video->width = settings.width;
        video->height = settings.height;
        video->time_base = AVRational{1, settings.fps};
        video->framerate = AVRational{settings.fps, 1};
        video->pix_fmt = AV_PIX_FMT_YUV420P;
        video->gop_size = settings.fps * 5;  // a key frame every five seconds: quick seeking
        video->color_range = AVCOL_RANGE_MPEG;
        video->colorspace = AVCOL_SPC_BT709;
        video->color_primaries = AVCOL_PRI_BT709;
        video->color_trc = AVCOL_TRC_BT709;
        video->thread_count = 0;
        if (output->oformat->flags & AVFMT_GLOBALHEADER) video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        const int crf = constantQualityFor(format.videoEncoder, settings.quality);
        if (std::string_view(format.videoEncoder) == "libvpx-vp9") {
            video->bit_rate = 0;  // constant quality, no bit-rate target
            av_opt_set_int(video->priv_data, "crf", crf, 0);
            av_opt_set(video->priv_data, "deadline", "realtime", 0);
            av_opt_set_int(video->priv_data, "cpu-used", 8, 0);
            av_opt_set_int(video->priv_data, "row-mt", 1, 0);
        } else {
            av_opt_set(video->priv_data, "preset", "veryfast", 0);
            av_opt_set_int(video->priv_data, "crf", crf, 0);
        }
        if (const int opened = avcodec_open2(video.get(), codec, nullptr); opened < 0) return failWith(opened);
        if (const int copied = avcodec_parameters_from_context(videoStream->codecpar, video.get()); copied < 0)
            return failWith(copied);
        videoStream->time_base = video->time_base;
        videoStream->avg_frame_rate = video->framerate;

        // The conversion runs in slices on threads of its own (as many as the processor
        // has cores), so that the encoder is handed a frame as soon as it is drawn.
        toYuv.reset(sws_alloc_context());
        picture.reset(av_frame_alloc());
        rgb.reset(av_frame_alloc());
        if (!toYuv || !picture || !rgb) return failWith(AVERROR(ENOMEM));
        av_opt_set_int(toYuv.get(), "srcw", settings.width, 0);
        av_opt_set_int(toYuv.get(), "srch", settings.height, 0);
        av_opt_set_pixel_fmt(toYuv.get(), "src_format", AV_PIX_FMT_RGB32, 0);
        av_opt_set_int(toYuv.get(), "dstw", settings.width, 0);
        av_opt_set_int(toYuv.get(), "dsth", settings.height, 0);
        av_opt_set_pixel_fmt(toYuv.get(), "dst_format", AV_PIX_FMT_YUV420P, 0);
        av_opt_set_int(toYuv.get(), "sws_flags", SWS_BILINEAR, 0);
        av_opt_set_int(toYuv.get(), "threads", 0, 0);
        if (const int made = sws_init_context(toYuv.get(), nullptr, nullptr); made < 0) return failWith(made);
        rgb->format = AV_PIX_FMT_RGB32;
        rgb->width = settings.width;
        rgb->height = settings.height;
        // Full-range RGB in, studio-range BT.709 out, as the stream says it is.
        sws_setColorspaceDetails(toYuv.get(), sws_getCoefficients(SWS_CS_ITU709), 1, sws_getCoefficients(SWS_CS_ITU709),
                                 0, 0, 1 << 16, 1 << 16);
        return newPicture();
    }

    // A buffer of its own for the next converted picture.
    bool newPicture() {
        av_frame_unref(picture.get());
        picture->format = AV_PIX_FMT_YUV420P;
        picture->width = video->width;
        picture->height = video->height;
        picture->color_range = AVCOL_RANGE_MPEG;
        picture->colorspace = AVCOL_SPC_BT709;
        if (const int allocated = av_frame_get_buffer(picture.get(), 0); allocated < 0) return failWith(allocated);
        return true;
    }

    bool openAudio(const VideoFormat& format) {
        const AVCodec* codec = avcodec_find_encoder_by_name(format.audioEncoder);
        if (!codec) return fail(MediaFailure::Problem::EncoderMissing, AVERROR_ENCODER_NOT_FOUND, format.audioEncoder);
        audioStream = avformat_new_stream(output.get(), nullptr);
        audio.reset(avcodec_alloc_context3(codec));
        if (!audioStream || !audio) return failWith(AVERROR(ENOMEM));
        audio->sample_fmt = preferredSampleFormat(codec);
        audio->sample_rate = AudioSampleRate;
        av_channel_layout_default(&audio->ch_layout, AudioChannels);
        audio->bit_rate = std::string_view(format.audioEncoder) == "libopus" ? 128000 : 192000;
        audio->time_base = AVRational{1, AudioSampleRate};
        if (output->oformat->flags & AVFMT_GLOBALHEADER) audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (const int opened = avcodec_open2(audio.get(), codec, nullptr); opened < 0) return failWith(opened);
        if (const int copied = avcodec_parameters_from_context(audioStream->codecpar, audio.get()); copied < 0)
            return failWith(copied);
        audioStream->time_base = audio->time_base;

        AVChannelLayout stereo;
        av_channel_layout_default(&stereo, AudioChannels);
        SwrContext* resampler = nullptr;
        if (swr_alloc_set_opts2(&resampler, &audio->ch_layout, audio->sample_fmt, AudioSampleRate, &stereo,
                                AV_SAMPLE_FMT_FLT, AudioSampleRate, 0, nullptr) < 0)
            return failWith(AVERROR(ENOMEM));
        toCodecSamples.reset(resampler);
        if (const int initialised = swr_init(resampler); initialised < 0) return failWith(initialised);
        fifo.reset(av_audio_fifo_alloc(audio->sample_fmt, AudioChannels, AudioSampleRate));
        sound.reset(av_frame_alloc());
        if (!fifo || !sound) return failWith(AVERROR(ENOMEM));
        return true;
    }

    // Takes one codec frame (or, at the end, what is left) out of the fifo and encodes it.
    bool encodeSoundFrom(int frames) {
        av_frame_unref(sound.get());
        sound->nb_samples = frames;
        sound->format = audio->sample_fmt;
        sound->sample_rate = AudioSampleRate;
        if (const int copied = av_channel_layout_copy(&sound->ch_layout, &audio->ch_layout); copied < 0)
            return failWith(copied);
        if (const int allocated = av_frame_get_buffer(sound.get(), 0); allocated < 0) return failWith(allocated);
        if (av_audio_fifo_read(fifo.get(), reinterpret_cast<void**>(sound->data), frames) < frames)
            return failWith(AVERROR_BUG);
        sound->pts = nextSample;
        nextSample += frames;
        return encode(audio.get(), audioStream, sound.get());
    }

    int audioFrameSize() const {
        const bool anySize = audio->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
        return anySize || audio->frame_size <= 0 ? 1024 : audio->frame_size;
    }
};

VideoWriter::VideoWriter() : state_(std::make_unique<State>()) {}

VideoWriter::~VideoWriter() { abort(); }

const MediaFailure& VideoWriter::failure() const { return state_->failure; }

bool VideoWriter::open(const VideoSettings& settings, const VideoFormat& format, const std::string& filePath) {
    quietFfmpegLog();
    State& s = *state_;
    s.outputPath = settings.outputPath;
    AVFormatContext* context = nullptr;
    if (const int allocated = avformat_alloc_output_context2(&context, nullptr, format.muxer, filePath.c_str());
        allocated < 0 || !context)
        return s.fail(MediaFailure::Problem::EncodingFailed, allocated, s.outputPath);
    s.output.reset(context);
    if (!s.openVideo(settings, format)) return false;
    if (settings.withAudio && !s.openAudio(format)) return false;
    if (const int opened = avio_open(&s.output->pb, filePath.c_str(), AVIO_FLAG_WRITE); opened < 0)
        return s.fail(MediaFailure::Problem::OutputWriteFailed, opened, s.outputPath);
    AVDictionary* options = nullptr;
    if (format.indexAtFront) av_dict_set(&options, "movflags", "+faststart", 0);
    const int written = avformat_write_header(s.output.get(), &options);
    av_dict_free(&options);
    if (written < 0) return s.failWith(written);
    s.headerWritten = true;
    return true;
}

bool VideoWriter::writeFrame(const RgbFrame& frame) {
    State& s = *state_;
    if (!s.headerWritten || s.failure.failed()) return false;
    // The encoder may still hold the last picture: a new buffer then, nothing copied
    // into it (the conversion fills it whole).
    if (!av_frame_is_writable(s.picture.get()) && !s.newPicture()) return false;
    // The frame's pixels lent to the conversion for this call: the frame's owner keeps them.
    const std::size_t bytes = static_cast<std::size_t>(frame.bytesPerLine) * static_cast<std::size_t>(s.video->height);
    s.rgb->buf[0] = av_buffer_create(const_cast<std::uint8_t*>(frame.pixels), bytes, [](void*, std::uint8_t*) {},
                                     nullptr, AV_BUFFER_FLAG_READONLY);
    if (!s.rgb->buf[0]) return s.failWith(AVERROR(ENOMEM));
    s.rgb->data[0] = const_cast<std::uint8_t*>(frame.pixels);
    s.rgb->linesize[0] = frame.bytesPerLine;
    const int converted = sws_scale_frame(s.toYuv.get(), s.picture.get(), s.rgb.get());
    av_buffer_unref(&s.rgb->buf[0]);
    s.rgb->data[0] = nullptr;
    if (converted < 0) return s.failWith(converted);
    s.havePicture = true;
    return repeatFrame();
}

bool VideoWriter::repeatFrame() {
    State& s = *state_;
    if (!s.headerWritten || !s.havePicture || s.failure.failed()) return false;
    s.picture->pts = s.nextFrame++;
    return s.encode(s.video.get(), s.videoStream, s.picture.get());
}

bool VideoWriter::writeAudio(const float* samples, int frames) {
    State& s = *state_;
    if (!s.headerWritten || s.failure.failed()) return false;
    if (!s.audio || frames <= 0) return true;
    // Same rate on both sides: the resampler only changes the sample layout.
    s.convertPlanes.assign(AudioChannels, nullptr);
    std::uint8_t** planes = s.convertPlanes.data();
    if (av_samples_alloc(planes, nullptr, AudioChannels, frames, s.audio->sample_fmt, 0) < 0)
        return s.failWith(AVERROR(ENOMEM));
    const std::uint8_t* input[] = {reinterpret_cast<const std::uint8_t*>(samples)};
    const int converted = swr_convert(s.toCodecSamples.get(), planes, frames, input, frames);
    const int queued = converted < 0 ? converted : av_audio_fifo_write(s.fifo.get(), reinterpret_cast<void**>(planes), converted);
    av_freep(&planes[0]);
    if (queued < 0) return s.failWith(queued);
    const int frameSize = s.audioFrameSize();
    while (av_audio_fifo_size(s.fifo.get()) >= frameSize) {
        if (!s.encodeSoundFrom(frameSize)) return false;
    }
    return true;
}

bool VideoWriter::finish() {
    State& s = *state_;
    if (!s.headerWritten || s.failure.failed()) return false;
    if (!s.encode(s.video.get(), s.videoStream, nullptr)) return false;
    if (s.audio) {
        // The last, shorter frame: codecs that cannot take one get it padded with silence.
        const int left = av_audio_fifo_size(s.fifo.get());
        if (left > 0) {
            const bool shortLastFrame = s.audio->codec->capabilities &
                                        (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
            const int frameSize = shortLastFrame ? left : s.audioFrameSize();
            if (frameSize > left) {
                std::vector<std::uint8_t*> silence(AudioChannels, nullptr);
                if (av_samples_alloc(silence.data(), nullptr, AudioChannels, frameSize - left, s.audio->sample_fmt, 0) < 0)
                    return s.failWith(AVERROR(ENOMEM));
                av_samples_set_silence(silence.data(), 0, frameSize - left, AudioChannels, s.audio->sample_fmt);
                av_audio_fifo_write(s.fifo.get(), reinterpret_cast<void**>(silence.data()), frameSize - left);
                av_freep(&silence[0]);
            }
            if (!s.encodeSoundFrom(frameSize)) return false;
        }
        if (!s.encode(s.audio.get(), s.audioStream, nullptr)) return false;
    }
    if (const int trailer = av_write_trailer(s.output.get()); trailer < 0) return s.failWith(trailer);
    s.headerWritten = false;
    if (s.output->pb->error < 0) return s.failWith(s.output->pb->error);
    if (const int closed = avio_closep(&s.output->pb); closed < 0) return s.failWith(closed);
    return true;
}

void VideoWriter::abort() {
    State& s = *state_;
    s.headerWritten = false;
    s.output.reset();
}

}  // namespace vistrel::media
