#include "media/AudioInfo.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "media/FfmpegSupport.h"
#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"

namespace vistrel::media {

namespace {

AudioLength failure(int id, const std::string& path) { return {0, res::formatText(id, path)}; }

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
    quietFfmpegLog();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return failure(ids::AudioFileMissing, path);
    if (std::filesystem::is_directory(status)) return failure(ids::AudioFileNotAudio, path);
    if (!std::ifstream(path, std::ios::binary)) return failure(ids::AudioFileUnreadable, path);

    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0) return failure(ids::AudioFileNotAudio, path);
    InputPtr input(opened);
    if (avformat_find_stream_info(input.get(), nullptr) < 0) return failure(ids::AudioFileNotAudio, path);
    const int streamIndex = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (streamIndex < 0) return failure(ids::AudioFileNotAudio, path);

    const AVStream* stream = input->streams[streamIndex];
    std::int64_t milliseconds = AV_NOPTS_VALUE;
    // A length guessed from the bit rate can be seconds off (raw AAC, variable-rate
    // MP3 without a header): such files are read through instead.
    const bool guessed = input->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
    if (guessed) {
        milliseconds = lengthFromPackets(input.get(), streamIndex);
    } else if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
        milliseconds = toMilliseconds(stream->duration, stream->time_base);
    } else if (input->duration != AV_NOPTS_VALUE && input->duration > 0) {
        milliseconds = toMilliseconds(input->duration, AV_TIME_BASE_Q);
    } else {
        milliseconds = lengthFromPackets(input.get(), streamIndex);
    }
    if (milliseconds == AV_NOPTS_VALUE) return failure(ids::AudioLengthUnknown, path);
    return {milliseconds, {}};
}

}  // namespace vistrel::media
