// The command keys of the main window in the line editor's fields: a key whose command
// is disabled does nothing at all, an Alt combination types nothing, and an enabled
// command's key still reaches its command even before the idle refresh has run.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "app/CMainFrame.h"
#include "tests/app/AppFixture.h"
#include "views/CEditZeile.h"

namespace vistrel::test {
namespace {

class CommandKeys : public AppFixture {
protected:
    CSplitterFrame& openShow() {
        CVistrelApp& started = startApp();
        QApplication::setActiveWindow(started.mainFrame());
        return *started.activeFrame();
    }
    template <typename T>
    static T* field(CSplitterFrame& show, const char* name) {
        return show.editor()->findChild<T*>(QString::fromLatin1(name));
    }
    // The field's text as the user sees it.
    static QString textOf(QWidget* field) {
        if (auto* line = qobject_cast<QLineEdit*>(field)) return line->text();
        return static_cast<QPlainTextEdit*>(field)->toPlainText();
    }
};

TEST_F(CommandKeys, AKeyOfADisabledCommandLeavesTheFieldAsItWas) {
    CSplitterFrame& show = openShow();
    auto* slide = field<QLineEdit>(show, "slideNumberEdit");
    auto* description = field<QPlainTextEdit>(show, "descriptionEdit");
    description->setPlainText(QStringLiteral("Brücke"));
    // A running show and an empty one: starting, loading, writing and searching are all refused.
    app->runState().showRunning = true;
    app->mainFrame()->updateActions();

    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* what;
    } keys[] = {
        {Qt::Key_S, Qt::AltModifier, "Diaschau starten"},
        {Qt::Key_L, Qt::AltModifier, "Diaschau vom Projektor laden"},
        {Qt::Key_U, Qt::AltModifier, "Diaschau in den Projektor speichern"},
        {Qt::Key_F, Qt::AltModifier, "in aktueller Datei"},
        {Qt::Key_D, Qt::AltModifier, "in Unterverzeichnissen"},
        {Qt::Key_W, Qt::AltModifier, "Suche wiederholen"},
        {Qt::Key_X, Qt::AltModifier, "no command at all"},
        {Qt::Key_V, Qt::ControlModifier, "Einfügen"},
        {Qt::Key_X, Qt::ControlModifier, "Ausschneiden"},
    };
    for (QWidget* edit : {static_cast<QWidget*>(slide), static_cast<QWidget*>(description)}) {
        edit->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("77"));
        const QString before = textOf(edit);
        for (const auto& k : keys) {
            QTest::keyClick(edit, k.key, k.modifiers);
            EXPECT_EQ(textOf(edit).toStdString(), before.toStdString()) << edit->objectName().toStdString() << ": " << k.what;
        }
    }
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(projector->commandLog().empty());
    app->runState().showRunning = false;
}

TEST_F(CommandKeys, AnEnabledCommandTakesItsKeyEvenWhenTheMenusAreNotYetRefreshed) {
    CSplitterFrame& show = openShow();
    QWidget* description = field<QPlainTextEdit>(show, "descriptionEdit");
    description->setFocus();
    // As if the idle refresh had last run while the command was unavailable.
    app->mainFrame()->action(cmd::EditTitle)->setEnabled(false);
    bool dialogSeen = false;
    onNextModal([&](QWidget* dialog) {
        dialogSeen = true;
        static_cast<QDialog*>(dialog)->reject();
    });
    QTest::keyClick(description, Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(textOf(description), QString());
}

TEST_F(CommandKeys, AFieldKeepsItsOwnEditKeysWhileTheirCommandsAreEnabled) {
    CSplitterFrame& show = openShow();
    auto* slide = field<QLineEdit>(show, "slideNumberEdit");
    QTest::mouseClick(slide, Qt::LeftButton);  // the user works in the editor now
    slide->setText(QStringLiteral("42"));
    slide->selectAll();
    QTest::keyClick(slide, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("42"));
    QApplication::clipboard()->setText(QStringLiteral("7"));
    QTest::keyClick(slide, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(slide->text(), QStringLiteral("7"));
}

TEST_F(CommandKeys, CtrlRightMovesByAWordInAFieldAlsoWhileBildVorwaertsIsDisabled) {
    auto* description = field<QPlainTextEdit>(openShow(), "descriptionEdit");
    description->setFocus();
    description->setPlainText(QStringLiteral("Brücke im Nebel"));
    description->moveCursor(QTextCursor::Start);
    QTest::keyClick(description, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(description->textCursor().position(), 7);
}

}  // namespace
}  // namespace vistrel::test
