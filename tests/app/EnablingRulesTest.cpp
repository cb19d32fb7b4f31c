// The enabling rules, alone and as the main window applies them: with and without an
// open show, with and without lines, while a show runs.
#include <QAction>
#include <QDialog>
#include <QTest>
#include <QMenuBar>
#include <QToolBar>

#include "app/CMainFrame.h"
#include "app/EnablingRules.h"
#include "tests/app/AppFixture.h"
#include "views/CVistrelView.h"

namespace vistrel::test {
namespace {

enum class State { NoShow, EmptyShow, ShowWithLines, RunningShow, RunningBusy, PausedAtLine };

CommandContext contextFor(State state) {
    CommandContext context;
    if (state == State::NoShow) return context;
    context.documentActive = true;
    context.documentWindows = 1;
    context.lineCount = state == State::EmptyShow ? 0 : 12;
    context.showRunning = state == State::RunningShow || state == State::RunningBusy || state == State::PausedAtLine;
    context.commandBusy = state == State::RunningBusy;
    context.pauseState = state == State::PausedAtLine ? 2 : 0;
    context.viewEnables = [](int) { return true; };
    return context;
}

struct RuleCase {
    int command;
    // Allowed in: no show, empty show, show with lines, running, running and busy, at a pause line.
    std::array<bool, 6> allowed;
};
void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.command; }


class Rules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Rules, AllowTheCommandExactlyWhereTheProgramMayRunIt) {
    const RuleCase& c = GetParam();
    const State states[] = {State::NoShow,      State::EmptyShow,   State::ShowWithLines,
                            State::RunningShow, State::RunningBusy, State::PausedAtLine};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(ruleAllows(c.command, contextFor(states[i])), c.allowed[i]) << "state " << i;
    }
}

constexpr std::array<bool, 6> kAlways{true, true, true, true, true, true};
constexpr std::array<bool, 6> kWithShow{false, true, true, true, true, true};
constexpr std::array<bool, 6> kShowIdle{false, true, true, false, false, false};
constexpr std::array<bool, 6> kLinesIdle{false, false, true, false, false, false};

INSTANTIATE_TEST_SUITE_P(
    App, Rules,
    ::testing::Values(RuleCase{cmd::FileNew, kAlways}, RuleCase{cmd::FileOpen, kAlways},
                      RuleCase{cmd::AppAbout, kAlways}, RuleCase{cmd::OpenDemoShow, kAlways},
                      RuleCase{cmd::FileSave, kWithShow},
                      RuleCase{cmd::EditTitle, kWithShow}, RuleCase{cmd::FileClose, kWithShow},
                      RuleCase{cmd::WriteToProjector, kLinesIdle}, RuleCase{cmd::WriteToModule, kLinesIdle},
                      RuleCase{cmd::LoadFromProjector, kShowIdle}, RuleCase{cmd::LoadFromModule, kShowIdle},
                      RuleCase{cmd::ProjectorVersion, {true, true, true, false, false, false}},
                      RuleCase{cmd::StartShow, kShowIdle}, RuleCase{cmd::StopShow, kWithShow},
                      RuleCase{cmd::PauseContinue, {false, false, false, true, false, false}},
                      RuleCase{cmd::NextPicture, {false, false, false, true, false, true}},
                      RuleCase{cmd::Settings, kShowIdle}, RuleCase{cmd::SearchCurrent, kShowIdle},
                      RuleCase{cmd::SearchFolders, {true, true, true, false, false, false}},
                      RuleCase{cmd::ShowLength, kShowIdle},
                      RuleCase{cmd::ScaleShow, {false, false, true, true, true, true}},
                      RuleCase{cmd::EditCut, kShowIdle}, RuleCase{cmd::EditPaste, kShowIdle},
                      RuleCase{cmd::EditCopy, kWithShow}, RuleCase{cmd::EditSelectAll, kWithShow},
                      RuleCase{cmd::Rehearse, kLinesIdle}, RuleCase{cmd::ChoosePictureFolder, kWithShow},
                      RuleCase{cmd::ChooseMusic, kWithShow},
                      RuleCase{cmd::CheckPictures, {false, false, true, true, true, true}},
                      RuleCase{cmd::PrintMagazinePlan, {false, false, true, true, true, true}},
                      RuleCase{cmd::EditUndo, kShowIdle}, RuleCase{cmd::EditRedo, kShowIdle}),
    [](const auto& testCase) { return std::to_string(testCase.param.command); });

