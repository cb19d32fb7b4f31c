// The line editor as a user drives it: typing a show line by line, the refusals, the
// sliders, spins and selection lists, and the hand-over to the program list.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "ViewsFixture.h"
#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"
#include "dialogs/SpinButton.h"

namespace vistrel::test {
namespace {

// Replaces a field's text the way a user does: select all, type.
void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

struct EditorTest : ::testing::Test {
    ShowWindow w;
    QLineEdit* slide() { return w.field<QLineEdit>("slideNumberEdit"); }
    QLineEdit* dissolve() { return w.field<QLineEdit>("dissolveEdit"); }
    QLineEdit* timer() { return w.field<QLineEdit>("timerEdit"); }
    QLineEdit* parameter() { return w.field<QLineEdit>("parameterEdit"); }
    QComboBox* mechanical() { return w.field<QComboBox>("mechanicalList"); }
    QComboBox* light() { return w.field<QComboBox>("lightList"); }
    QString code() { return w.field<QLabel>("codeText")->text(); }
    QString programNumber() { return w.field<QLabel>("programNumberText")->text(); }
    void clickApply() {
        QTest::mouseClick(w.field<QPushButton>("applyButton"), Qt::LeftButton);
        ShowWindow::settle();
    }
};

TEST_F(EditorTest, TypingAShowLineByLine) {
    for (const bool use500Watt : {true, false}) {
        ShowWindow show(false, use500Watt);
        show.open();
        auto* slideEdit = show.field<QLineEdit>("slideNumberEdit");
        EXPECT_EQ(show.field<QLabel>("programNumberText")->text(), QStringLiteral("001"));
        EXPECT_EQ(show.field<QLineEdit>("timerEdit")->text(), use500Watt ? QStringLiteral("  5.5") : QStringLiteral("  4.0"));

        typeInto(slideEdit, QStringLiteral("12"));
        QTest::keyClick(slideEdit, Qt::Key_Return);  // Enter stores the line, as the default button does
        ShowWindow::settle();
        ASSERT_EQ(show.doc.lineCount, 1);
        const ProgramLine& first = show.doc.lines[0];
        EXPECT_EQ(first.programNumber, "001");
        EXPECT_EQ(first.slideNumber, 12);
        EXPECT_EQ(first.dissolveTime, 25);
        EXPECT_EQ(first.timerTime, use500Watt ? 55 : 40);
        EXPECT_EQ(first.changeMarks, AllChangeMarks);

        // The rhythm: the editor now offers the next new line, prefilled from this one.
        EXPECT_TRUE(show.doc.appendMode);
        EXPECT_EQ(show.doc.currentLine, 1);
        EXPECT_EQ(show.field<QLabel>("programNumberText")->text(), QStringLiteral("002"));
        EXPECT_EQ(slideEdit->text(), QStringLiteral("13"));

        // Second line: timer by the slider (linear: position 9 is 4.5 s), a description.
        show.field<QSlider>("timerSlider")->setValue(9);
        EXPECT_EQ(show.field<QLineEdit>("timerEdit")->text(), QStringLiteral("  4.5"));
        show.field<QPlainTextEdit>("descriptionEdit")->setPlainText(QStringLiteral("Brücke"));
        QTest::mouseClick(show.field<QPushButton>("applyButton"), Qt::LeftButton);
        ShowWindow::settle();
        ASSERT_EQ(show.doc.lineCount, 2);
        EXPECT_EQ(show.doc.lines[1].slideNumber, 13);
        EXPECT_EQ(show.doc.lines[1].timerTime, 45);
        EXPECT_EQ(show.doc.lines[1].description, "Br\xFC" "cke");
        // Third line prefilled from the second.
        EXPECT_EQ(show.field<QLineEdit>("timerEdit")->text(), QStringLiteral("  4.5"));

        // The list took both lines over.
        ASSERT_EQ(show.list->rowCount(), 2);
        EXPECT_EQ(show.list->cellText(1, 0), QStringLiteral("002"));
        EXPECT_EQ(show.list->cellText(1, 3), QStringLiteral("    4.5"));
        EXPECT_EQ(show.list->cellText(1, 5), QStringLiteral("Brücke"));
        EXPECT_TRUE(show.prompter.messages.empty());
    }
}

TEST_F(EditorTest, RefusedValuesNeverReachTheDocument) {
    w.addLine(5, 25, 55, 0, "alt");
    w.open();
    w.reloadFromDocument();
    // Edit the existing line 0.
    w.list->makeCurrentLine(0, CTextView::Trigger::DoubleClick);
    ShowWindow::settle();
    ASSERT_EQ(slide()->text(), QStringLiteral("5"));

    struct Case {
        const char* slide;
        const char* dissolve;
        const char* timer;
        const char* message;
    };
    const Case cases[] = {
        {"1000", "2.5", "4.0", "Die gewählte Dianummer ist nicht zulässig."},
        {"50", "25.8", "4.0", "Die gewählte Überblendzeit ist nicht zulässig."},
        {"50", "3.0", "600.1", "Die gewählte Timerzeit ist nicht zulässig."},
    };
    for (const auto& c : cases) {
        w.prompter.messages.clear();
        typeInto(slide(), QString::fromUtf8(c.slide));
        typeInto(dissolve(), QString::fromUtf8(c.dissolve));
        typeInto(timer(), QString::fromUtf8(c.timer));
        clickApply();
        ASSERT_EQ(w.prompter.messages.size(), 1u) << c.message;
        EXPECT_EQ(w.prompter.messages[0].text, c.message);
        EXPECT_EQ(w.prompter.messages[0].icon, MessageIcon::Exclamation);
        // Nothing of the refused apply is stored, not even the fields before the refused one.
        const ProgramLine& line = w.doc.lines[0];
        EXPECT_EQ(line.slideNumber, 5) << c.message;
        EXPECT_EQ(line.dissolveTime, 25) << c.message;
        EXPECT_EQ(line.timerTime, 55) << c.message;
        EXPECT_EQ(line.changeMarks, NotInProjector) << c.message;
        EXPECT_EQ(w.doc.lineCount, 1);
        // The form keeps the user's fields.
        EXPECT_EQ(slide()->text(), QString::fromUtf8(c.slide));
    }
}

TEST_F(EditorTest, DissolveWithCommaAndTheLimits) {
    w.open();
    typeInto(dissolve(), QStringLiteral("2,3"));
    EXPECT_EQ(dissolve()->text(), QStringLiteral("2.3"));
    typeInto(timer(), QStringLiteral("600"));
    clickApply();
    ASSERT_EQ(w.doc.lineCount, 1);
    EXPECT_EQ(w.doc.lines[0].dissolveTime, 25);
    EXPECT_EQ(w.doc.lines[0].timerTime, 6000);

    typeInto(dissolve(), QStringLiteral("0"));
    clickApply();
    EXPECT_EQ(w.doc.lines[1].dissolveTime, 1);
}

TEST_F(EditorTest, FieldsTakeOnlyTheCharactersTheyCanHold) {
    w.open();
    struct Case {
        const char* field;
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"slideNumberEdit", "s12", "12"},
        {"slideNumberEdit", "1-2.5", "125"},
        {"slideNumberEdit", "123456", "12345"},
        {"dissolveEdit", "2,5s", "2.5"},
        {"dissolveEdit", "1.2.3", "1.23"},
        {"dissolveEdit", "-3", "3"},
        {"timerEdit", "4.5x", "4.5"},
        {"timerEdit", "12,5,", "12.5"},
        {"parameterEdit", "a7", "7"},
        {"parameterEdit", "123", "12"},
    };
    // The parameter takes input only where its light function has one.
    light()->setCurrentIndex(3);
    for (const auto& c : cases) {
        auto* edit = w.field<QLineEdit>(c.field);
        typeInto(edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.kept)) << c.field << " " << c.typed;
    }
}

