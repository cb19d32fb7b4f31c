#pragma once
// How code below the windows reaches the user: modal message boxes, the beep and the
// wait cursor. model/ and projector/ never touch a widget; they talk to a Prompter.
#include <string>

namespace vistrel {

enum class MessageIcon { None, Exclamation, Question, Information };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows a modal message box with a UTF-8 text. `defaultButton` counts from 0
    // (the second button of Yes/No/Cancel is 1).
    virtual MessageAnswer showMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                                      int defaultButton = 0) = 0;

    // Convenience: a text from the string table by id.
    MessageAnswer showMessage(int stringId, MessageIcon icon, MessageButtons buttons, int defaultButton = 0);

    // The default message beep (a refused action).
    virtual void beep() = 0;

    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;
};

// Keeps the wait cursor up for a scope and ends it on every way out.
class WaitCursor {
public:
    explicit WaitCursor(Prompter& prompter) : prompter_(prompter) { prompter_.beginWaitCursor(); }
    ~WaitCursor() { prompter_.endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Prompter& prompter_;
};

}  // namespace vistrel
