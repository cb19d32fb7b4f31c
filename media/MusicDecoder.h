#pragma once
// A piece of music decoded from its file and resampled to the sound format of the
// video (48 kHz stereo float): any file FFmpeg's libraries read, at any rate and with
// any number of channels. A damaged packet in the middle is skipped, not fatal.
#include <memory>
#include <string>

#include "media/Soundtrack.h"

namespace vistrel::media {

class MusicDecoder : public PcmSource {
public:
    MusicDecoder();
    ~MusicDecoder() override;

    // Opens `path`; on failure `error()` names the file (missing, unreadable, no music).
    bool open(const std::string& path);
    int read(float* samples, int frames) override;
    const std::string& error() const { return error_; }

private:
    bool decodeMore();

    struct State;
    std::unique_ptr<State> state_;
    std::string error_;
};

}  // namespace vistrel::media
