// The entry of the media module: the table of what the window program may call.
#include "mediamodule/MediaFunctions.h"

extern "C" __attribute__((visibility("default"))) const vistrel::mediamodule::MediaFunctions*
vistrel_media_functions() {
    static const vistrel::mediamodule::MediaFunctions functions{
        vistrel::mediamodule::InterfaceVersion, &vistrel::video::exportVideo, &vistrel::media::audioLength,
        &vistrel::media::decodesSound, &vistrel::media::readWaveformKept};
    return &functions;
}
