#include "demo/DemoMusic.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "media/SoundFileWriter.h"

namespace vistrel::demo {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Frequencies of the chord tones (a third lower for the bass), in Hz.
struct Chord {
    double bass;
    std::array<double, 3> tones;
};
constexpr std::array<Chord, 4> Progression = {{
    {65.41, {261.63, 329.63, 392.00}},   // C
    {55.00, {220.00, 261.63, 329.63}},   // A minor
    {87.31, {261.63, 349.23, 440.00}},   // F
    {98.00, {246.94, 293.66, 392.00}},   // G
}};

// A soft organ-like tone: the fundamental with two weaker overtones.
double tone(double frequency, double time) {
    return std::sin(2 * Pi * frequency * time) + 0.3 * std::sin(4 * Pi * frequency * time) +
           0.1 * std::sin(6 * Pi * frequency * time);
}

// A drum: a thump falling from 120 to 50 Hz, gone after about a fifth of a second.
double drum(double sinceBeat) {
    const double frequency = 50.0 + 70.0 * std::exp(-sinceBeat * 30.0);
    return std::sin(2 * Pi * frequency * sinceBeat) * std::exp(-sinceBeat * 18.0);
}

}  // namespace

std::vector<float> demoMusic() {
    const double beat = 60.0 / DemoMusicBeatsPerMinute;
    const double length = DemoMusicBars * 4 * beat;
    const auto frames = static_cast<std::size_t>(length * DemoMusicRate);
    std::vector<float> samples(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const double time = static_cast<double>(i) / DemoMusicRate;
        const auto beatNumber = static_cast<long>(time / beat);
        const double sinceBeat = time - static_cast<double>(beatNumber) * beat;
        const Chord& chord = Progression[static_cast<std::size_t>(beatNumber / 4 % 4)];
        // The chord swells in at each bar and sinks a little towards its end.
        const double sinceBar = time - static_cast<double>(beatNumber / 4) * 4 * beat;
        const double swell = std::min(1.0, sinceBar * 8.0) * (1.0 - 0.3 * sinceBar / (4 * beat));
        double pad = 0.0;
        for (double frequency : chord.tones) pad += tone(frequency, time);
        const double bass = tone(chord.bass, time) * std::exp(-sinceBeat * 3.0);
        const double accent = beatNumber % 4 == 0 ? 0.5 : 0.3;
        // Fade in over half a second and out over the last two.
        const double fade = std::min({1.0, time * 2.0, (length - time) / 2.0});
        const double mix = fade * (0.05 * swell * pad + 0.12 * bass + accent * drum(sinceBeat));
        // The chord a little to the left, the bass a little to the right; the drum in the middle.
        samples[2 * i] = static_cast<float>(mix + fade * 0.015 * swell * pad);
        samples[2 * i + 1] = static_cast<float>(mix + fade * 0.03 * bass);
    }
    return samples;
}

bool writeDemoMusic(const std::string& path, std::string& error) {
    const std::vector<float> samples = demoMusic();
    media::SoundFileWriter writer;
    const bool written = writer.open(path, DemoMusicRate, 2) &&
                         writer.write(samples.data(), static_cast<int>(samples.size() / 2)) && writer.finish();
    if (!written) error = writer.error();
    return written;
}

}  // namespace vistrel::demo
