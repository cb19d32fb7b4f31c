#pragma once
// A piece of sound made in code written as a compressed sound file with FFmpeg's
// libraries: Ogg Vorbis for a name ending in ".ogg", FLAC for ".flac". The demo show's
// music, and the sound files of tests and benchmarks, are made with it. Like a video,
// the file appears under its name only once it is complete.
#include <memory>
#include <string>

namespace vistrel::media {

class SoundFileWriter {
public:
    SoundFileWriter();
    ~SoundFileWriter();  // an unfinished file is removed
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    // False (with `error()`) for another ending or when the file cannot be begun.
    bool open(const std::string& path, int sampleRate, int channels);
    // `frames` frames of interleaved samples from -1 to 1 (louder ones are clipped).
    bool write(const float* samples, int frames);
    // Encodes what is left and puts the file in place.
    bool finish();
    const std::string& error() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace vistrel::media