TEST_F(EditorTest, SlidersAndSpinsFollowEachOther) {
    struct Case {
        bool logarithmic;
        const char* sliderName;
        int position;
        const char* fieldName;
        const char* text;
    };
    const Case cases[] = {
        {false, "timerSlider", 9, "timerEdit", "  4.5"},       {true, "timerSlider", 199, "timerEdit", "100.0"},
        {true, "timerSlider", 0, "timerEdit", "  0.0"},        {false, "dissolveSlider", 20, "dissolveEdit", "  2.5"},
        {false, "dissolveSlider", 1, "dissolveEdit", "  0.1"}, {true, "dissolveSlider", 199, "dissolveEdit", " 25.0"},
    };
    for (const auto& c : cases) {
        ShowWindow show(c.logarithmic);
        show.open();
        show.field<QSlider>(c.sliderName)->setValue(c.position == 0 ? 1 : 0);  // move away first
        show.field<QSlider>(c.sliderName)->setValue(c.position);
        EXPECT_EQ(show.field<QLineEdit>(c.fieldName)->text(), QString::fromLatin1(c.text))
            << c.sliderName << " " << c.position;
    }

    // Typing a time puts the slider where the mapping says.
    const std::tuple<bool, const char*, const char*, const char*, int> typed[] = {
        {false, "timerEdit", "4.5", "timerSlider", 9},
        {true, "timerEdit", "4.0", "timerSlider", 34},
        {true, "dissolveEdit", "2.5", "dissolveSlider", 74},
    };
    for (const auto& [logarithmic, fieldName, text, sliderName, position] : typed) {
        ShowWindow show(logarithmic);
        show.open();
        typeInto(show.field<QLineEdit>(fieldName), QString::fromLatin1(text));
        EXPECT_EQ(show.field<QSlider>(sliderName)->value(), position) << fieldName << " " << text;
    }

    // The spins step by whole seconds; the dissolve's lowest step is 0.1 s.
    w.open();
    auto* dissolveSpin = w.field<SpinButton>("dissolveSpin");
    auto* timerSpin = w.field<SpinButton>("timerSpin");
    typeInto(dissolve(), QStringLiteral("1.0"));
    dissolveSpin->stepDown();
    EXPECT_EQ(dissolve()->text(), QStringLiteral("  0.1"));
    dissolveSpin->stepUp();
    dissolveSpin->stepUp();
    EXPECT_EQ(dissolve()->text(), QStringLiteral("  2.0"));
    typeInto(timer(), QStringLiteral("600"));
    timerSpin->stepUp();
    EXPECT_EQ(timer()->text(), QStringLiteral("600"));  // at the top the spin does not move
    timerSpin->stepDown();
    EXPECT_EQ(timer()->text(), QStringLiteral("599.0"));
    EXPECT_EQ(w.field<QSlider>("timerSlider")->value(), 199);
}

