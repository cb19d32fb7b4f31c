// The show file reader on arbitrary bytes: whatever it makes of them, saving that show
// and reading it again must give the same show, and the second save the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "model/CVistrelDoc.h"
#include "model/ShowFile.h"
#include "tests/model/ShowIdentity.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vistrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Both settings that change the reading, chosen by the input's length.
    const ShowReadOptions options{size % 2 == 0, size % 3 != 0};

    const auto first = std::make_unique<CVistrelDoc>();
    const auto second = std::make_unique<CVistrelDoc>();
    parseShowText(*first, text, options);
    const std::string written = formatShowText(*first);
    parseShowText(*second, written, options);
    const std::string difference = test::showDifference(*first, *second);
    if (!difference.empty()) {
        std::fprintf(stderr, "saving and reopening changed the show: %s\n", difference.c_str());
        std::abort();
    }
    if (formatShowText(*second) != written) {
        std::fprintf(stderr, "the second save wrote other bytes\n");
        std::abort();
    }
    return 0;
}
