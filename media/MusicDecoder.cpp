#include "media/MusicDecoder.h"

#include <algorithm>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include "media/AudioInfo.h"
#include "media/FfmpegSupport.h"
#include "media/MediaInput.h"
#include "media/VideoSettings.h"

namespace vistrel::media {

namespace {
struct SwrFreer {
    void operator()(SwrContext* context) const { swr_free(&context); }
};
}  // namespace

struct MusicDecoder::State {
    MediaInput file;
    AVFormatContext* input = nullptr;
    CodecContextPtr codec;
    std::unique_ptr<SwrContext, SwrFreer> resampler;
    int streamIndex = -1;
    PacketPtr packet{av_packet_alloc()};
    FramePtr frame{av_frame_alloc()};
    std::vector<float> pending;  // resampled, not yet handed out
    std::size_t pendingAt = 0;
    bool inputEnded = false;
    bool flushed = false;
};

MusicDecoder::MusicDecoder() : state_(std::make_unique<State>()) {}

MusicDecoder::~MusicDecoder() = default;

bool MusicDecoder::open(const std::string& path) {
    // The same checks as for the music's length, so that both say the same.
    const AudioLength length = audioLength(path);
    if (!length.ok()) {
        failure_ = length.failure;
        return false;
    }
    const auto notMusic = [&](int code) {
        failure_ = {MediaFailure::Problem::NotMusic, path, code};
        return false;
    };
    State& s = *state_;
    if (const MediaFailure opened = s.file.open(path); opened.failed()) {
        failure_ = opened;
        return false;
    }
    s.input = s.file.format();
    const AVCodec* decoder = nullptr;
    s.streamIndex = av_find_best_stream(s.input, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (s.streamIndex < 0 || !decoder) return notMusic(s.streamIndex < 0 ? s.streamIndex : AVERROR_DECODER_NOT_FOUND);
    s.codec.reset(avcodec_alloc_context3(decoder));
    if (!s.codec) return notMusic(AVERROR(ENOMEM));
    if (const int copied = avcodec_parameters_to_context(s.codec.get(), s.input->streams[s.streamIndex]->codecpar);
        copied < 0)
        return notMusic(copied);
    if (const int opened = avcodec_open2(s.codec.get(), decoder, nullptr); opened < 0) return notMusic(opened);
    if (s.codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&s.codec->ch_layout, s.codec->ch_layout.nb_channels);

    AVChannelLayout stereo;
    av_channel_layout_default(&stereo, AudioChannels);
    SwrContext* resampler = nullptr;
    if (const int allocated = swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_FLT, AudioSampleRate,
                                                  &s.codec->ch_layout, s.codec->sample_fmt, s.codec->sample_rate, 0,
                                                  nullptr);
        allocated < 0)
        return notMusic(allocated);
    s.resampler.reset(resampler);
    if (s.codec->ch_layout.nb_channels == 1) {
        // Mono music plays on both sides as loud as it was, not 3 dB down as a centre
        // channel mixed into a surround downmix would be.
        const double bothSides[AudioChannels] = {1.0, 1.0};
        swr_set_matrix(resampler, bothSides, 1);
    } else if (s.codec->ch_layout.nb_channels > AudioChannels) {
        // A surround downmix adds centre and rear channels to each side: the resampler
        // scales its matrix so that no side can pass full scale, and nothing clips.
        av_opt_set_double(resampler, "rematrix_maxval", 1.0, 0);
    }
    if (const int initialised = swr_init(resampler); initialised < 0) return notMusic(initialised);
    return true;
}

// Decodes the next packet's worth of sound into `pending`; false at the end.
bool MusicDecoder::decodeMore() {
    State& s = *state_;
    if (s.flushed) return false;
    const auto convert = [&](const std::uint8_t** data, int count) {
        const int room = swr_get_out_samples(s.resampler.get(), count);
        if (room <= 0) return;
        const std::size_t at = s.pending.size();
        s.pending.resize(at + static_cast<std::size_t>(room) * AudioChannels);
        std::uint8_t* out[] = {reinterpret_cast<std::uint8_t*>(s.pending.data() + at)};
        const int made = swr_convert(s.resampler.get(), out, room, data, count);
        s.pending.resize(at + static_cast<std::size_t>(std::max(made, 0)) * AudioChannels);
    };
    while (true) {
        const int received = avcodec_receive_frame(s.codec.get(), s.frame.get());
        if (received == 0) {
            convert(const_cast<const std::uint8_t**>(s.frame->extended_data), s.frame->nb_samples);
            av_frame_unref(s.frame.get());
            return true;
        }
        if (received == AVERROR_EOF) {
            convert(nullptr, 0);  // what the resampler still holds
            s.flushed = true;
            return true;
        }
        // EAGAIN (or a broken frame): feed the next packet.
        if (s.inputEnded) {
            s.flushed = true;
            return false;
        }
        const int readResult = av_read_frame(s.input, s.packet.get());
        if (readResult < 0) {
            s.inputEnded = true;
            avcodec_send_packet(s.codec.get(), nullptr);
            continue;
        }
        if (s.packet->stream_index == s.streamIndex) avcodec_send_packet(s.codec.get(), s.packet.get());
        av_packet_unref(s.packet.get());
    }
}

int MusicDecoder::read(float* samples, int frames) {
    State& s = *state_;
    if (!s.codec) return 0;
    int delivered = 0;
    while (delivered < frames) {
        const std::size_t available = (s.pending.size() - s.pendingAt) / AudioChannels;
        if (available == 0) {
            s.pending.clear();
            s.pendingAt = 0;
            if (!decodeMore()) break;
            continue;
        }
        const int take = static_cast<int>(std::min<std::size_t>(available, static_cast<std::size_t>(frames - delivered)));
        std::copy_n(s.pending.begin() + static_cast<std::ptrdiff_t>(s.pendingAt), take * AudioChannels,
                    samples + delivered * AudioChannels);
        s.pendingAt += static_cast<std::size_t>(take) * AudioChannels;
        delivered += take;
    }
    return delivered;
}

bool decodesSound(const std::string& path) {
    MusicDecoder decoder;
    if (!decoder.open(path)) return false;
    constexpr int Chunk = 4096;
    std::vector<float> samples(static_cast<std::size_t>(Chunk) * AudioChannels);
    for (int read = 0; read < AudioSampleRate; read += Chunk)
        if (decoder.read(samples.data(), Chunk) > 0) return true;
    return false;
}

}  // namespace vistrel::media
