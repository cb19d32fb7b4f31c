#pragma once
// The window program's Prompter: modal message boxes with German buttons, the
// system beep and the wait cursor. Core code reaches the user only through it.
#include <QString>

#include "platform/Prompter.h"

class QWidget;

namespace vistrel {

class QtPrompter final : public Prompter {
public:
    // `caption` is the title of every message box (the program's name).
    explicit QtPrompter(QString caption = QStringLiteral("Vistrel"));

    using Prompter::showMessage;
    MessageAnswer showMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                              int defaultButton = 0) override;
    void beep() override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

private:
    QString caption_;
    int waitDepth_ = 0;
};

}  // namespace vistrel
