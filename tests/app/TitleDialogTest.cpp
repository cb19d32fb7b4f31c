// "Titel bearbeiten / anzeigen": the joined description, the limits checked on OK, and
// what reaches the document.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>

#include "app/DocumentCommands.h"
#include "dialogs/ShowTitleDialog.h"
#include "tests/app/AppFixture.h"

namespace vistrel::test {
namespace {

struct JoinCase {
    const char* name;
    const char* description;
    const char* continued;
    const char* shown;
};
void PrintTo(const JoinCase& c, std::ostream* os) { *os << c.name; }


class TitleJoin : public ::testing::TestWithParam<JoinCase> {};

TEST_P(TitleJoin, ShowsTheContinuationAfterOneBlank) {
    const JoinCase& c = GetParam();
    RecordingPrompter prompter;
    ShowTitleDialog dialog({"", c.description, c.continued, "", ""}, prompter);
    EXPECT_EQ(dialog.descriptionEdit()->text(), QString::fromUtf8(c.shown));
    dialog.accept();
    EXPECT_EQ(dialog.texts().description, QString::fromUtf8(c.shown));
    EXPECT_TRUE(dialog.texts().descriptionContinued.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(App, TitleJoin,
                         ::testing::Values(JoinCase{"Both", "Teil 1", "Teil 2", "Teil 1 Teil 2"},
                                           JoinCase{"NoContinuation", "Teil 1", "", "Teil 1"},
                                           JoinCase{"OnlyContinuation", "", "Teil 2", " Teil 2"},
                                           JoinCase{"Umlauts", "Größe", "Übergang", "Größe Übergang"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(TitleDialogFields, TheShortFieldsShowAllOfTheir19Characters) {
    RecordingPrompter prompter;
    // The widest letters, and a mix as a storage place is written.
    for (const QString& text : {QString(19, QLatin1Char('W')), QString(19, QLatin1Char('M')),
                                QStringLiteral("Schrank 2, Fach 14B")}) {
        ShowTitleDialog dialog({"", "", "", text, text}, prompter);
        dialog.show();
        QApplication::processEvents();
        for (QLineEdit* edit : {dialog.storageLocationEdit(), dialog.moduleNumberEdit()}) {
            // With the cursor at the end, a field too narrow scrolls its first letters away.
            edit->setCursorPosition(static_cast<int>(edit->text().size()));
            const QRect cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            EXPECT_GT(cursor.center().x(), edit->fontMetrics().horizontalAdvance(text)) << text.toStdString();
            EXPECT_LT(cursor.center().x(), edit->width());
        }
    }
}

struct LimitCase {
    const char* name;
    int field;  // 0 title, 1 description, 2 storage location, 3 module number
    int length;
    bool accepted;
    int limitInMessage;
};
void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }


class TitleLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(TitleLimits, RefuseLongerTextsOnOkAndStayOpen) {
    const LimitCase& c = GetParam();
    RecordingPrompter prompter;
    // Typing cannot pass a limit, so the long text comes in with the show's texts.
    ShowTitleTexts texts;
    QString* fields[] = {&texts.title, &texts.description, &texts.storageLocation, &texts.moduleNumber};
    *fields[c.field] = QString(c.length, QLatin1Char('x'));
    ShowTitleDialog dialog(texts, prompter);
    dialog.accept();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
    if (c.accepted) {
        EXPECT_TRUE(prompter.messages.empty());
    } else {
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text,
                  "Geben Sie bitte nicht mehr als " + std::to_string(c.limitInMessage) + " Zeichen ein.");
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Exclamation);
    }
}

INSTANTIATE_TEST_SUITE_P(App, TitleLimits,
                         ::testing::Values(LimitCase{"TitleAtLimit", 0, 179, true, 0},
                                           LimitCase{"TitleOver", 0, 180, false, 179},
                                           LimitCase{"DescriptionOver", 1, 180, false, 179},
                                           LimitCase{"StorageAtLimit", 2, 19, true, 0},
                                           LimitCase{"StorageOver", 2, 20, false, 19},
                                           LimitCase{"ModuleOver", 3, 20, false, 19}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(TitleDialog, AJoinedDescriptionOverTheLimitIsKeptUntilOkRefusesIt) {
    RecordingPrompter prompter;
    const QString full(179, QLatin1Char('a'));
    ShowTitleDialog dialog({"", full, "Rest", "", ""}, prompter);
    // Shown whole, not cut to the limit behind the user's back.
    EXPECT_EQ(dialog.descriptionEdit()->text(), full + " Rest");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST(TitleDialog, TypingStopsAtTheLimit) {
    RecordingPrompter prompter;
    ShowTitleDialog dialog({}, prompter);
    dialog.storageLocationEdit()->setText(QString(19, QLatin1Char('s')));
    dialog.storageLocationEdit()->end(false);
    dialog.storageLocationEdit()->insert(QStringLiteral("t"));
    EXPECT_EQ(dialog.storageLocationEdit()->text().size(), 19);
}

class EditTitle : public AppFixture {};

TEST_F(EditTitle, StoresTheTextsAndEmptiesTheContinuation) {
    CVistrelApp& started = startApp({showFile()});
    CVistrelDoc& doc = started.activeFrame()->document();
    doc.header.description = "Teil 1";
    doc.header.descriptionContinued = "Teil 2";
    onNextModal([](QWidget* widget) {
        auto* dialog = static_cast<ShowTitleDialog*>(widget);
        dialog->titleEdit()->setText(QStringLiteral("Sommer über'm See"));
        dialog->moduleNumberEdit()->setText(QStringLiteral("12"));
        dialog->accept();
    });
    started.runCommand(cmd::EditTitle);
    EXPECT_EQ(doc.header.description.str(), "Teil 1 Teil 2");
    EXPECT_TRUE(doc.header.descriptionContinued.empty());
    EXPECT_EQ(doc.header.moduleNumber.str(), "12");
    // The header keeps the file's code page: ü is one byte.
    EXPECT_EQ(doc.header.title.str(), "Sommer \xFC"
                                      "ber'm See");
}

TEST_F(EditTitle, CancellingStillCountsAsAChangeOfANonEmptyShow) {
    CVistrelApp& started = startApp({showFile()});
    CVistrelDoc& doc = started.activeFrame()->document();
    const std::string title = doc.header.title.str();
    ASSERT_FALSE(doc.hasUnsavedChanges());
    onNextModal([](QWidget* widget) { static_cast<QDialog*>(widget)->reject(); });
    started.runCommand(cmd::EditTitle);
    EXPECT_TRUE(doc.hasUnsavedChanges());
    EXPECT_EQ(doc.header.title.str(), title);
}

}  // namespace
}  // namespace vistrel::test
