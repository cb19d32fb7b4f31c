#include "platform/qt/widgets/QtPrompter.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>

namespace vistrel {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The texts carry Windows line breaks in places ("\r\n"); a box shows them as one break.
QString toBoxText(const std::string& text) {
    QString converted = QString::fromUtf8(text);
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

}  // namespace

QtPrompter::QtPrompter(QString caption) : caption_(std::move(caption)) {}

MessageAnswer QtPrompter::showMessage(const std::string& text, MessageIcon icon, MessageButtons buttons,
                                      int defaultButton) {
    // A message must be readable and clickable even while a long sequence shows the wait cursor.
    const bool cursorWasOverridden = waitDepth_ > 0;
    if (cursorWasOverridden) QApplication::setOverrideCursor(Qt::ArrowCursor);

    QMessageBox box(toQtIcon(icon), caption_, toBoxText(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    struct Choice {
        QPushButton* button;
        MessageAnswer answer;
    };
    std::vector<Choice> choices;
    auto add = [&](const char* label, QMessageBox::ButtonRole role, MessageAnswer answer) {
        choices.push_back({box.addButton(QString::fromUtf8(label), role), answer});
    };
    // The answers carry their letters: J and N (with or without Alt) answer at once,
    // Escape cancels.
    switch (buttons) {
    case MessageButtons::Ok:
        add("OK", QMessageBox::AcceptRole, MessageAnswer::Ok);
        break;
    case MessageButtons::YesNo:
        add("&Ja", QMessageBox::YesRole, MessageAnswer::Yes);
        add("&Nein", QMessageBox::NoRole, MessageAnswer::No);
        break;
    case MessageButtons::YesNoCancel:
        add("&Ja", QMessageBox::YesRole, MessageAnswer::Yes);
        add("&Nein", QMessageBox::NoRole, MessageAnswer::No);
        add("Abbrechen", QMessageBox::RejectRole, MessageAnswer::Cancel);
        break;
    }
    const int index = (defaultButton >= 0 && defaultButton < static_cast<int>(choices.size())) ? defaultButton : 0;
    box.setDefaultButton(choices[static_cast<std::size_t>(index)].button);
    // Escape answers as the close box would: Cancel where there is one, else the last button.
    box.setEscapeButton(choices.back().button);
    box.exec();

    if (cursorWasOverridden) QApplication::restoreOverrideCursor();

    for (const Choice& choice : choices) {
        if (box.clickedButton() == choice.button) return choice.answer;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok
         : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                            : MessageAnswer::Cancel;
}

void QtPrompter::beep() { QApplication::beep(); }

void QtPrompter::beginWaitCursor() {
    ++waitDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPrompter::endWaitCursor() {
    if (waitDepth_ == 0) return;  // an unbalanced end must not pop someone else's cursor
    --waitDepth_;
    QApplication::restoreOverrideCursor();
}

}  // namespace vistrel
