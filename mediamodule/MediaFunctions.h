#pragma once
// What the window program asks of FFmpeg's libraries, as one table of functions. The
// table lives in the media module (a library the program opens on first use, see
// app/MediaModule.h), so that starting the program maps and relocates no encoder.
// The functions are the ones vistrel-cli calls directly; the table only carries them.
#include "media/AudioInfo.h"
#include "media/MusicDecoder.h"
#include "media/WaveformCache.h"
#include "video/VideoExport.h"

namespace vistrel::mediamodule {

// Raised whenever the table changes, so that a module of another build is refused
// rather than called wrongly.
constexpr int InterfaceVersion = 3;

struct MediaFunctions {
    int version = InterfaceVersion;
    decltype(&video::exportVideo) exportVideo = nullptr;
    decltype(&media::audioLength) audioLength = nullptr;
    decltype(&media::decodesSound) decodesSound = nullptr;
    decltype(&media::readWaveformKept) readWaveform = nullptr;
};

// The module's one exported symbol: a function without arguments returning the table.
constexpr const char* EntryName = "vistrel_media_functions";
using Entry = const MediaFunctions* (*)();

}  // namespace vistrel::mediamodule