TEST_F(EditorTest, SelectionListsComposeTheCode) {
    w.open();
    light()->setCurrentIndex(3);  // "Blinken"
    EXPECT_EQ(code(), QStringLiteral("031"));  // a parameter of 0 becomes 1
    EXPECT_TRUE(parameter()->isEnabled());
    EXPECT_EQ(w.field<QLabel>("parameterLabel")->text(), QStringLiteral("Anzahl"));
    typeInto(parameter(), QStringLiteral("3"));
    EXPECT_EQ(code(), QStringLiteral("033"));

    // Pasted at once: refused, the code stays.
    parameter()->selectAll();
    parameter()->insert(QStringLiteral("12"));
    ASSERT_EQ(w.prompter.messages.size(), 1u);
    EXPECT_EQ(w.prompter.messages[0].text, res::text(ids::InvalidSpecialFunction));
    EXPECT_EQ(code(), QStringLiteral("033"));
    // A typed 0 or an emptied field shows the 1 the code uses, selected, so the next
    // digit replaces it: "05" typed key by key is 5.
    const struct {
        const char* keys;
        bool backspace;
        const char* field;
        const char* code;
    } typing[] = {
        {"0", false, "1", "031"},
        {"05", false, "5", "035"},
        {"", true, "1", "031"},
        {"4", true, "4", "034"},
    };
    for (const auto& t : typing) {
        typeInto(parameter(), QStringLiteral("7"));
        if (t.backspace) QTest::keyClick(parameter(), Qt::Key_Backspace);
        else parameter()->selectAll();
        QTest::keyClicks(parameter(), QString::fromLatin1(t.keys));
        EXPECT_EQ(parameter()->text(), QString::fromLatin1(t.field)) << t.keys;
        EXPECT_EQ(code(), QString::fromLatin1(t.code)) << t.keys;
    }
    EXPECT_EQ(w.prompter.messages.size(), 1u);

    mechanical()->setCurrentIndex(1);  // "Autoreverse"
    EXPECT_EQ(code(), QStringLiteral("100"));
    EXPECT_FALSE(parameter()->isEnabled());
    EXPECT_EQ(light()->count(), 3);
    EXPECT_EQ(light()->currentText(), QStringLiteral("Normale Ueberblendung"));

    light()->setCurrentIndex(1);  // "Ab-/Aufblenden" in the short list
    EXPECT_EQ(code(), QStringLiteral("160"));
    mechanical()->setCurrentIndex(0);  // "Kein Effekt": the full list is back, the function kept
    EXPECT_EQ(light()->count(), 8);
    EXPECT_EQ(light()->currentText(), QStringLiteral("Ab-/Aufblenden"));
    EXPECT_EQ(code(), QStringLiteral("060"));

    w.field<QSlider>("parameterSlider")->setValue(4);  // disabled for fade-out/in: nothing composed into it
    light()->setCurrentIndex(1);  // "Einblenden": seconds
    EXPECT_EQ(w.field<QLabel>("parameterLabel")->text(), QStringLiteral("Sek."));
    w.field<QSlider>("parameterSlider")->setValue(7);
    EXPECT_EQ(parameter()->text(), QStringLiteral("7"));
    EXPECT_EQ(code(), QStringLiteral("017"));
}

