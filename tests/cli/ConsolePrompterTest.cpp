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
    prompter.showMessage("Der Projektor trägt die Firmware-Version  3.1", MessageIcon::Information,
                         MessageButtons::Ok);
    prompter.showMessage("Es sind keine Schnittstellen verfügbar!\r\nPrüfen Sie\r\ndie Schnittelle.",
                         MessageIcon::Exclamation, MessageButtons::Ok);
    prompter.setSubject("/dev/pts/99", "Diese Schnittstelle gibt es nicht.");
    prompter.showMessage("verbunden zu sein!\n\nÜberprüfen Sie\n", MessageIcon::Exclamation, MessageButtons::Ok);
    prompter.showMessage("Möchten Sie die Show an der markierten Position\nstarten?", MessageIcon::Question,
                         MessageButtons::YesNoCancel);
    prompter.setSubject("show.dpd");
    prompter.showMessage("Die angegebende Vistrel-Datei konnte \nnicht geladen werden.\n", MessageIcon::Exclamation,
                         MessageButtons::Ok);
    prompter.showMessage("Die Datei konnte nicht unter dem \nangegebenden Pfad gespeichert\n werden.\n",
                         MessageIcon::Exclamation, MessageButtons::Ok);
    // A note is printed alike but counts as no message.
    prompter.note("Eine Zeile der Datei konnte nicht gelesen werden;\nbeim Speichern fehlt sie.");
    EXPECT_EQ(prompter.messagesShown(), 6);
    EXPECT_EQ(prompter.errorsShown(), 4);
    EXPECT_EQ(contents(out), "Der Projektor trägt die Firmware-Version  3.1\n");
    EXPECT_EQ(contents(err),
              "vistrel-cli: Es sind keine Schnittstellen verfügbar! Prüfen Sie die Schnittelle.\n"
              "vistrel-cli: /dev/pts/99: Diese Schnittstelle gibt es nicht. verbunden zu sein! Überprüfen Sie\n"
              "vistrel-cli: /dev/pts/99: Möchten Sie die Show an der markierten Position starten?\n"
              "vistrel-cli: show.dpd: Die angegebende Vistrel-Datei konnte nicht geladen werden.\n"
              "vistrel-cli: show.dpd: Die Datei konnte nicht unter dem angegebenden Pfad gespeichert werden.\n"
              "vistrel-cli: show.dpd: Eine Zeile der Datei konnte nicht gelesen werden; beim Speichern fehlt sie.\n");
    std::fclose(out);
    std::fclose(err);
}

TEST(ConsolePrompter, AQuestionTheCommandLineAnsweredIsNeitherPrintedNorCounted) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_TRUE(out && err);
    ConsolePrompter prompter(out, err);
    const std::string question = "Möchten Sie die Show an der markierten Position\nstarten?";
    prompter.answerQuietly(question, MessageAnswer::No);
    EXPECT_EQ(prompter.showMessage(question, MessageIcon::Question, MessageButtons::YesNoCancel), MessageAnswer::No);
    // Another question still takes its default button, and is printed.
    EXPECT_EQ(prompter.showMessage("Weiter?", MessageIcon::Question, MessageButtons::YesNo, 1), MessageAnswer::No);
    EXPECT_EQ(prompter.messagesShown(), 1);
    EXPECT_EQ(contents(err), "vistrel-cli: Weiter?\n");
    EXPECT_EQ(contents(out), "");
    std::fclose(out);
    std::fclose(err);
}

}  // namespace
}  // namespace vistrel::cli
