// What vistrel-cli's terminal "user" answers, and where each message goes.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/ConsolePrompter.h"

namespace vistrel::cli {
namespace {

std::string contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
}

TEST(ConsolePrompter, QuestionsTakeTheirDefaultButton) {
    struct Case {
        MessageButtons buttons;
        int defaultButton;
        MessageAnswer answer;
    };
    const Case cases[] = {
        {MessageButtons::Ok, 0, MessageAnswer::Ok},          {MessageButtons::YesNo, 0, MessageAnswer::Yes},
        {MessageButtons::YesNo, 1, MessageAnswer::No},       {MessageButtons::YesNoCancel, 0, MessageAnswer::Yes},
        {MessageButtons::YesNoCancel, 1, MessageAnswer::No}, {MessageButtons::YesNoCancel, 2, MessageAnswer::Cancel},
    };
    for (const auto& c : cases) EXPECT_EQ(ConsolePrompter::defaultAnswer(c.buttons, c.defaultButton), c.answer);
}

TEST(ConsolePrompter, ResultsGoToStdoutEverythingElseToStderrAsPlainLines) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_TRUE(out && err);
    ConsolePrompter prompter(out, err);
    prompter.showMessage("Der Projektor trägt die Firmware-Version  3.1", MessageIcon::Information,
                         MessageButtons::Ok);
    prompter.showMessage("Es sind keine Schnittstellen verfügbar!\r\nPrüfen Sie\r\ndie Schnittelle.",
                         MessageIcon::Exclamation, MessageButtons::Ok);
    prompter.showMessage("verbunden zu sein!\n\nÜberprüfen Sie\n", MessageIcon::Exclamation, MessageButtons::Ok);
    prompter.showMessage("Möchten Sie die Show an der markierten Position\nstarten?", MessageIcon::Question,
                         MessageButtons::YesNoCancel);
    // Only the two exclamation boxes make a run that went on end in failure.
    EXPECT_EQ(prompter.errorsShown(), 2);
    EXPECT_EQ(contents(out), "Der Projektor trägt die Firmware-Version  3.1\n");
    EXPECT_EQ(contents(err),
              "Es sind keine Schnittstellen verfügbar!\nPrüfen Sie\ndie Schnittelle.\n"
              "verbunden zu sein!\n\nÜberprüfen Sie\n"
              "Möchten Sie die Show an der markierten Position\nstarten?\n");
    std::fclose(out);
    std::fclose(err);
}

}  // namespace
}  // namespace vistrel::cli