TEST_F(EditorTest, NewLineAfterAutoreverseFadeShowsItsFunction) {
    w.addLine(3, 25, 55, 160);
    w.open();
    w.reloadFromDocument();
    EXPECT_EQ(programNumber(), QStringLiteral("002"));
    EXPECT_EQ(mechanical()->currentText(), QStringLiteral("Autoreverse"));
    EXPECT_EQ(light()->currentText(), QStringLiteral("Ab-/Aufblenden"));
    EXPECT_EQ(code(), QStringLiteral("160"));
    EXPECT_EQ(slide()->text(), QStringLiteral("4"));
}

TEST_F(EditorTest, ALoadedCodeIsKeptUntilTheUserComposesANewOne) {
    // Codes from files: some the lists cannot show (a mechanical digit of 6, light
    // digit 9, four digits), some they show but would compose otherwise.
    const struct {
        int code;
        const char* shown;
        int mechanicalItem;  // -1: the list shows no selection
    } cases[] = {
        {650, "650", -1}, {190, "190", 1}, {1234, "1234", -1}, {10, "010", 0}, {130, "130", 1}, {105, "105", 1},
        {35, "035", 0},
    };
    for (const auto& c : cases) {
        ShowWindow show;
        show.addLine(7, 25, 55, c.code, "alt");
        show.addLine(8, 25, 55, 0);
        show.open();
        show.reloadFromDocument();
        show.list->makeCurrentLine(0, CTextView::Trigger::DoubleClick);
        ShowWindow::settle();
        EXPECT_EQ(show.field<QLabel>("codeText")->text(), QString::fromLatin1(c.shown)) << c.code;
        EXPECT_EQ(show.field<QComboBox>("mechanicalList")->currentIndex(), c.mechanicalItem) << c.code;

        // Only the description changes: the line keeps its function.
        show.field<QPlainTextEdit>("descriptionEdit")->setPlainText(QStringLiteral("neu"));
        QTest::mouseClick(show.field<QPushButton>("applyButton"), Qt::LeftButton);
        ShowWindow::settle();
        EXPECT_EQ(show.doc.lines[0].specialFunction, c.code);
        EXPECT_EQ(show.doc.lines[0].description, "neu");
        // The editor went on to the next line, which shows its own code.
        EXPECT_EQ(show.field<QLabel>("codeText")->text(), QStringLiteral("000")) << c.code;

        // Back on the line, a choice in the lists composes a new code.
        show.list->makeCurrentLine(0, CTextView::Trigger::DoubleClick);
        ShowWindow::settle();
        show.field<QComboBox>("mechanicalList")->setCurrentIndex(0);  // "Kein Effekt"
        show.field<QComboBox>("lightList")->setCurrentIndex(4);      // "Flashen"
        QTest::mouseClick(show.field<QPushButton>("applyButton"), Qt::LeftButton);
        ShowWindow::settle();
        const int composed = show.doc.lines[0].specialFunction;
        EXPECT_TRUE(composed >= 41 && composed <= 49) << c.code << " became " << composed;
    }
}

