#pragma once
// String ids of the texts about sound and video files: the music of a show and the
// export of a show as a video.
namespace vistrel::ids {
constexpr int AudioFileMissing = 4000;      // "Die Musikdatei %s wurde nicht gefunden."
constexpr int AudioFileUnreadable = 4001;   // "Die Musikdatei %s kann nicht gelesen werden."
constexpr int AudioFileNotAudio = 4002;     // "Die Datei %s enthält keine Musik, die Vistrel lesen kann."
constexpr int AudioLengthUnknown = 4003;    // "Die Länge der Musikdatei %s lässt sich nicht bestimmen."
}  // namespace vistrel::ids
