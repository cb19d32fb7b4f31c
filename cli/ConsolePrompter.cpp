#include "cli/ConsolePrompter.h"

#include <string>
#include <utility>

#include "cli/TerminalProgress.h"
#include "cli/VisibleText.h"

namespace vistrel::cli {

MessageAnswer ConsolePrompter::defaultAnswer(MessageButtons buttons, int defaultButton) {
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return defaultButton == 1 ? MessageAnswer::No : MessageAnswer::Yes;
        case MessageButtons::YesNoCancel:
            if (defaultButton == 1) return MessageAnswer::No;
            return defaultButton == 2 ? MessageAnswer::Cancel : MessageAnswer::Yes;
    }
    return MessageAnswer::Ok;
}

std::string ConsolePrompter::consoleText(const std::string& text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::string result;
    result.reserve(text.size() + 1);
    bool pendingBreak = false;  // a line break (with the blanks around it) not yet written
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            while (!result.empty() && isBlank(result.back())) result.pop_back();
            pendingBreak = true;
            continue;
        }
        if (pendingBreak && isBlank(c)) continue;
        if (pendingBreak && !result.empty()) result.push_back(' ');
        pendingBreak = false;
        result.push_back(c);
    }
    while (!result.empty() && isBlank(result.back())) result.pop_back();
    result.push_back('\n');
    return result;
}

void ConsolePrompter::setSubject(std::string subject, std::string note) {
    subject_ = std::move(subject);
    subjectNote_ = std::move(note);
}

void ConsolePrompter::answerQuietly(const std::string& question, MessageAnswer answer) {
    answered_.emplace_back(question, answer);
}

std::string ConsolePrompter::lead() const {
    return subject_.empty() ? std::string("vistrel-cli: ") : "vistrel-cli: " + subject_ + ": ";
}

void ConsolePrompter::print(std::FILE* stream, const std::string& line) {
    TerminalProgress::clearActive();  // a message never lands behind a progress line
    std::fputs(visibleText(line).c_str(), stream);
    std::fflush(stream);
}

void ConsolePrompter::note(const std::string& text) { print(err_, lead() + consoleText(text)); }

MessageAnswer ConsolePrompter::showMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                                           int defaultButton) {
    for (const auto& [question, answer] : answered_) {
        if (question == text) return answer;
    }
    ++shown_;
    if (icon == MessageIcon::Exclamation) ++errors_;
    if (icon == MessageIcon::Information) {
        // A result, not a complaint: printed as it is, for scripts to read.
        print(out_, consoleText(text));
    } else {
        std::string message = text;
        if (!subjectNote_.empty()) message = std::exchange(subjectNote_, {}) + " " + message;
        print(err_, lead() + consoleText(message));
    }
    return defaultAnswer(buttons, defaultButton);
}

bool printResult(const std::string& text) {
    const std::string shown = visibleText(text);
    return std::fwrite(shown.data(), 1, shown.size(), stdout) == shown.size() && std::fflush(stdout) == 0;
}

}  // namespace vistrel::cli