TEST_F(EditorTest, ANewLineAfterACodeTheListsCannotShowTakesItOver) {
    w.addLine(3, 25, 55, 650);
    w.open();
    w.reloadFromDocument();
    EXPECT_EQ(programNumber(), QStringLiteral("002"));
    EXPECT_EQ(code(), QStringLiteral("650"));
    clickApply();
    ASSERT_EQ(w.doc.lineCount, 2);
    EXPECT_EQ(w.doc.lines[1].specialFunction, 650);
}

TEST_F(EditorTest, EnterOnAListOrASliderStoresTheLine) {
    const char* controls[] = {"mechanicalList", "lightList", "dissolveSlider", "timerSlider"};
    w.open();
    int expectedLines = 0;
    for (const char* name : controls) {
        auto* control = w.field<QWidget>(name);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        ShowWindow::settle();
        EXPECT_EQ(w.doc.lineCount, ++expectedLines) << name;
    }
    // The parameter slider takes part once its light function has a parameter.
    light()->setCurrentIndex(3);
    auto* slider = w.field<QSlider>("parameterSlider");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Enter);
    ShowWindow::settle();
    EXPECT_EQ(w.doc.lineCount, expectedLines + 1);
    EXPECT_EQ(w.doc.lines[expectedLines].specialFunction, 31);
}

TEST_F(EditorTest, TabbingIntoTheDescriptionSelectsItSoTypingReplacesIt) {
    w.addLine(4, 25, 55, 0, "alt");
    w.open();
    w.reloadFromDocument();
    w.list->makeCurrentLine(0, CTextView::Trigger::DoubleClick);
    ShowWindow::settle();
    auto* description = w.field<QPlainTextEdit>("descriptionEdit");
    // From the light list, Tab passes the parameter (disabled here) to the description.
    light()->setFocus();
    QTest::keyClick(light(), Qt::Key_Tab);
    ASSERT_TRUE(description->hasFocus());
    QTest::keyClicks(description, QStringLiteral("neu"));
    EXPECT_EQ(description->toPlainText(), QStringLiteral("neu"));
}

TEST_F(EditorTest, BothTimesShowTheirUnitBesideTheirField) {
    w.open();
    for (const char* name : {"dissolveEdit", "timerEdit"}) {
        const QRect field = w.field<QWidget>(name)->geometry();
        bool found = false;
        for (QLabel* label : w.editor->findChildren<QLabel*>()) {
            const QRect r = label->geometry();
            if (label->text() == QStringLiteral("Sek.") && r.left() > field.right() &&
                r.center().y() > field.top() && r.center().y() < field.bottom())
                found = true;
        }
        EXPECT_TRUE(found) << name;
    }
}

