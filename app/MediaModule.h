#pragma once
// The media module seen from the window program: the video export and the length of a
// piece of music, whose FFmpeg libraries are loaded only when one of them is first
// asked for. Until then nothing of the module is mapped; `present()` looks only for its
// file, so that the menu can disable "Als Video exportieren..." without loading it.
#include <QLibrary>
#include <QString>

#include "mediamodule/MediaFunctions.h"

namespace vistrel {

class MediaModule {
public:
    // `file`: the module to open (see installedFile()).
    explicit MediaModule(QString file);

    // Where the module of this program is: VISTREL_MEDIA_MODULE when set (tests, second
    // setups), else lib/vistrel/modules/vistrel-media.so beside the program's bin folder.
    static QString installedFile();

    // The file was there when the program started and did not fail to load.
    bool present() const;
    // The module's functions, loading it on the first call; null when it cannot be
    // loaded, and error() says why in German.
    const mediamodule::MediaFunctions* functions();
    QString error() const { return error_; }

private:
    QLibrary library_;
    bool found_ = false;
    const mediamodule::MediaFunctions* functions_ = nullptr;
    bool failed_ = false;
    QString error_;
};

}  // namespace vistrel
