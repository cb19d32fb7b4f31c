#pragma once
// Looks into a written video file from outside, as a player would: its container, the
// codecs and lengths of its streams, and the colour of any frame, decoded with
// FFmpeg's libraries. Shared by the encoder's tests and the export's end-to-end tests.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace vistrel::media::test {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool near(const Rgb& other, int tolerance = 6) const {
        return std::abs(r - other.r) <= tolerance && std::abs(g - other.g) <= tolerance && std::abs(b - other.b) <= tolerance;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

struct ProbedStream {
    std::string codec;       // "h264", "vp9", "aac", "opus"
    double seconds = 0;      // the stream's own length
};

struct ProbedVideo {
    bool opened = false;
    std::string container;  // FFmpeg's demuxer names, e.g. "mov,mp4,m4a,3gp,3g2,mj2"
    int width = 0, height = 0;
    std::optional<ProbedStream> video, audio;
    std::vector<Rgb> frameCentres;   // the average colour of the middle of every frame
    double peakSound = 0;            // the largest sample magnitude of the sound
    std::vector<double> soundLevels; // the peak of each tenth of a second of sound
};

// Decodes the whole file: fine for the short videos of the tests.
inline ProbedVideo probeVideo(const std::string& path) {
    ProbedVideo probed;
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, path.c_str(), nullptr, nullptr) < 0) return probed;
    if (avformat_find_stream_info(input, nullptr) < 0) {
        avformat_close_input(&input);
        return probed;
    }
    probed.opened = true;
    probed.container = input->iformat->name;
    const auto streamSeconds = [&](const AVStream* stream) {
        if (stream->duration != AV_NOPTS_VALUE) return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
        return input->duration == AV_NOPTS_VALUE ? 0.0 : static_cast<double>(input->duration) / AV_TIME_BASE;
    };
    AVCodecContext* decoders[2] = {nullptr, nullptr};
    int indices[2] = {-1, -1};
    const AVMediaType types[2] = {AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO};
    for (int k = 0; k < 2; ++k) {
        const AVCodec* codec = nullptr;
        indices[k] = av_find_best_stream(input, types[k], -1, -1, &codec, 0);
        if (indices[k] < 0 || !codec) continue;
        const AVStream* stream = input->streams[indices[k]];
        ProbedStream info{avcodec_get_name(stream->codecpar->codec_id), streamSeconds(stream)};
        (k == 0 ? probed.video : probed.audio) = info;
        decoders[k] = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(decoders[k], stream->codecpar);
        avcodec_open2(decoders[k], codec, nullptr);
    }
    if (decoders[0]) {
        probed.width = decoders[0]->width;
        probed.height = decoders[0]->height;
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* toRgb = nullptr;
    std::vector<std::uint8_t> rgb;
    double levelPeak = 0;
    std::int64_t levelSamples = 0;
    const auto averageAt = [&](int cx, int cy, int w, int h) {
        const int span = std::max(1, std::min(w, h) / 8);
        long sum[3] = {0, 0, 0};
        long count = 0;
        for (int y = std::max(0, cy - span); y < std::min(h, cy + span); ++y)
            for (int x = std::max(0, cx - span); x < std::min(w, cx + span); ++x) {
                const std::uint8_t* p = &rgb[static_cast<std::size_t>((y * w + x) * 3)];
                sum[0] += p[0], sum[1] += p[1], sum[2] += p[2], ++count;
            }
        return Rgb{static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count), static_cast<int>(sum[2] / count)};
    };
    const auto takeFrames = [&](int k) {
        while (avcodec_receive_frame(decoders[k], frame) == 0) {
            if (k == 0) {
                const int w = frame->width, h = frame->height;
                toRgb = sws_getCachedContext(toRgb, w, h, static_cast<AVPixelFormat>(frame->format), w, h,
                                             AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr);
                const int space = frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT;
                sws_setColorspaceDetails(toRgb, sws_getCoefficients(space), frame->color_range == AVCOL_RANGE_JPEG,
                                         sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
                rgb.assign(static_cast<std::size_t>(w * h * 3), 0);
                std::uint8_t* planes[] = {rgb.data()};
                const int strides[] = {w * 3};
                sws_scale(toRgb, frame->data, frame->linesize, 0, h, planes, strides);
                probed.frameCentres.push_back(averageAt(w / 2, h / 2, w, h));
            } else {
                const int channels = frame->ch_layout.nb_channels;
                for (int i = 0; i < frame->nb_samples; ++i) {
                    double peak = 0;
                    for (int c = 0; c < channels; ++c) {
                        double v = 0;
                        // FFmpeg's AAC and Opus decoders both give planar float.
                        if (frame->format == AV_SAMPLE_FMT_FLTP) v = reinterpret_cast<const float*>(frame->extended_data[c])[i];
                        peak = std::max(peak, std::abs(v));
                    }
                    probed.peakSound = std::max(probed.peakSound, peak);
                    levelPeak = std::max(levelPeak, peak);
                    if (++levelSamples == frame->sample_rate / 10) {
                        probed.soundLevels.push_back(levelPeak);
                        levelPeak = 0;
                        levelSamples = 0;
                    }
                }
            }
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(input, packet) >= 0) {
        for (int k = 0; k < 2; ++k) {
            if (decoders[k] && packet->stream_index == indices[k]) {
                avcodec_send_packet(decoders[k], packet);
                takeFrames(k);
            }
        }
        av_packet_unref(packet);
    }
    for (int k = 0; k < 2; ++k) {
        if (!decoders[k]) continue;
        avcodec_send_packet(decoders[k], nullptr);
        takeFrames(k);
        avcodec_free_context(&decoders[k]);
    }
    sws_freeContext(toRgb);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avformat_close_input(&input);
    return probed;
}

}  // namespace vistrel::media::test
