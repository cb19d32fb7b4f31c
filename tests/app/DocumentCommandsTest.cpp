// Saving, the question before a show window closes and the questions at the end of
// the run, with the answers the user can give.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/CMainFrame.h"
#include "app/DocumentCommands.h"
#include "app/RecentFileList.h"
#include "app/WindowTitle.h"
#include "views/CVistrelView.h"
#include "model/ShowMediaChoices.h"
#include "platform/qt/core/AppPaths.h"
#include "tests/app/AppFixture.h"

namespace vistrel::test {
namespace {

class Saving : public AppFixture {};

struct SaveAsCase {
    const char* name;
    const char* chosen;
    const char* written;
};
void PrintTo(const SaveAsCase& c, std::ostream* os) { *os << c.name; }


class SaveAs : public AppFixture, public ::testing::WithParamInterface<SaveAsCase> {};

TEST_P(SaveAs, CompletesTheExtensionAndNamesTheWindowAfterTheFile) {
    const SaveAsCase& c = GetParam();
    CVistrelApp& started = startApp();
    CSplitterFrame& frame = *started.activeFrame();
    addChangedLine(frame);
    dialogs.answers = {folder.filePath(c.chosen)};
    started.runCommand(cmd::FileSaveAs);

    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_TRUE(dialogs.calls[0].save);
    // No show opened yet: the title in the home folder.
    EXPECT_EQ(dialogs.calls[0].folderOrPreset, QDir::home().filePath("Vistre1"));
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(c.written)));
    EXPECT_EQ(frame.document().windowTitle, c.written);
    EXPECT_EQ(frame.windowTitle(), QString(c.written) + "[*]");
    EXPECT_FALSE(frame.isWindowModified());
    EXPECT_FALSE(frame.document().hasUnsavedChanges());
    EXPECT_EQ(started.recentFiles().entries().value(0), folder.filePath(c.written));
}

