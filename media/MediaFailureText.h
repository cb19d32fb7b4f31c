#pragma once
// The German message for a media failure, for the window's message box and for
// vistrel-cli's stderr alike.
#include <string>

#include "media/MediaFailure.h"

namespace vistrel::media {

std::string mediaFailureText(const MediaFailure& failure);

}  // namespace vistrel::media
