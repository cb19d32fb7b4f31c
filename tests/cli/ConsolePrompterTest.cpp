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

TEST(ConsolePrompter, ResultsGoToStdoutEverythingElseToStderrAsOneLineNamingWhatItIsAbout) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_TRUE(out && err);
    ConsolePrompter prompter(out, err);
    const auto show = [&prompter](const char* text, MessageIcon icon) {
        return prompter.showMessage(text, icon, icon == MessageIcon::Question ? MessageButtons::YesNo : MessageButtons::Ok);
    };
    show("Der Projektor trägt die Firmware-Version  3.1", MessageIcon::Information);
    show("Es sind keine Schnittstellen verfügbar!\r\nPrüfen Sie\r\ndie Schnittelle.", MessageIcon::Exclamation);
    prompter.setSubject("/dev/pts/99", "Diese Schnittstelle gibt es nicht.");
    show("verbunden zu sein!\n\nÜberprüfen Sie\n", MessageIcon::Exclamation);
    show("Weiter?", MessageIcon::Question);
    prompter.setSubject("show.dpd");
    show("Die Datei konnte nicht unter dem \nangegebenden Pfad gespeichert\n werden.\n", MessageIcon::Exclamation);
    // A question an option answered is neither printed nor counted; a note is printed, not counted.
    prompter.answerQuietly("Start?", MessageAnswer::No);
    EXPECT_EQ(show("Start?", MessageIcon::Question), MessageAnswer::No);
    prompter.note("Eine Zeile fehlt;\nbeim Speichern.");
    EXPECT_EQ(prompter.messagesShown(), 5);
    EXPECT_EQ(prompter.errorsShown(), 3);
    EXPECT_EQ(contents(out), "Der Projektor trägt die Firmware-Version  3.1\n");
    EXPECT_EQ(contents(err),
              "vistrel-cli: Es sind keine Schnittstellen verfügbar! Prüfen Sie die Schnittelle.\n"
              "vistrel-cli: /dev/pts/99: Diese Schnittstelle gibt es nicht. verbunden zu sein! Überprüfen Sie\n"
              "vistrel-cli: /dev/pts/99: Weiter?\n"
              "vistrel-cli: show.dpd: Die Datei konnte nicht unter dem angegebenden Pfad gespeichert werden.\n"
              "vistrel-cli: show.dpd: Eine Zeile fehlt; beim Speichern.\n");
    std::fclose(out);
    std::fclose(err);
}

}  // namespace
}  // namespace vistrel::cli
