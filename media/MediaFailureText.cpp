#include "media/MediaFailureText.h"

#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"
#include "res/strings/ModelStrings.h"

namespace vistrel::media {

std::string mediaFailureText(const MediaFailure& failure) {
    using Problem = MediaFailure::Problem;
    const std::string& file = failure.file;
    switch (failure.problem) {
        case Problem::None: return {};
        case Problem::MusicMissing: return res::formatText(ids::AudioFileMissing, file);
        case Problem::MusicUnreadable: return res::formatText(ids::AudioFileUnreadable, file);
        case Problem::NotMusic: return res::formatText(ids::AudioFileNotAudio, file);
        case Problem::MusicLengthUnknown: return res::formatText(ids::AudioLengthUnknown, file);
        // As a save says it: the same refusal for the same kind of file.
        case Problem::OutputNotReplaceable: return res::text(ids::FileSaveFailed);
        case Problem::OutputFolderMissing: return res::formatText(ids::VideoFolderMissing, file);
        case Problem::OutputFolderNotWritable: return res::formatText(ids::VideoFolderNotWritable, file);
        case Problem::OutputWriteFailed: return res::formatText(ids::VideoWriteFailed, file);
        case Problem::DiskFull: return res::formatText(ids::VideoDiskFull, file);
        case Problem::FormatUnknown: return res::formatText(ids::VideoFormatUnknown, file);
        case Problem::EncoderMissing: return res::formatText(ids::VideoEncoderMissing, file);
        case Problem::EncodingFailed: return res::text(ids::VideoEncodingFailed);
        case Problem::ShowEmpty: return res::text(ids::VideoShowEmpty);
        case Problem::NothingFromLine: return res::formatArgs(ids::VideoNothingFromLine, {std::to_string(failure.line)});
        case Problem::OutputIsShow: return res::formatText(ids::VideoOutputIsShow, file);
    }
    return {};
}

}  // namespace vistrel::media
