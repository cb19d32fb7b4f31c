#pragma once
// Test stand-in for the user: records every message box and answers from a queue.
#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace vistrel {

class RecordingPrompter final : public Prompter {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
        int defaultButton;
    };

    // Answers given to the next questions, in order; when the queue is empty a
    // question gets `fallbackAnswer` and an OK box gets Ok.
    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    MessageAnswer fallbackAnswer = MessageAnswer::Cancel;

    MessageAnswer showMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                              int defaultButton = 0) override {
        messages.push_back({text, icon, buttons, defaultButton});
        // A real message box runs the event loop until it is closed: whatever happens
        // meanwhile may happen here too.
        if (whileShowing) {
            ++openBoxes;
            maxOpenBoxes = std::max(maxOpenBoxes, openBoxes);
            whileShowing();
            --openBoxes;
        }
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers_.empty()) return fallbackAnswer;
        MessageAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    using Prompter::showMessage;

    void beep() override { ++beeps; }
    void beginWaitCursor() override { ++waitCursorDepth; ++waitCursorStarts; }
    void endWaitCursor() override { --waitCursorDepth; }

    std::vector<Message> messages;
    // Runs while a box is "up" (for instance a nested event loop); counts boxes on top
    // of each other.
    std::function<void()> whileShowing;
    int openBoxes = 0;
    int maxOpenBoxes = 0;
    int beeps = 0;
    int waitCursorDepth = 0;
    int waitCursorStarts = 0;

private:
    std::deque<MessageAnswer> answers_;
};

}  // namespace vistrel
