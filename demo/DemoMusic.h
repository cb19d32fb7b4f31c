#pragma once
// The demo show's music, made here in code: two minutes of four chords (C, A minor,
// F, G, one bar each) at 96 beats a minute, with a drum beat on every beat, the first
// of each bar the loudest, so that the beats are easy to see in the waveform and to tap
// along with. Written beside the show as "Willkommen.ogg".
#include <string>
#include <vector>

namespace vistrel::demo {

constexpr int DemoMusicRate = 44100;
constexpr int DemoMusicBeatsPerMinute = 96;
constexpr int DemoMusicBars = 48;  // of four beats: 120 s

// The music, stereo, interleaved, samples from -1 to 1.
std::vector<float> demoMusic();

// Encodes it into `path` (Ogg Vorbis); false with a reason in `error`.
bool writeDemoMusic(const std::string& path, std::string& error);

}  // namespace vistrel::demo