TEST(Rules, RepeatSearchNeedsAnEarlierSearch) {
    CommandContext context = contextFor(State::ShowWithLines);
    EXPECT_FALSE(ruleAllows(cmd::SearchRepeat, context));
    context.searchIndex = 3;
    EXPECT_TRUE(ruleAllows(cmd::SearchRepeat, context));
    context.showRunning = true;
    EXPECT_FALSE(ruleAllows(cmd::SearchRepeat, context));
}

TEST(Rules, EditCommandsFollowWhatTheListCanDo) {
    CommandContext context = contextFor(State::ShowWithLines);
    context.viewEnables = [](int id) { return id == cmd::EditCopy; };
    EXPECT_TRUE(isCommandEnabled(cmd::EditCopy, context));
    EXPECT_FALSE(isCommandEnabled(cmd::EditRemove, context));
}

TEST(Rules, UndoAndRedoNeedAStepOrTypingToTakeBack) {
    CommandContext context = contextFor(State::ShowWithLines);
    context.viewEnables = [](int) { return false; };  // no typing in a field
    EXPECT_FALSE(ruleAllows(cmd::EditUndo, context));
    context.canUndo = true;
    EXPECT_TRUE(ruleAllows(cmd::EditUndo, context));
    EXPECT_FALSE(ruleAllows(cmd::EditRedo, context));
}

TEST(Rules, EveryCommandIsBuiltAndFollowsItsRule) {
    const CommandContext context = contextFor(State::ShowWithLines);
    for (int id : {cmd::StartShow, cmd::StopShow, cmd::InfoDisplay, cmd::JumpToLine, cmd::Settings, cmd::ShowLength,
                   cmd::ScaleShow, cmd::SearchCurrent, cmd::SearchFolders}) {
        EXPECT_TRUE(isCommandBuilt(id)) << id;
        EXPECT_EQ(isCommandEnabled(id, context), ruleAllows(id, context)) << id;
    }
}

// --- the main window ---------------------------------------------------------------------

class MainFrameActions : public AppFixture {};

QStringList menuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* action : bar->actions()) titles << action->text();
    return titles;
}

TEST_F(MainFrameActions, MenusFollowWhetherAShowIsOpen) {
    CVistrelApp& started = startApp();
    CMainFrame& frame = *started.mainFrame();
    EXPECT_EQ(menuTitles(frame.menuBar()),
              (QStringList{"Dat&ei", "Bea&rbeiten", "Su&chen", "Diasc&hau", "All&gemeines", "&Ansicht", "Fe&nster", "&?"}));
    started.activeFrame()->closeWithoutAsking();
    EXPECT_EQ(menuTitles(frame.menuBar()), (QStringList{"Dat&ei", "Su&chen", "&Ansicht", "&?"}));
    // Without a show, the file menu has no save or close items.
    QMenu* file = frame.menuBar()->actions().at(0)->menu();
    EXPECT_FALSE(file->actions().contains(frame.action(cmd::FileSave)));
    EXPECT_TRUE(file->actions().contains(frame.action(cmd::FilePrintSetup)));
}

