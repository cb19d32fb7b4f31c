#include "cli/ShowReport.h"

#include <string_view>

#include "cli/JsonWriter.h"
#include "model/CVistrelDoc.h"
#include "model/CellText.h"
#include "model/Cp1252.h"

namespace vistrel::cli {

namespace {

std::string jsonText(std::string_view cp1252) { return jsonString(cp1252ToUtf8(cp1252)); }

}  // namespace

std::string showAsText(const CVistrelDoc& doc) {
    std::string out;
    const auto headerLine = [&out](std::string_view name, std::string_view text) {
        out += name;
        out += ": ";
        out += cp1252ToUtf8(text);
        out += '\n';
    };
    headerLine("title", doc.header.title.view());
    headerLine("description", doc.header.description.view());
    headerLine("descriptionContinued", doc.header.descriptionContinued.view());
    headerLine("storageLocation", doc.header.storageLocation.view());
    headerLine("moduleNumber", doc.header.moduleNumber.view());
    out += ClipboardHeaderLine;
    for (int i = 0; i < doc.lineCount; ++i) {
        out += cp1252ToUtf8(clipboardRecord(doc.lines[static_cast<std::size_t>(i)], true));
    }
    return out;
}

std::string showAsJson(const CVistrelDoc& doc, int showLength, int playingTime) {
    const ShowHeader& h = doc.header;
    std::string out = "{\"header\": {";
    out += "\"title\": " + jsonText(h.title.view());
    out += ", \"description\": " + jsonText(h.description.view());
    out += ", \"descriptionContinued\": " + jsonText(h.descriptionContinued.view());
    out += ", \"storageLocation\": " + jsonText(h.storageLocation.view());
    out += ", \"moduleNumber\": " + jsonText(h.moduleNumber.view());
    out += "}, \"lineCount\": " + std::to_string(doc.lineCount);
    out += ", \"lines\": [";
    for (int i = 0; i < doc.lineCount; ++i) {
        const ProgramLine& line = doc.lines[static_cast<std::size_t>(i)];
        if (i > 0) out += ", ";
        out += "{\"programNumber\": " + jsonText(line.programNumber.view());
        out += ", \"slideNumber\": " + std::to_string(line.slideNumber);
        out += ", \"dissolveTime\": " + std::to_string(line.dissolveTime);
        out += ", \"timerTime\": " + std::to_string(line.timerTime);
        out += ", \"specialFunction\": " + std::to_string(line.specialFunction);
        out += ", \"description\": " + jsonText(line.description.view());
        out += ", \"changeMarks\": " + std::to_string(line.changeMarks);
        out += '}';
    }
    out += "], \"showLength\": " + std::to_string(showLength);
    out += ", \"playingTime\": " + std::to_string(playingTime);
    out += '}';
    return out;
}

}  // namespace vistrel::cli
