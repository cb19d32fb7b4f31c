// The clipboard text reader on arbitrary bytes (paste takes whatever another program
// put there). It must stop at its record limit, and every record it accepts, copied
// out again the way copy writes it, must read back as the same line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "model/CellText.h"
#include "model/ClipboardText.h"

namespace {

[[noreturn]] void fail(const char* what, std::size_t record) {
    std::fprintf(stderr, "clipboard text: %s (record %zu)\n", what, record + 1);
    std::abort();
}

bool sameLine(const vistrel::PastedRecord& a, const vistrel::PastedRecord& b) {
    return a.slideNumber == b.slideNumber && a.dissolveTime == b.dissolveTime && a.timerTime == b.timerTime &&
           a.specialFunction == b.specialFunction && a.description == b.description &&
           a.descriptionCell == b.descriptionCell;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vistrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Paste stops at the show's 999 lines; limits below and above that, chosen by the length.
    const std::size_t limit = size % 1201;
    const ClipboardContent content = parseClipboardText(text, limit);
    if (content.records.size() > limit) fail("more records than the limit", limit);
    if (!content.hasHeader && !content.records.empty()) fail("records without the header", 0);

    // Copy the accepted records out as copy does: the list's cells, the description
    // cell as it was pasted.
    std::vector<PastedRecord> accepted;
    std::vector<CellTexts> rows;
    for (const PastedRecord& record : content.records) {
        if (record.fault != PastedRecordFault::None) continue;
        ProgramLine line;
        line.programNumber = std::to_string(accepted.size() + 1);
        line.slideNumber = record.slideNumber;
        line.dissolveTime = record.dissolveTime;
        line.timerTime = record.timerTime;
        line.specialFunction = record.specialFunction;
        line.description = record.description;
        CellTexts cells = cellTexts(line, false);
        cells[5] = record.descriptionCell;
        rows.push_back(cells);
        accepted.push_back(record);
    }

    const ClipboardContent again = parseClipboardText(buildClipboardText(rows), limit + 1);
    if (!again.hasHeader) fail("the copied text lost its header", 0);
    if (again.records.size() != accepted.size()) fail("the copied text has another number of records", 0);
    for (std::size_t i = 0; i < accepted.size(); ++i) {
        if (again.records[i].fault != PastedRecordFault::None) fail("a copied record is refused", i);
        if (!sameLine(accepted[i], again.records[i])) fail("a copied record reads as another line", i);
    }
    return 0;
}
