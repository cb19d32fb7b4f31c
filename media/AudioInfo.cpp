#include "media/AudioInfo.h"

#include <algorithm>

#include "media/FfmpegSupport.h"
#include "media/MediaInput.h"

namespace vistrel::media {

namespace {

AudioLength failure(MediaFailure::Problem problem, const std::string& path, int code = 0) {
    return {0, {problem, path, code}};
}

std::int64_t toMilliseconds(std::int64_t value, AVRational timeBase) {
    return av_rescale_q(value, timeBase, AVRational{1, 1000});
}

// Some containers (raw streams, broken headers) do not say how long they are, or only
// guess: then the packets are read through, and the end of the last one is the length.
std::int64_t lengthFromPackets(AVFormatContext* input, int streamIndex) {
    const AVStream* stream = input->streams[streamIndex];
    PacketPtr packet(av_packet_alloc());
    if (!packet) return AV_NOPTS_VALUE;
    std::int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    std::int64_t end = AV_NOPTS_VALUE;
    while (av_read_frame(input, packet.get()) >= 0) {
        if (packet->stream_index == streamIndex && packet->pts != AV_NOPTS_VALUE) {
            const std::int64_t packetEnd = packet->pts + std::max<std::int64_t>(packet->duration, 0);
            end = end == AV_NOPTS_VALUE ? packetEnd : std::max(end, packetEnd);
        }
        av_packet_unref(packet.get());
    }
    if (end == AV_NOPTS_VALUE) return AV_NOPTS_VALUE;
    return toMilliseconds(std::max<std::int64_t>(end - start, 0), stream->time_base);
}

}  // namespace

AudioLength audioLength(const std::string& path) {
    MediaInput file;
    if (const MediaFailure opened = file.open(path); opened.failed()) return {0, opened};
    AVFormatContext* input = file.format();
    const int streamIndex = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (streamIndex < 0) return failure(MediaFailure::Problem::NotMusic, path, streamIndex);

    const AVStream* stream = input->streams[streamIndex];
    std::int64_t milliseconds = AV_NOPTS_VALUE;
    // A length guessed from the bit rate can be seconds off (raw AAC, variable-rate
    // MP3 without a header): such files are read through instead.
    const bool guessed = input->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
    if (guessed) {
        milliseconds = lengthFromPackets(input, streamIndex);
    } else if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
        milliseconds = toMilliseconds(stream->duration, stream->time_base);
    } else if (input->duration != AV_NOPTS_VALUE && input->duration > 0) {
        milliseconds = toMilliseconds(input->duration, AV_TIME_BASE_Q);
    } else {
        milliseconds = lengthFromPackets(input, streamIndex);
    }
    if (milliseconds == AV_NOPTS_VALUE) return failure(MediaFailure::Problem::MusicLengthUnknown, path);
    return {milliseconds, {}};
}

}  // namespace vistrel::media
