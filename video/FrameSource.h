#pragma once
// What a video shows, frame by frame: how many frames, which of the show's lines is on
// the screen in each, and the picture. The export asks for the frames in order, so a
// source may keep what it drew last.
#include <QImage>
#include <cstdint>

namespace vistrel::video {

class FrameSource {
public:
    virtual ~FrameSource() = default;

    virtual std::int64_t frameCount() const = 0;
    // How many program lines the video passes, and the 1-based one among them that frame `k` shows.
    virtual int lineCount() const = 0;
    virtual int lineOf(std::int64_t frame) const = 0;
    // Whether frame `k` looks exactly like frame `k - 1` (a slide standing still): it
    // is then not drawn nor encoded again.
    virtual bool sameAsBefore(std::int64_t frame) const = 0;
    // Frame `k` at the video's size, in QImage::Format_RGB32.
    virtual QImage draw(std::int64_t frame) = 0;
    // Whether the music stands still during frame `k` (the show waits at a pause line,
    // as the rehearsal's music pauses there): the frame gets silence, and the music
    // goes on afterwards where it stopped.
    virtual bool musicStands(std::int64_t) const { return false; }
};

}  // namespace vistrel::video
