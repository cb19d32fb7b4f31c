#include "cli/ConsolePrompter.h"

#include <string>

#include "cli/TerminalProgress.h"

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
    std::string result;
    result.reserve(text.size() + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        result.push_back(text[i]);
    }
    while (!result.empty() && result.back() == '\n') result.pop_back();
    result.push_back('\n');
    return result;
}

MessageAnswer ConsolePrompter::showMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                                           int defaultButton) {
    ++shown_;
    if (icon == MessageIcon::Exclamation) ++errors_;
    std::FILE* stream = icon == MessageIcon::Information ? out_ : err_;
    const std::string line = consoleText(text);
    TerminalProgress::clearActive();  // a message never lands behind a progress line
    std::fputs(line.c_str(), stream);
    std::fflush(stream);
    return defaultAnswer(buttons, defaultButton);
}

bool printResult(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

}  // namespace vistrel::cli
