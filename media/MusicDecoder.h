#pragma once
// A piece of music decoded from its file and resampled to the sound format of the
// video (48 kHz stereo float): any file FFmpeg's libraries read, at any rate and with
// any number of channels (more than two are mixed down without clipping). A damaged packet in the middle is skipped, not fatal.
#include <memory>
#include <string>

#include "media/MediaFailure.h"
#include "media/Soundtrack.h"

namespace vistrel::media {

class MusicDecoder : public PcmSource {
public:
    MusicDecoder();
    ~MusicDecoder() override;

    // Opens `path`; on failure `failure()` names the file (missing, unreadable, no music).
    bool open(const std::string& path);
    int read(float* samples, int frames) override;
    const MediaFailure& failure() const { return failure_; }

private:
    bool decodeMore();

    struct State;
    std::unique_ptr<State> state_;
    MediaFailure failure_;
};

// Whether FFmpeg decodes any sound from the file's first second: a file with a sound
// stream whose data does not decode would otherwise play silence without a word.
bool decodesSound(const std::string& path);

}  // namespace vistrel::media
