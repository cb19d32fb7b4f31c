// The projector menu commands through the main window's command routing, against the
// in-process virtual projector on COM2.
#include <algorithm>

#include <QFile>

#include "app/CMainFrame.h"
#include "projector/ProjectorLink.h"
#include "res/StringTable.h"
#include "res/strings/ProjectorStrings.h"
#include "tests/app/AppFixture.h"

namespace vistrel::test {
namespace {

class ProjectorMenu : public AppFixture {};

TEST_F(ProjectorMenu, WriteThenLoadIntoANewWindowGivesTheSameLines) {
    CVistrelApp& started = startApp({showFile()});
    CSplitterFrame& original = *started.activeFrame();
    const CVistrelDoc& written = original.document();
    ASSERT_GT(written.lineCount, 0);

    started.runCommand(cmd::WriteToProjector);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front().text;
    EXPECT_EQ(started.appState().projectorShowTitle, "sample.dpd");
    const auto& log = projector->commandLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "PE");
    EXPECT_EQ(log.back(), "PA");

    // Loading into a show that has lines asks whether to make a new document: Yes.
    prompter.queueAnswer(MessageAnswer::Yes);
    started.runCommand(cmd::LoadFromProjector);
    ASSERT_EQ(started.frames().size(), 2u);
    const CVistrelDoc& loaded = started.activeFrame()->document();
    EXPECT_EQ(loaded.windowTitle, "Vistre1");
    ASSERT_EQ(loaded.lineCount, written.lineCount);
    for (int i = 0; i < written.lineCount; ++i) {
        EXPECT_EQ(loaded.lines[i].slideNumber, written.lines[i].slideNumber) << i;
        EXPECT_EQ(loaded.lines[i].timerTime, written.lines[i].timerTime) << i;
        EXPECT_EQ(loaded.lines[i].specialFunction, written.lines[i].specialFunction) << i;
        EXPECT_TRUE(loaded.lines[i].description.empty()) << i;
    }
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, res::text(ids::LoadOverwritesQuestion));
}

TEST_F(ProjectorMenu, ProjectorVersionShowsTheFirmware) {
    CVistrelApp& started = startApp();
    started.runCommand(cmd::ProjectorVersion);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Der Projektor trägt die Firmware-Version  3.2");
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Information);
}

TEST_F(ProjectorMenu, APortFoundElsewhereIsKeptInTheSettings) {
    port.detach("COM2");
    port.attachProjector("COM3");
    CVistrelApp& started = startApp();
    started.runCommand(cmd::ProjectorVersion);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(started.settings().portName, "COM3");
    ASSERT_TRUE(started.prepareExit());
    started.endOfRun();
    QFile settingsFile(folder.filePath("vistrel.def"));
    ASSERT_TRUE(settingsFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(settingsFile.readLine().trimmed(), "COM3");
}

TEST_F(ProjectorMenu, WithoutAnyPortTheUserIsToldAndNothingHangs) {
    port.detach("COM2");
    CVistrelApp& started = startApp();
    addChangedLine(*started.activeFrame());
    started.runCommand(cmd::WriteToProjector);
    // The search for the projector says no port is there; the first command then fails.
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{res::text(ids::NoPortsAvailable),
                                                        res::text(ids::CommunicationError)}));
    EXPECT_FALSE(started.link().connected);
}

TEST_F(ProjectorMenu, NothingElseRunsOrClosesWhileATransferIsUnderWay) {
    CVistrelApp& started = startApp({showFile()});
    CSplitterFrame* frame = started.activeFrame();
    const std::size_t commandsBefore = projector->commandLog().size();
    bool tried = false;
    progress.whileWriting = [&] {
        tried = true;
        started.runCommand(cmd::ProjectorVersion);  // would talk over the transfer
        started.runCommand(cmd::FileClose);         // would pull the show away
        EXPECT_FALSE(started.prepareExit());
    };
    started.runCommand(cmd::WriteToProjector);

    ASSERT_TRUE(tried);
    EXPECT_EQ(started.frames().size(), 1u);
    EXPECT_EQ(started.activeFrame(), frame);
    EXPECT_EQ(prompter.beeps, 3);
    EXPECT_TRUE(prompter.messages.empty());
    const auto& log = projector->commandLog();
    EXPECT_EQ(std::count(log.begin() + static_cast<long>(commandsBefore), log.end(), "PE"), 1);
    EXPECT_EQ(log.back(), "PA");

    // Afterwards everything works again.
    started.runCommand(cmd::FileClose);
    EXPECT_TRUE(started.frames().empty());
}

}  // namespace
}  // namespace vistrel::test
