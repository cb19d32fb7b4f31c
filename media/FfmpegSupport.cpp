#include "media/FfmpegSupport.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

namespace vistrel::media {

void quietFfmpegLog() { av_log_set_level(AV_LOG_QUIET); }

std::string ffmpegErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

}  // namespace vistrel::media
