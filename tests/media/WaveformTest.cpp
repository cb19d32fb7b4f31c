// The waveform the timeline draws and `vistrel-cli waveform` prints: the loudest sample
// of each slice, from sound files of known envelope; a wrong slice edge shows a beat in
// the wrong place, a hang on a pipe freezes the window's worker for good.
#include "media/Waveform.h"

#include <sys/stat.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <vector>

#include "media/PeakSlices.h"
#include "media/SoundFileWriter.h"
#include "media/WaveformCache.h"
#include "SoundFiles.h"

namespace vistrel::media {
namespace {

using test::ScratchFolder;

TEST(PeakSlices, LoudestFrameOfEachSlice) {
    struct Case {
        const char* name;
        int slices;
        std::int64_t expected;
        std::vector<float> frames;
        std::vector<std::int32_t> peaks;
    };
    const std::vector<float> eight{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f};
    const std::vector<float> seven{0.1f, 0.9f, 0.2f, 0.3f, 0.4f, 0.5f, 1.0f};
    const Case table[] = {
        {"stated length right", 4, 8, eight, {200000, 400000, 600000, 800000}},
        {"no stated length", 4, 0, eight, {200000, 400000, 600000, 800000}},
        {"stated length too long", 4, 10, eight, {200000, 400000, 600000, 800000}},
        {"stated length too short", 4, 6, eight, {200000, 400000, 600000, 800000}},
        {"uneven slices", 3, 7, seven, {900000, 300000, 1000000}},
        {"uneven slices, no stated length", 3, 0, seven, {900000, 300000, 1000000}},
        {"fewer frames than slices", 4, 0, {0.5f, 0.25f}, {500000, 500000, 250000, 250000}},
        {"louder than full scale", 1, 0, {1.5f, 0.2f}, {1000000}},
        {"nothing decoded", 2, 4, {}, {0, 0}},
        {"an absurd stated length is not believed", 2, std::int64_t{1} << 62, {0.5f, 0.25f}, {500000, 250000}},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        PeakSlices slices(c.slices, c.expected);
        slices.add(c.frames.data(), static_cast<std::int64_t>(c.frames.size()));
        EXPECT_EQ(slices.peaks(), c.peaks);
        EXPECT_EQ(slices.frames(), static_cast<std::int64_t>(c.frames.size()));
    }
}

TEST(PeakSlices, LongPiecesKeepTheirBeats) {
    // Past a million frames, runs of two frames: one loud frame at the last frame of the
    // first half. With the stated length the edge stays exact.
    const std::int64_t frames = (std::int64_t{1} << 21) + 3;
    std::vector<float> silence(static_cast<std::size_t>(frames), 0.0f);
    silence[1048576] = 1.0f;
    PeakSlices stated(2, frames);
    stated.add(silence.data(), frames);
    EXPECT_EQ(stated.peaks(), (std::vector<std::int32_t>{1000000, 0}));
    PeakSlices unstated(2, 0);
    unstated.add(silence.data(), frames);
    EXPECT_EQ(unstated.peaks()[0], 1000000);
    silence[1048576] = 0.0f;
    silence[frames - 1] = 0.5f;
    PeakSlices end(2, 0);
    end.add(silence.data(), frames);
    EXPECT_EQ(end.peaks(), (std::vector<std::int32_t>{0, 500000}));
}

// Writes `seconds` of a sine wave of `amplitude` (per channel, from `envelope`) to a
// compressed file.
void writeSine(const std::string& path, int rate, int channels, double seconds,
               float (*envelope)(double time, int channel)) {
    SoundFileWriter writer;
    ASSERT_TRUE(writer.open(path, rate, channels)) << writer.error();
    const auto frames = static_cast<std::int64_t>(seconds * rate);
    std::vector<float> samples;
    for (std::int64_t i = 0; i < frames; ++i) {
        const double time = static_cast<double>(i) / rate;
        for (int c = 0; c < channels; ++c)
            samples.push_back(envelope(time, c) * static_cast<float>(std::sin(2 * M_PI * 441.0 * time)));
    }
    ASSERT_TRUE(writer.write(samples.data(), static_cast<int>(frames))) << writer.error();
    ASSERT_TRUE(writer.finish()) << writer.error();
}

TEST(Waveform, PeaksOfFilesOfKnownEnvelope) {
    ScratchFolder folder;
    // Mono WAV, 8 kHz, 1 s: 0.5 in the first half, 0.25 in the second (alternating sign).
    test::writeWavOf(folder.file("steps.wav"), 8000, 1, 8000, [](std::int64_t i, int) {
        const std::int16_t level = i < 4000 ? 16384 : 8192;
        return static_cast<std::int16_t>(i % 2 ? -level : level);
    });
    // Stereo WAV, 2.5 s: left 0.25 throughout, right 0.75 in the last fifth only.
    test::writeWavOf(folder.file("stereo.wav"), 8000, 2, 20000, [](std::int64_t i, int channel) {
        return static_cast<std::int16_t>(channel == 0 ? 8192 : i >= 16000 ? 24576 : 0);
    });
    writeSine(folder.file("rise.flac"), 44100, 1, 2.0, [](double t, int) { return t < 1.0 ? 0.25f : 0.5f; });
    writeSine(folder.file("stereo.ogg"), 44100, 2, 3.0,
              [](double t, int c) { return c == 1 && t >= 2.0 ? 0.8f : 0.2f; });
    struct Case {
        const char* file;
        int slices;
        std::int64_t durationMs;
        std::vector<std::int32_t> peaks;
        std::int32_t tolerance;  // millionths; lossy coding moves peaks a little
    };
    const Case table[] = {
        {"steps.wav", 4, 1000, {500000, 500000, 250000, 250000}, 0},
        {"steps.wav", 1, 1000, {500000}, 0},
        {"stereo.wav", 5, 2500, {250000, 250000, 250000, 250000, 750000}, 0},
        {"rise.flac", 4, 2000, {250000, 250000, 500000, 500000}, 100},
        {"stereo.ogg", 3, 3000, {200000, 200000, 800000}, 40000},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.file);
        const WaveformResult result = readWaveform(folder.file(c.file), c.slices);
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_EQ(result.waveform.durationMs(), c.durationMs);
        ASSERT_EQ(result.waveform.peaks.size(), c.peaks.size());
        for (std::size_t i = 0; i < c.peaks.size(); ++i) EXPECT_NEAR(result.waveform.peaks[i], c.peaks[i], c.tolerance) << i;
    }
}

TEST(Waveform, WhatIsNoMusicIsSaidAtOnce) {
    ScratchFolder folder;
    std::ofstream(folder.file("text.wav")) << "no music at all";
    ::mkfifo(folder.file("pipe.ogg").c_str(), 0600);
    std::filesystem::create_directory(folder.file("folder.ogg"));
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.ogg"));
    const std::pair<std::string, std::string> table[] = {
        {folder.file("missing.ogg"), "Die Musikdatei " + folder.file("missing.ogg") + " wurde nicht gefunden."},
        {folder.file("text.wav"), "Die Datei " + folder.file("text.wav") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("pipe.ogg"), "Die Datei " + folder.file("pipe.ogg") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("folder.ogg"), "Die Datei " + folder.file("folder.ogg") + " enthält keine Musik, die Vistrel lesen kann."},
        {folder.file("zero.ogg"), "Die Datei " + folder.file("zero.ogg") + " enthält keine Musik, die Vistrel lesen kann."},
        {"/dev/zero", "Die Datei /dev/zero enthält keine Musik, die Vistrel lesen kann."},
    };
    for (const auto& [path, message] : table) {
        const WaveformResult result = readWaveform(path, 10);
        EXPECT_EQ(result.error, message);
        EXPECT_FALSE(result.ok());
    }
}

TEST(Waveform, ACancelStopsTheWorker) {
    ScratchFolder folder;
    test::writeWav(folder.file("long.wav"), 8000, 1, 80000);
    const std::atomic<bool> cancel{true};
    const WaveformResult result = readWaveform(folder.file("long.wav"), 10, &cancel);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.error, "");
    EXPECT_TRUE(result.waveform.peaks.empty());
}

