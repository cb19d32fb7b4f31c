// The settings reader on arbitrary bytes: it must give values the program can work with.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vistrel::Settings settings = vistrel::parseSettingsText(text);
    // The port is one the link can open, and the pause after a block stays sane.
    const std::string& port = settings.portName;
    const bool knownPort = port.size() == 4 && port.compare(0, 3, "COM") == 0 && port[3] >= '1' && port[3] <= '4';
    if (!knownPort || settings.blockDelay < 0 || settings.blockDelay > 100) std::abort();
    return 0;
}
