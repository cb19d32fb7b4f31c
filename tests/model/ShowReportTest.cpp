#include "cli/ShowReport.h"

#include <gtest/gtest.h>

#include "cli/JsonWriter.h"
#include "model/CVistrelDoc.h"

namespace vistrel::cli {
namespace {

TEST(JsonString, EscapesWhatJsonRequiresAndWhatATerminalWouldObey) {
    const std::pair<std::string, std::string> table[] = {
        {"", "\"\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {std::string("\x01\t\n\r\x1f", 5), "\"\\u0001\\u0009\\u000a\\u000d\\u001f\""},
        {"/ \x7f \u00e4 \u0081 \u009f \u00a0", "\"/ \\u007f \u00e4 \\u0081 \\u009f \u00a0\""},
    };
    for (const auto& [text, json] : table) EXPECT_EQ(jsonString(text), json);
}

TEST(ShowReport, EmptyShowInBothForms) {
    CVistrelDoc doc;
    EXPECT_EQ(showAsJson(doc, 0, 0),
              "{\"header\": {\"title\": \"\", \"description\": \"\", \"descriptionContinued\": \"\", "
              "\"storageLocation\": \"\", \"moduleNumber\": \"\"}, \"lineCount\": 0, \"lines\": [], "
              "\"showLength\": 0, \"playingTime\": 0}");
    EXPECT_EQ(showAsText(doc),
              "title: \ndescription: \ndescriptionContinued: \nstorageLocation: \nmoduleNumber: \n"
              "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n");
}

TEST(ShowReport, TextsAreConvertedToUtf8) {
    CVistrelDoc doc;
    doc.header.title = "\xC4rger \x80";
    doc.lines[0] = ProgramLine{"001", 12, 25, 55, 0, "Gr\xFC\xDF" "e", 2};
    doc.lineCount = 1;
    EXPECT_NE(showAsJson(doc, 80, 80).find("\"title\": \"\u00C4rger \u20AC\""), std::string::npos);
    EXPECT_NE(showAsText(doc).find("001\t  12\t    2.5\t    5.5\t  0\tGr\u00FC\u00DFe\t\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vistrel::cli
