#pragma once
// Small helpers shared by the FFmpeg callers of this layer: owners that free what the
// libraries allocate, and one switch that keeps the libraries' own log off stderr
// (the user gets our messages, not theirs).
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
}

namespace vistrel::media {

// Silences FFmpeg's logging; safe to call any number of times.
void quietFfmpegLog();

// FFmpeg's text for an error code, for the detail of a message.
std::string ffmpegErrorText(int code);

struct InputCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using InputPtr = std::unique_ptr<AVFormatContext, InputCloser>;

struct CodecContextFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFreer>;

struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;

struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;

}  // namespace vistrel::media
