#pragma once
// The user of vistrel-cli is the terminal: results (information boxes) go to
// stdout, errors, refusals and questions to stderr, and every question takes its
// default button, as if the user had pressed Enter.
#include <cstdio>
#include <string>

#include "platform/Prompter.h"

namespace vistrel::cli {

class ConsolePrompter final : public Prompter {
public:
    ConsolePrompter(std::FILE* out = stdout, std::FILE* err = stderr) : out_(out), err_(err) {}

    MessageAnswer showMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                              int defaultButton = 0) override;
    using Prompter::showMessage;

    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    // What a question box answers when its `defaultButton` is pressed.
    static MessageAnswer defaultAnswer(MessageButtons buttons, int defaultButton);
    // The message text as one terminal text: "\r\n" line breaks become "\n", and
    // it ends in exactly one line break.
    static std::string consoleText(const std::string& text);

    // How many messages were shown: a command whose every message means failure
    // (paste, scale) ends with status 1 when this is not 0.
    int messagesShown() const { return shown_; }
    // How many of them were errors or refusals (not questions, not results).
    int errorsShown() const { return errors_; }

private:
    std::FILE* out_;
    std::FILE* err_;
    int shown_ = 0;
    int errors_ = 0;
};

// Writes a command's result to stdout whole; false when it could not (a full disk,
// a closed pipe), which the command reports with status 1.
bool printResult(const std::string& text);

}  // namespace vistrel::cli