TEST_F(MainFrameActions, ActionsCarryTheirTextsAndKeys) {
    CVistrelApp& started = startApp();
    CMainFrame& frame = *started.mainFrame();
    struct Expected {
        int id;
        const char* text;
        QList<QKeySequence> keys;
    };
    const Expected expected[] = {
        {cmd::FileOpen, "Ö&ffnen...", {QKeySequence("Ctrl+O")}},
        {cmd::EditCut, "Ausschneiden", {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}},
        {cmd::EditUndo, "Rückgängig", {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {cmd::EditRedo, "Wiederherstellen", {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}},
        {cmd::EditTitle, "Titel bearbeiten / anzeigen", {QKeySequence("Alt+T")}},
        {cmd::WriteToProjector, "Diaschau in den Projektor speichern", {QKeySequence("Alt+U")}},
        {cmd::LoadFromProjector, "Diaschau vom Projektor laden", {QKeySequence("Alt+L")}},
        {cmd::SearchFolders, "in Unterverzeichnissen", {QKeySequence("Alt+D")}},
        {cmd::PauseContinue, "Pause bzw. weiter", {QKeySequence(Qt::Key_Pause), QKeySequence("Ctrl+Space")}},
        {cmd::NextPicture, "Bild vorwärts", {QKeySequence("Ctrl+Right")}},
        {cmd::AppAbout, "Inf&o über Vistrel...", {}},
    };
    for (const Expected& e : expected) {
        QAction* action = frame.action(e.id);
        ASSERT_NE(action, nullptr) << e.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(e.text));
        EXPECT_EQ(action->shortcuts(), e.keys) << e.text;
    }
}

TEST_F(MainFrameActions, ToolBarKeepsTheProgramsOrder) {
    CVistrelApp& started = startApp();
    QList<int> ids;
    for (QAction* action : started.mainFrame()->toolBar()->actions()) ids << (action->isSeparator() ? 0 : action->data().toInt());
    const QList<int> expected{cmd::FileNew, cmd::FileOpen, cmd::FileSave, 0, cmd::EditCut, cmd::EditCopy,
                              cmd::EditPaste, 0, cmd::EditUndo, cmd::EditRedo, 0, cmd::StartShow, cmd::StopShow, cmd::PauseContinue,
                              cmd::NextPicture, cmd::Rehearse, 0, cmd::LoadFromProjector, 0, cmd::WriteToProjector, 0,
                              cmd::WriteToModule, 0, cmd::LoadFromModule, 0, cmd::ShowLength, 0,
                              cmd::SearchCurrent, 0, cmd::SearchFolders, 0, cmd::FilePrint, 0, cmd::AppAbout,
                              cmd::ContextHelp};
    EXPECT_EQ(ids, expected);
    for (QAction* action : started.mainFrame()->toolBar()->actions()) {
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
        }
    }
}

TEST_F(MainFrameActions, UpdateActionsFollowsLinesAndARunningShow) {
    CVistrelApp& started = startApp();
    CMainFrame& frame = *started.mainFrame();
    frame.updateActions();
    EXPECT_FALSE(frame.action(cmd::WriteToProjector)->isEnabled());
    EXPECT_TRUE(frame.action(cmd::LoadFromProjector)->isEnabled());

    addChangedLine(*started.activeFrame());
    frame.updateActions();
    EXPECT_TRUE(frame.action(cmd::WriteToProjector)->isEnabled());

    started.runState().showRunning = true;
    started.runState().pauseState = 1;
    frame.updateActions();
    EXPECT_FALSE(frame.action(cmd::WriteToProjector)->isEnabled());
    EXPECT_FALSE(frame.action(cmd::LoadFromModule)->isEnabled());
    EXPECT_FALSE(frame.action(cmd::ProjectorVersion)->isEnabled());
    EXPECT_TRUE(frame.action(cmd::EditTitle)->isEnabled());
    EXPECT_EQ(frame.pauseIndicatorText(), "PAUSE !");
    EXPECT_EQ(frame.statusPaneTexts().mid(1), (QStringList{"PAUSE !", "UF", "NUM", "RF"}));

    started.runState().showRunning = false;
    started.runState().pauseState = 0;
    frame.updateActions();
    EXPECT_TRUE(frame.pauseIndicatorText().isEmpty());
}

TEST_F(MainFrameActions, ADisabledCommandDoesNothingEvenFromAShortcut) {
    CVistrelApp& started = startApp();
    // No lines: writing into the projector is refused without touching the port.
    started.runCommand(cmd::WriteToProjector);
    EXPECT_TRUE(projector->commandLog().empty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainFrameActions, AcceleratorsReachTheirCommandsFromTheList) {
    CVistrelApp& started = startApp();
    CMainFrame& frame = *started.mainFrame();
    QApplication::setActiveWindow(&frame);
    CSplitterFrame& show = *started.activeFrame();
    QWidget* list = show.listView();
    list->setFocus();

    QTest::keyClick(list, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(started.frames().size(), 2u);

    // Alt+T is the title dialog, not a menu's access key.
    bool dialogSeen = false;
    onNextModal([&](QWidget* dialog) {
        dialogSeen = true;
        static_cast<QDialog*>(dialog)->reject();
    });
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : list;
    QTest::keyClick(focus, Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(dialogSeen);
}

}  // namespace
}  // namespace vistrel::test
