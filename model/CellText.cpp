#include "model/CellText.h"

#include "model/DecimalText.h"

namespace vistrel {

namespace {
constexpr std::size_t CellDescriptionCapacity = 178;
}

std::string cellText(const ProgramLine& line, int column, bool emptyDescriptionAsBlank) {
    switch (column) {
        case 0:
            return line.programNumber.str();
        case 1:
            return "  " + std::to_string(line.slideNumber);
        case 2:
            return "  " + secondsText(line.dissolveTime);
        case 3:
            return "  " + secondsText(line.timerTime);
        case 4:
            return "  " + std::to_string(line.specialFunction);
        case 5:
            if (line.description.empty() && emptyDescriptionAsBlank) return " ";
            return line.description.str();
        default:
            return {};
    }
}

CellTexts cellTexts(const ProgramLine& line, bool emptyDescriptionAsBlank) {
    CellTexts cells;
    for (int column = 0; column < CellColumnCount; ++column) {
        cells[static_cast<std::size_t>(column)] = cellText(line, column, emptyDescriptionAsBlank);
    }
    return cells;
}

int parseCellInteger(std::string_view text) { return decimalValue(text); }

int parseCellTenths(std::string_view text) { return truncatedTenths(decimalFraction(text)); }

int parseClipboardTenths(std::string_view text) {
    std::string pointed(text);
    const auto comma = pointed.find(',');
    if (comma != std::string::npos) pointed[comma] = '.';
    return parseCellTenths(pointed);
}

std::string parseCellDescription(std::string_view text) {
    if (text.size() > CellDescriptionCapacity) text = text.substr(0, CellDescriptionCapacity);
    if (text == " ") return {};
    return std::string(text);
}

std::string clipboardRecord(const CellTexts& cells) {
    std::string record;
    for (const auto& cell : cells) {
        record.append(cell, 0, ClipboardFieldCapacity);
        record += '\t';
    }
    record += "\r\n";
    return record;
}

std::string clipboardRecord(const ProgramLine& line, bool emptyDescriptionAsBlank) {
    return clipboardRecord(cellTexts(line, emptyDescriptionAsBlank));
}

}  // namespace vistrel
