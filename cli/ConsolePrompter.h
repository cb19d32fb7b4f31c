#pragma once
// The user of vistrel-cli is the terminal: results (information boxes) go to
// stdout, errors, refusals and questions to stderr, and every question takes its
// default button, as if the user had pressed Enter. A message box's text is broken
// into lines to fit a box; on the terminal each message is one line, led by the
// file or device it is about, as command-line programs name what they complain of.
#include <cstdio>
#include <string>
#include <vector>

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

    // The file or device the next messages are about: "vistrel-cli: SUBJECT: text".
    // `note` leads the first message printed about it (a port that names no device
    // says so before the link's word that no projector answered).
    void setSubject(std::string subject, std::string note = {});
    const std::string& subject() const { return subject_; }

    // A question the command line has answered already (an option stands for the
    // answer): it is neither printed nor counted.
    void answerQuietly(const std::string& question, MessageAnswer answer);

    // A word on stderr, in the form of a message, that is no failure: not counted.
    void note(const std::string& text);

    // What a question box answers when its `defaultButton` is pressed.
    static MessageAnswer defaultAnswer(MessageButtons buttons, int defaultButton);
    // The message text as one terminal line: its line breaks (and the blanks around
    // them) become one blank, and it ends in exactly one line break.
    static std::string consoleText(const std::string& text);

    // How many messages were shown: a command whose every message means failure
    // (paste, scale) ends with status 1 when this is not 0.
    int messagesShown() const { return shown_; }
    // How many of them were errors or refusals (not questions, not results).
    int errorsShown() const { return errors_; }

private:
    // "vistrel-cli: SUBJECT: " or "vistrel-cli: ".
    std::string lead() const;
    void print(std::FILE* stream, const std::string& line);

    std::FILE* out_;
    std::FILE* err_;
    std::string subject_;
    std::string subjectNote_;
    std::vector<std::pair<std::string, MessageAnswer>> answered_;
    int shown_ = 0;
    int errors_ = 0;
};

// Writes a command's result to stdout whole; false when it could not (a full disk,
// a closed pipe), which the command reports with status 1.
bool printResult(const std::string& text);

}  // namespace vistrel::cli
