#pragma once
// The command line's stand-in for message boxes: every message goes to stderr, every
// question is answered with its default (No/Cancel), as nobody is there to ask.
#include <cstdio>
#include <string>

#include "platform/Prompter.h"

namespace vistrel::cli {

class StderrPrompter final : public Prompter {
public:
    MessageAnswer showMessage(const std::string& text, MessageIcon, MessageButtons buttons, int = 0) override {
        std::fputs(text.c_str(), stderr);
        if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
        ++messageCount;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    using Prompter::showMessage;
    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    int messageCount = 0;
};

}  // namespace vistrel::cli