TEST_F(EditorTest, DescriptionStaysOneLineOfAtMost179Characters) {
    w.open();
    auto* description = w.field<QPlainTextEdit>("descriptionEdit");
    description->setPlainText(QStringLiteral("Erste Zeile\nzweite Zeile"));
    clickApply();
    ASSERT_EQ(w.doc.lineCount, 1);
    EXPECT_EQ(w.doc.lines[0].description, "Erste Zeile zweite Zeile");

    description->setPlainText(QString(200, QLatin1Char('x')));
    EXPECT_EQ(description->toPlainText().size(), 179);
    description->setPlainText(QStringLiteral(" "));
    clickApply();
    EXPECT_EQ(w.doc.lines[1].description, "");
}

TEST_F(EditorTest, EndOfShowLineIsStoredWithoutSpecialFunction) {
    w.open();
    light()->setCurrentIndex(3);
    typeInto(slide(), QStringLiteral("0"));
    clickApply();
    ASSERT_EQ(w.doc.lineCount, 1);
    EXPECT_EQ(w.doc.lines[0].slideNumber, 0);
    EXPECT_EQ(w.doc.lines[0].specialFunction, 0);
}

TEST_F(EditorTest, TheShowEndsAt999Lines) {
    for (int i = 0; i < 998; ++i) w.addLine(i % 900 + 1, 25, 55, 0);
    w.open();
    w.reloadFromDocument();
    ASSERT_EQ(programNumber(), QStringLiteral("999"));
    clickApply();
    // The 999th line is stored; the show is full and the editor stays on that line.
    EXPECT_EQ(w.doc.lineCount, 999);
    ASSERT_EQ(w.prompter.messages.size(), 1u);
    EXPECT_EQ(w.prompter.messages[0].text, res::text(ids::LineCapacityReached));
    EXPECT_FALSE(w.doc.appendMode);
    EXPECT_EQ(w.doc.currentLine, 998);
    EXPECT_EQ(w.list->rowCount(), 999);

    // Applying again edits line 999 instead of adding a thousandth.
    typeInto(slide(), QStringLiteral("77"));
    clickApply();
    EXPECT_EQ(w.doc.lineCount, 999);
    EXPECT_EQ(w.doc.lines[998].slideNumber, 77);
    EXPECT_LE(w.doc.currentLine, 998);
    EXPECT_EQ(w.list->rowCount(), 999);

    // A full show that is loaded again offers no new line to overwrite the last one with.
    w.prompter.messages.clear();
    w.reloadFromDocument();
    EXPECT_EQ(w.doc.currentLine, 998);
    typeInto(slide(), QStringLiteral("5"));
    clickApply();
    EXPECT_EQ(w.doc.lineCount, 999);
    EXPECT_EQ(w.doc.lines[998].slideNumber, 77);
    ASSERT_EQ(w.prompter.messages.size(), 1u);
    EXPECT_EQ(w.prompter.messages[0].text, res::text(ids::LineCapacityReached));

    // A click below the last row of a full show keeps the current line within the show.
    w.list->makeCurrentLine(-1, CTextView::Trigger::Click);
    ShowWindow::settle();
    EXPECT_LE(w.doc.currentLine, 998);
}

TEST_F(EditorTest, TotalTimeOfTheShow) {
    w.settings.showTotalLength = true;
    w.addLine(1, 25, 40, 0);
    w.addLine(2, 25, 40, 0);
    w.open();
    w.reloadFromDocument();
    EXPECT_EQ(w.field<QLabel>("totalTimeText")->text(), QStringLiteral("00:00:13 "));
    EXPECT_TRUE(w.field<QLabel>("totalTimeCaption")->isVisible());

    w.addLine(3, 25, 0, 0);  // timer 0: the show waits there
    w.reloadFromDocument();
    EXPECT_EQ(w.field<QLabel>("totalTimeText")->text(), QStringLiteral("00:00:15  + Pause"));

    w.settings.showTotalLength = false;
    w.editor->showTotalTime();
    EXPECT_EQ(w.field<QLabel>("totalTimeText")->text(), QString());
    EXPECT_FALSE(w.field<QLabel>("totalTimeCaption")->isVisible());
}

}  // namespace
}  // namespace vistrel::test