INSTANTIATE_TEST_SUITE_P(App, SaveAs,
                         ::testing::Values(SaveAsCase{"NoExtension", "abc", "abc.dpd"},
                                           SaveAsCase{"UpperCaseExtension", "ABC.DPD", "ABC.DPD"},
                                           SaveAsCase{"OtherExtension", "abc.txt", "abc.txt.dpd"}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(WindowTitle, TheChangeMarkStandsAfterTheNameAndNowhereElse) {
    const struct {
        const char* name;
        const char* clean;
        const char* changed;
    } table[] = {
        {"Urlaub.dpd", "Urlaub.dpd", "Urlaub.dpd*"},
        {"Vistre1", "Vistre1", "Vistre1*"},
        {"a[*]b.dpd", "a[*]b.dpd", "a[*]b.dpd*"},
        {"a[*].dpd[*]", "a[*].dpd[*]", "a[*].dpd[*]*"},
        {"[*][*]", "[*][*]", "[*][*]*"},
        {"", "", "*"},
    };
    for (const auto& row : table) {
        const QString title = titleWithChangeMark(QString::fromUtf8(row.name));
        EXPECT_EQ(shownTitle(title, false), QString::fromUtf8(row.clean)) << row.name;
        EXPECT_EQ(shownTitle(title, true), QString::fromUtf8(row.changed)) << row.name;
    }
}

TEST_F(Saving, TheWindowSaysWhileItHoldsUnsavedChanges) {
    CVistrelApp& started = startApp({showFile("Urlaub.dpd")});
    CSplitterFrame& frame = *started.activeFrame();
    CMainFrame& main = *started.mainFrame();
    const struct {
        const char* step;
        std::function<void()> act;
        bool modified;
    } steps[] = {
        {"opened", [] {}, false},
        {"a line removed", [&] {
             frame.listView()->selectAndFocusRow(1);
             started.runCommand(cmd::RemoveLines);
         }, true},
        {"taken back", [&] { started.runCommand(cmd::EditUndo); }, false},
        {"done again", [&] { started.runCommand(cmd::EditRedo); }, true},
        {"maximized", [&] { frame.showMaximized(); }, true},
        {"saved", [&] { started.runCommand(cmd::FileSave); }, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.act();
        EXPECT_EQ(frame.isWindowModified(), step.modified);
        EXPECT_EQ(frame.windowTitle(), "Urlaub.dpd[*]");
        EXPECT_EQ(main.isWindowModified(), step.modified);
        EXPECT_EQ(main.windowTitle(), frame.isMaximized() ? "Orvandel Bildtechnik - Vistrel - [Urlaub.dpd[*]]"
                                                          : "Orvandel Bildtechnik - Vistrel - Urlaub.dpd[*]")
            << main.windowTitle().toStdString();
    }
}

TEST_F(Saving, SaveAsTakesThePictureFolderAndMusicAlong) {
    QDir(folder.path()).mkpath("a/Bilder");
    QDir(folder.path()).mkpath("b");
    const QString show = folder.filePath("a/Urlaub.dpd");
    QFile::copy(showFile("x.dpd"), show);
    QFile::setPermissions(show, QFile::ReadOwner | QFile::WriteOwner);
    const QString music = folder.filePath("lied.ogg");
    QFile(music).open(QIODevice::WriteOnly);
    CVistrelApp& started = startApp({show});
    dialogs.answers = {folder.filePath("a/Bilder"), music, folder.filePath("b/Sommer")};
    started.runCommand(cmd::ChoosePictureFolder);
    started.runCommand(cmd::ChooseMusic);
    started.runCommand(cmd::FileSaveAs);

    const ShowMediaChoices choices(showMediaFilePath().toStdString());
    const ShowMedia moved = choices.of(folder.filePath("b/Sommer.dpd").toStdString());
    EXPECT_EQ(moved.pictureFolder, folder.filePath("a/Bilder").toStdString());
    EXPECT_EQ(moved.musicFile, music.toStdString());
    EXPECT_EQ(choices.of(show.toStdString()), moved) << "the old file keeps its choice";
}

TEST_F(Saving, ANewShowTakesItsChoicesToItsFirstName) {
    const QString music = folder.filePath("lied.ogg");
    QFile(music).open(QIODevice::WriteOnly);
    CVistrelApp& started = startApp();
    addChangedLine(*started.activeFrame());
    dialogs.answers = {music, folder.filePath("Neu.dpd")};
    started.runCommand(cmd::ChooseMusic);
    started.runCommand(cmd::FileSaveAs);

    const ShowMedia kept = ShowMediaChoices(showMediaFilePath().toStdString()).of(folder.filePath("Neu.dpd").toStdString());
    EXPECT_EQ(kept.musicFile, music.toStdString());
    EXPECT_EQ(kept.pictureFolder, "");
}

TEST_F(Saving, TheDialogsStartInTheFolderOfTheShow) {
    CVistrelApp& started = startApp();
    QDir(folder.path()).mkdir("Shows");
    const QString shows = folder.filePath("Shows");
    const QString opened = showFile("sample.dpd");
    QFile::rename(opened, shows + "/sample.dpd");
    ASSERT_TRUE(started.openShow(shows + "/sample.dpd"));

    // A saved show: its own folder and name.
    dialogs.answers = {QString()};
    started.runCommand(cmd::FileSaveAs);
    // A new show: its title in the folder shows were last opened from.
    started.runCommand(cmd::FileNew);
    dialogs.answers = {QString()};
    started.runCommand(cmd::FileSaveAs);
    // Opening starts there too.
    dialogs.answers = {QString()};
    started.runCommand(cmd::FileOpen);
    // A folder that is gone (another machine's path) leaves the home folder.
    started.settings().lastFolder = "C:\\Eigene Dateien\\Shows\\";
    dialogs.answers = {QString()};
    started.runCommand(cmd::FileOpen);

    ASSERT_EQ(dialogs.calls.size(), 4u);
    EXPECT_EQ(dialogs.calls[0].folderOrPreset, shows + "/sample.dpd");
    EXPECT_EQ(dialogs.calls[1].folderOrPreset, shows + "/Vistre2");
    EXPECT_EQ(dialogs.calls[2].folderOrPreset, shows);
    EXPECT_EQ(dialogs.calls[3].folderOrPreset, QDir::homePath());
}

TEST_F(Saving, SaveWithoutPathAsksForOneAndThenWritesWithoutAsking) {
    CVistrelApp& started = startApp();
    CSplitterFrame& frame = *started.activeFrame();
    addChangedLine(frame);
    dialogs.answers = {folder.filePath("first")};
    started.runCommand(cmd::FileSave);
    addChangedLine(frame, 2);
    started.runCommand(cmd::FileSave);
    EXPECT_EQ(dialogs.calls.size(), 1u);
    EXPECT_FALSE(frame.document().hasUnsavedChanges());
}

TEST_F(Saving, AFailedSaveNeitherRenamesTheWindowNorEntersTheRecentFiles) {
    CVistrelApp& started = startApp();
    CSplitterFrame& frame = *started.activeFrame();
    addChangedLine(frame);
    dialogs.answers = {folder.filePath("no/such/folder/show.dpd")};
    started.runCommand(cmd::FileSaveAs);
    EXPECT_EQ(frame.document().windowTitle, "Vistre1");
    EXPECT_TRUE(started.recentFiles().entries().isEmpty());
    EXPECT_TRUE(frame.document().hasUnsavedChanges());
    EXPECT_EQ(prompter.messages.size(), 1u);  // the writer's own message
}

// --- closing one window ------------------------------------------------------------------

struct CloseCase {
    const char* name;
    bool changed;
    std::vector<MessageAnswer> answers;
    QString saveAnswer;  // empty: the save dialog is cancelled
    bool closes;
    int questions;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }


class CloseQuestion : public AppFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, KeepsTheWindowUnlessTheShowIsSafe) {
    const CloseCase& c = GetParam();
    CVistrelApp& started = startApp();
    CSplitterFrame* frame = started.activeFrame();
    if (c.changed) addChangedLine(*frame);
    for (MessageAnswer answer : c.answers) prompter.queueAnswer(answer);
    if (!c.saveAnswer.isEmpty()) dialogs.answers = {folder.filePath(c.saveAnswer)};
    started.appState().projectorShowTitle = "Vistre1";

    started.runCommand(cmd::FileClose);

    EXPECT_EQ(started.frames().empty(), c.closes);
    ASSERT_EQ(static_cast<int>(prompter.messages.size()), c.questions);
    if (c.questions > 0) {
        EXPECT_EQ(prompter.messages[0].text, "Möchten Sie die Änderungen in Vistre1 speichern ?");
        EXPECT_EQ(prompter.messages[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Question);
    }
    // Closing forgets which show was written to the projector, whatever the answer.
    EXPECT_TRUE(started.appState().projectorShowTitle.empty());
    if (!c.closes) {
        EXPECT_EQ(frame->document().hasUnsavedChanges(), c.changed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    App, CloseQuestion,
    ::testing::Values(CloseCase{"Unchanged", false, {}, {}, true, 0},
                      CloseCase{"No", true, {MessageAnswer::No}, {}, true, 1},
                      CloseCase{"Cancel", true, {MessageAnswer::Cancel}, {}, false, 1},
                      CloseCase{"YesAndSaved", true, {MessageAnswer::Yes}, "kept.dpd", true, 1},
                      CloseCase{"YesThenSaveDialogCancelled", true, {MessageAnswer::Yes}, {}, false, 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(Saving, AShowWithoutLinesClosesWithoutAQuestionEvenAfterTheTitleDialog) {
    CVistrelApp& started = startApp();
    onNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    started.runCommand(cmd::EditTitle);
    started.runCommand(cmd::FileClose);
    EXPECT_TRUE(started.frames().empty());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(started.mainFrame()->documentMenus());
}

// --- ending the program ------------------------------------------------------------------

struct ExitCase {
    const char* name;
    std::vector<MessageAnswer> answers;  // for the two changed shows, in window order
    std::deque<QString> saveAnswers;
    bool ends;
    int questions;
};
void PrintTo(const ExitCase& c, std::ostream* os) { *os << c.name; }


class ExitQuestions : public AppFixture, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitQuestions, AskEveryChangedShowInOrder) {
    const ExitCase& c = GetParam();
    CVistrelApp& started = startApp();
    addChangedLine(*started.frames()[0]);
    started.runCommand(cmd::FileNew);  // Vistre2, unchanged: never asked
    started.runCommand(cmd::FileNew);  // Vistre3
    addChangedLine(*started.frames()[2]);
    for (MessageAnswer answer : c.answers) prompter.queueAnswer(answer);
    for (const QString& name : c.saveAnswers) dialogs.answers.push_back(name.isEmpty() ? name : folder.filePath(name));

    EXPECT_EQ(started.prepareExit(), c.ends);

    ASSERT_EQ(static_cast<int>(prompter.messages.size()), c.questions);
    EXPECT_EQ(prompter.messages[0].text, "Möchten Sie die Änderungen in Vistre1 speichern ?");
    if (c.questions > 1) {
        EXPECT_EQ(prompter.messages[1].text, "Möchten Sie die Änderungen in Vistre3 speichern ?");
    }
    // Either every window closes, or none does.
    EXPECT_EQ(started.frames().size(), c.ends ? 0u : 3u);
}

INSTANTIATE_TEST_SUITE_P(
    App, ExitQuestions,
    ::testing::Values(ExitCase{"NoAndNo", {MessageAnswer::No, MessageAnswer::No}, {}, true, 2},
                      ExitCase{"YesSavedAndNo", {MessageAnswer::Yes, MessageAnswer::No}, {"one.dpd"}, true, 2},
                      ExitCase{"CancelFirst", {MessageAnswer::Cancel}, {}, false, 1},
                      ExitCase{"NoThenCancel", {MessageAnswer::No, MessageAnswer::Cancel}, {}, false, 2},
                      ExitCase{"YesButSaveCancelled", {MessageAnswer::Yes}, {QString()}, false, 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace vistrel::test
