// What vistrel-cli's terminal "user" answers, and where each message goes.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/ConsolePrompter.h"
#include "cli/VisibleText.h"

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

TEST(VisibleText, ControlCharactersReachTheTerminalOnlyAsEscapes) {
    const struct {
        std::string text;
        Layout layout;
        std::string shown;
    } table[] = {
        {"Sommer 2001", Layout::Kept, "Sommer 2001"},
        {"\x1b[2J\x1b]0;Titel\x07", Layout::Kept, "\\x1b[2J\\x1b]0;Titel\\x07"},
        {"a\tb\nc\r\nd", Layout::Kept, "a\tb\nc\r\nd"},
        {"a\tb\nc\r\nd", Layout::Escaped, "a\\x09b\\x0ac\\x0d\\x0ad"},
        {"zurück\rX", Layout::Kept, "zurück\\x0dX"},
        {"ende\r", Layout::Kept, "ende\\x0d"},
        {std::string("nul\0da", 6), Layout::Kept, "nul\\x00da"},
        {"del\x7f", Layout::Kept, "del\\x7f"},
        {"c1 \xc2\x9b" "31m \xc2\x9d", Layout::Kept, "c1 \\u009b31m \\u009d"},
        {"Umlaut \xc3\xa4 \xc2\xa0 \xe2\x82\xac", Layout::Kept, "Umlaut \xc3\xa4 \xc2\xa0 \xe2\x82\xac"},
        {"cut \xc2", Layout::Kept, "cut \xc2"},
    };
    for (const auto& row : table) EXPECT_EQ(visibleText(row.text, row.layout), row.shown) << row.shown;
}

TEST(ConsolePrompter, MessagesShowControlCharactersOfANameAsEscapes) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ConsolePrompter prompter(out, err);
    prompter.setSubject("/tmp/\x1b[31mrot.dpd");
    prompter.showMessage("Fehler", MessageIcon::Exclamation, MessageButtons::Ok);
    EXPECT_EQ(contents(err), "vistrel-cli: /tmp/\\x1b[31mrot.dpd: Fehler\n");
    std::fclose(out);
    std::fclose(err);
}

}  // namespace
}  // namespace vistrel::cli
