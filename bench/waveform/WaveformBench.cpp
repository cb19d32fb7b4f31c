// How long the waveform of a piece of music takes, against FFmpeg's own decoding of the
// same file to nothing: ten minutes of stereo music at 44.1 kHz (made here and encoded
// as Ogg Vorbis). The goal: at most 1.3 times the decoding alone.
//
//     waveform_bench [MINUTES]        (default 10)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "media/FfmpegSupport.h"
#include "media/SoundFileWriter.h"
#include "media/Waveform.h"

namespace {

using namespace vistrel::media;

constexpr int Rate = 44100;

// Chords with a beat, changing every two seconds, so that the encoder has real work.
bool makeMusic(const std::string& path, int minutes) {
    SoundFileWriter writer;
    if (!writer.open(path, Rate, 2)) return false;
    std::vector<float> block(static_cast<std::size_t>(Rate) * 2);
    for (int second = 0; second < minutes * 60; ++second) {
        const double root = 110.0 * std::pow(2.0, (second / 2 % 5) / 12.0);
        for (int i = 0; i < Rate; ++i) {
            const double t = second + static_cast<double>(i) / Rate;
            const double beat = std::exp(-std::fmod(t, 0.5) * 12.0);
            const double chord = std::sin(2 * M_PI * root * t) + std::sin(2 * M_PI * root * 1.25 * t) +
                                 std::sin(2 * M_PI * root * 1.5 * t);
            block[static_cast<std::size_t>(2 * i)] = static_cast<float>(0.2 * chord * (0.4 + 0.6 * beat));
            block[static_cast<std::size_t>(2 * i + 1)] = static_cast<float>(0.18 * chord * (0.3 + 0.7 * beat));
        }
        if (!writer.write(block.data(), Rate)) return false;
    }
    return writer.finish();
}

// FFmpeg alone: every packet decoded, every frame thrown away.
std::int64_t decodeToNothing(const std::string& path) {
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0) return -1;
    InputPtr input(opened);
    avformat_find_stream_info(input.get(), nullptr);
    const AVCodec* decoder = nullptr;
    const int stream = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    CodecContextPtr codec(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(codec.get(), input->streams[stream]->codecpar);
    avcodec_open2(codec.get(), decoder, nullptr);
    PacketPtr packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    std::int64_t samples = 0;
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == stream) avcodec_send_packet(codec.get(), packet.get());
        av_packet_unref(packet.get());
        while (avcodec_receive_frame(codec.get(), frame.get()) == 0) samples += frame->nb_samples;
    }
    avcodec_send_packet(codec.get(), nullptr);
    while (avcodec_receive_frame(codec.get(), frame.get()) == 0) samples += frame->nb_samples;
    return samples;
}

// Milliseconds one run takes.
double timed(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vistrel-waveform-bench-" + std::to_string(::getpid()) + ".ogg")).string();
    quietFfmpegLog();
    std::printf("making %d minutes of stereo music at 44.1 kHz (Ogg Vorbis)...\n", minutes);
    if (!makeMusic(path, minutes)) {
        std::fprintf(stderr, "waveform_bench: cannot write %s\n", path.c_str());
        return 1;
    }
    std::int64_t decoded = 0;
    std::size_t peaks = 0;
    // The best of five runs each, taken in turns, so that other work on the machine weighs
    // on both alike.
    double alone = 1e300;
    double waveform = 1e300;
    for (int round = 0; round < 5; ++round) {
        alone = std::min(alone, timed([&] { decoded = decodeToNothing(path); }));
        waveform = std::min(waveform, timed([&] { peaks = readWaveform(path, 1000).waveform.peaks.size(); }));
    }
    std::filesystem::remove(path);
    std::printf("FFmpeg decoding alone: %8.1f ms (%lld frames)\n", alone, static_cast<long long>(decoded));
    std::printf("waveform (1000 peaks): %8.1f ms (%zu peaks)\n", waveform, peaks);
    const double ratio = waveform / alone;
    std::printf("ratio %.2f (goal: at most 1.30) %s\n", ratio, ratio <= 1.3 ? "met" : "MISSED");
    return 0;
}
