#pragma once
// String ids of the texts about sound and video files: the music of a show and the
// export of a show as a video.
namespace vistrel::ids {
constexpr int AudioFileMissing = 4000;      // "Die Musikdatei %s wurde nicht gefunden."
constexpr int AudioFileUnreadable = 4001;   // "Die Musikdatei %s kann nicht gelesen werden."
constexpr int AudioFileNotAudio = 4002;     // "Die Datei %s enthält keine Musik, die Vistrel lesen kann."
constexpr int AudioLengthUnknown = 4003;    // "Die Länge der Musikdatei %s lässt sich nicht bestimmen."
constexpr int VideoFolderMissing = 4010;      // "Der Ordner %s existiert nicht."
constexpr int VideoFolderNotWritable = 4011;  // "In den Ordner %s kann nicht geschrieben werden."
constexpr int VideoWriteFailed = 4012;        // "Die Videodatei %s konnte nicht geschrieben werden."
constexpr int VideoDiskFull = 4013;           // "Die Videodatei %s konnte nicht geschrieben werden: ..."
constexpr int VideoFormatUnknown = 4014;      // "Vistrel kann %s nicht als Video schreiben: ..."
constexpr int VideoEncoderMissing = 4015;     // "Der Videocodierer %s ist in dieser Installation nicht vorhanden."
constexpr int VideoEncodingFailed = 4016;     // "Beim Codieren des Videos ist ein Fehler aufgetreten."
}  // namespace vistrel::ids