TEST(WaveformCache, KeepsWhatWasReadAndNeverTrustsABrokenEntry) {
    ScratchFolder folder;
    const std::string music = folder.file("music.wav");
    test::writeWav(music, 8000, 1, 8000, 16384);
    const WaveformCache cache(folder.path() / "cache");
    EXPECT_FALSE(cache.find(music, 4));
    const WaveformResult first = cache.read(music, 4);
    ASSERT_TRUE(first.ok()) << first.error;
    EXPECT_EQ(first.waveform.peaks, (std::vector<std::int32_t>{500000, 500000, 500000, 500000}));
    ASSERT_TRUE(cache.find(music, 4));
    EXPECT_EQ(*cache.find(music, 4), first.waveform);
    EXPECT_FALSE(cache.find(music, 5));  // another number of slices is another entry

    // Each entry damaged in another way is passed over.
    std::filesystem::path entry;
    for (const auto& file : std::filesystem::directory_iterator(folder.path() / "cache")) entry = file.path();
    const std::string good = test::readWholeText(entry.string());
    const std::string damaged[] = {
        good.substr(0, good.size() - 3),
        good + "7\n",
        good.substr(0, good.rfind("500000")) + "1000001\n",
        good.substr(0, good.rfind("500000")) + "-5\n",
        "vistrel-waveform 1\n" + good.substr(good.find('\n', 20)),
        "",
    };
    for (const std::string& bytes : damaged) {
        std::ofstream(entry, std::ios::binary | std::ios::trunc) << bytes;
        EXPECT_FALSE(cache.find(music, 4)) << bytes;
        EXPECT_EQ(cache.read(music, 4).waveform, first.waveform);  // read again and kept again
        EXPECT_EQ(test::readWholeText(entry.string()), good);
    }

    // The music changed (another size): the old entry does not fit it.
    test::writeWav(music, 8000, 1, 4000, 8192);
    EXPECT_FALSE(cache.find(music, 4));
    EXPECT_EQ(cache.read(music, 4).waveform.peaks, (std::vector<std::int32_t>{250000, 250000, 250000, 250000}));
}

}  // namespace
}  // namespace vistrel::media
