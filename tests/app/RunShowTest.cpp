// Running a show from the window program: the commands through the main window's
// routing, the list following the projector, "PAUSE !", the homing wait and the info
// window, against the in-process virtual projector with the timers ticked on virtual time.
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "app/CMainFrame.h"
#include "app/FrameRunView.h"
#include "app/ShowRunWindows.h"
#include "dialogs/HomingWaitDialog.h"
#include "dialogs/InfoWindow.h"
#include "projector/RunControl.h"
#include "tests/app/AppFixture.h"
#include "tests/app/ShowLines.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"

namespace vistrel::test {
namespace {

class RunShow : public AppFixture {
protected:
    RunShow() { InfoWindow::resetRememberedPosition(); }

    using Line = ShowLine;

    // The started program's show window, filled with `lines`.
    CSplitterFrame& showWith(const std::vector<Line>& lines) {
        CSplitterFrame& frame = *startApp().activeFrame();
        appendShowLines(frame.document(), lines);
        return frame;
    }
    static std::vector<Line> plainLines(int count) {
        static const char* texts[] = {"Titeldia", "Hafen", "Leuchtturm", "Strand", "Düne", "Abend"};
        std::vector<Line> lines;
        for (int i = 0; i < count; ++i) lines.push_back({i + 1, 10, 20, 0, texts[i % 6]});
        return lines;
    }

    void poll(CSplitterFrame& frame, int ticks = 1) {
        for (int i = 0; i < ticks; ++i) {
            clock.advance(RunControl::PollIntervalMs);
            frame.runView().pollNow();
        }
    }
    bool pollUntilRow(CSplitterFrame& frame, int row, int ticks = 60) {
        for (int i = 0; i < ticks; ++i) {
            if (frame.document().runningLine == row && frame.listView()->selectedRows() == std::vector<int>{row})
                return true;
            poll(frame);
        }
        return false;
    }
    // Ticks the homing wait until it has closed; true when it did.
    bool homeWithin(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            HomingWaitDialog* wait = app->runWindows().homingWait();
            if (!wait) return true;
            clock.advance(HomingWait::TickMs);
            wait->tick();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return app->runWindows().homingWait() == nullptr;
    }
    bool enabled(int commandId) {
        app->mainFrame()->updateActions();
        return app->mainFrame()->action(commandId)->isEnabled();
    }
    const std::vector<std::string>& commands() const { return projector->commandLog(); }
};

TEST_F(RunShow, StartFromTheMenuAndTheListFollowsTheProjector) {
    CSplitterFrame& frame = showWith(plainLines(4));
    frame.listView()->selectionModel()->select(frame.listView()->model()->index(0, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_TRUE(enabled(cmd::StartShow));
    app->runCommand(cmd::StartShow);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(commands().back(), "AZ");
    EXPECT_TRUE(app->runState().showRunning);
    EXPECT_TRUE(frame.runView().polling());
    EXPECT_TRUE(frame.listView()->selectedRows().empty());
    EXPECT_FALSE(enabled(cmd::StartShow));
    EXPECT_TRUE(enabled(cmd::PauseContinue));
    EXPECT_TRUE(enabled(cmd::NextPicture));

    for (int row = 0; row < 4; ++row) EXPECT_TRUE(pollUntilRow(frame, row)) << row;
    poll(frame, 6);
    EXPECT_FALSE(app->runState().showRunning) << "the end of the show was seen";
    EXPECT_FALSE(frame.runView().polling());
    EXPECT_TRUE(enabled(cmd::StartShow));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(RunShow, APauseLineShowsPauseAndSpaceInTheListGoesOn) {
    CSplitterFrame& frame = showWith({{1, 10, 20, 0, "Anfang"}, {2, 10, 0, 0, "Warten"}, {3, 10, 20, 0, "Weiter"}});
    app->runCommand(cmd::StartShow);
    ASSERT_TRUE(pollUntilRow(frame, 1));
    poll(frame, 3);
    EXPECT_EQ(app->mainFrame()->pauseIndicatorText(), "PAUSE !");
    EXPECT_FALSE(enabled(cmd::PauseContinue)) << "at a pause line only \"Bild vorwärts\" goes on";
    EXPECT_TRUE(enabled(cmd::NextPicture));

    QTest::keyClick(frame.listView(), Qt::Key_Space);
    EXPECT_EQ(commands().back(), "BV");
    EXPECT_EQ(app->runState().pauseState, 0);
    EXPECT_EQ(app->mainFrame()->pauseIndicatorText(), "");
    EXPECT_TRUE(pollUntilRow(frame, 2));
}

TEST_F(RunShow, PauseAndContinueFromTheToolBarCommand) {
    CSplitterFrame& frame = showWith(plainLines(4));
    app->runCommand(cmd::StartShow);
    poll(frame, 2);
    app->mainFrame()->action(cmd::PauseContinue)->trigger();
    EXPECT_EQ(commands().back(), "ST");
    EXPECT_EQ(app->mainFrame()->pauseIndicatorText(), "PAUSE !");
    EXPECT_TRUE(projector->isHalted());
    app->mainFrame()->action(cmd::PauseContinue)->trigger();
    EXPECT_EQ(commands().back(), "WE");
    EXPECT_EQ(app->mainFrame()->pauseIndicatorText(), "");
}

TEST_F(RunShow, StopWaitsInItsWindowUntilTheProjectorIsHome) {
    CSplitterFrame& frame = showWith(plainLines(4));
    app->runCommand(cmd::StartShow);
    poll(frame, 2);
    app->runCommand(cmd::StopShow);
    EXPECT_EQ(commands().back(), "EN");
    QPointer<HomingWaitDialog> wait = app->runWindows().homingWait();
    ASSERT_TRUE(wait);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->windowTitle(), "warten ...");
    EXPECT_FALSE(wait->findChildren<QLabel*>().isEmpty());
    EXPECT_EQ(wait->findChildren<QLabel*>().front()->text(), "bis Projektor in Grundstellung.");
    EXPECT_EQ(wait->cancelButton()->text(), "Abbruch");
    EXPECT_EQ(wait->progressBar()->maximum(), 100);

    const std::size_t afterStop = commands().size();
    poll(frame);
    EXPECT_EQ(commands().size(), afterStop) << "the poll keeps off the line while the wait is open";
    EXPECT_TRUE(app->runState().showRunning);

    EXPECT_TRUE(homeWithin(40));
    EXPECT_FALSE(wait);
    EXPECT_EQ(commands().back(), "PA");
    EXPECT_FALSE(app->runState().showRunning);
    EXPECT_TRUE(enabled(cmd::StartShow));
    poll(frame);
    EXPECT_FALSE(frame.runView().polling()) << "the next tick stops the poll";
}

TEST_F(RunShow, AbbruchEndsTheWaitAtOnce) {
    CSplitterFrame& frame = showWith(plainLines(3));
    app->runCommand(cmd::StartShow);
    poll(frame);
    app->runCommand(cmd::StopShow);
    QPointer<HomingWaitDialog> wait = app->runWindows().homingWait();
    ASSERT_TRUE(wait);
    QTest::mouseClick(wait->cancelButton(), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(wait);
    EXPECT_EQ(commands().back(), "PA");
    EXPECT_FALSE(app->runState().showRunning);
    EXPECT_FALSE(app->runState().homingDialogOpen);
}

TEST_F(RunShow, TheInfoWindowShowsTheLineInLargeTypeAndStopsTheShow) {
    CSplitterFrame& frame = showWith({{7, 25, 40, 0, "Leuchtturm bei Nacht"}, {8, 10, 20, 0, "Hafen"}});
    app->settings().infoWindowAtStart = true;
    app->runCommand(cmd::StartShow);
    QPointer<InfoWindow> info = app->runWindows().infoWindow();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->windowTitle(), "Info");
    clock.advance(InfoMonitor::TickMs);
    info->tick();
    EXPECT_EQ(info->fieldText(InfoWindow::ProgramNumberField), "1");
    EXPECT_EQ(info->fieldText(InfoWindow::SlideField), "007");
    EXPECT_EQ(info->fieldText(InfoWindow::SpecialField), "000");
    EXPECT_EQ(info->fieldText(InfoWindow::DissolveField), "  2.5");
    EXPECT_EQ(info->fieldText(InfoWindow::TimerField), "  4.0");
    EXPECT_EQ(info->fieldText(InfoWindow::RemainingField), "  6.5");
    EXPECT_EQ(info->fieldText(InfoWindow::DescriptionField), "Leuchtturm bei Nacht");
    const QFontInfo font(info->descriptionFont());
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(font.pixelSize(), 18);
    EXPECT_EQ(info->stopButton()->text(), "Diaschau stoppen");

    QTest::mouseClick(info->stopButton(), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(info);
    EXPECT_EQ(commands().back(), "EN");
    EXPECT_NE(app->runWindows().homingWait(), nullptr);
    EXPECT_TRUE(homeWithin(40));
    poll(frame);
    EXPECT_FALSE(frame.runView().polling());
}

TEST_F(RunShow, ThePollBringsTheKeysBackFromTheInfoWindowButNotFromALineBeingTyped) {
    CSplitterFrame& frame = showWith(plainLines(4));
    app->mainFrame()->show();
    app->settings().infoWindowAtStart = true;
    app->runCommand(cmd::StartShow);
    QPointer<InfoWindow> info = app->runWindows().infoWindow();
    ASSERT_TRUE(info);

    // The user clicked into the info window: the next poll hands the keys back to the
    // list, so that Space and Pause act on the show.
    info->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), info.data());
    poll(frame);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), app->mainFrame());
    EXPECT_EQ(QApplication::focusWidget(), frame.listView());

    // A description being typed keeps its keys.
    auto* field = frame.editor()->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    field->setFocus();
    poll(frame);
    EXPECT_EQ(QApplication::focusWidget(), field);
}

TEST_F(RunShow, TheInfoWindowKeepsItsPlaceOnTheScreen) {
    showWith(plainLines(2));
    app->settings().infoWindowPosition = {-30, 40};
    app->runCommand(cmd::InfoDisplay);
    EXPECT_EQ(commands().back(), "PE");
    QPointer<InfoWindow> info = app->runWindows().infoWindow();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pos(), QPoint(0, 40)) << "a place off the screen's left edge counts as 0";
    info->move(110, 120);
    info->done(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(info);
    EXPECT_EQ(app->settings().infoWindowPosition, (std::array<int, 2>{110, 120}));

    app->runCommand(cmd::InfoDisplay);
    info = app->runWindows().infoWindow();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->pos(), QPoint(110, 120));
    // Far outside the screen it comes back inside, above the task bar's room.
    info->move(5000, 5000);
    info->done(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app->runCommand(cmd::InfoDisplay);
    info = app->runWindows().infoWindow();
    ASSERT_TRUE(info);
    const QSize screen = info->screen()->size();
    EXPECT_EQ(info->pos(), QPoint(screen.width() - info->frameGeometry().width(),
                                  screen.height() - info->frameGeometry().height() - 22));
}

TEST_F(RunShow, JumpFromTheListsMenuWhileTheShowRuns) {
    CSplitterFrame& frame = showWith(plainLines(6));
    app->runCommand(cmd::StartShow);
    ASSERT_TRUE(pollUntilRow(frame, 0));
    CTextView* list = frame.listView();
    QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                      list->visualRect(list->model()->index(4, 1)).center());
    QMenu* menu = list->contextMenu();
    ASSERT_NE(menu, nullptr);
    QAction* jump = menu->actions().at(0);
    EXPECT_EQ(jump->text(), "Springe zur Programmzeile");
    ASSERT_TRUE(jump->isEnabled());
    jump->trigger();
    menu->close();
    EXPECT_NE(std::find(commands().begin(), commands().end(), "GZ:005"), commands().end());
    EXPECT_TRUE(pollUntilRow(frame, 4, 3));
}

TEST_F(RunShow, ALineChangedDuringTheRunGoesIntoTheProjector) {
    CSplitterFrame& frame = showWith(plainLines(4));
    app->runCommand(cmd::StartShow);
    poll(frame);
    CVistrelDoc& doc = frame.document();
    doc.currentLine = 2;
    doc.appendMode = false;
    DocumentChange moved;
    moved.currentLineChanged = true;
    doc.announce(moved);  // the line editor shows line 3
    frame.editor()->findChild<QLineEdit*>(QStringLiteral("slideNumberEdit"))->setText(QStringLiteral("42"));
    ASSERT_TRUE(frame.editor()->apply());
    const std::vector<std::string> expected = {"SZ:003", "BN:042", "DI:010", "TI:0020", "SF:000", "LZ:003"};
    EXPECT_TRUE(std::search(commands().begin(), commands().end(), expected.begin(), expected.end()) !=
                commands().end());
    EXPECT_EQ(projector->memory().record(2).slide, 42);
    EXPECT_TRUE(app->runState().showRunning);
}

TEST_F(RunShow, AnotherShowOpenedDuringTheRunLeavesItFollowed) {
    CSplitterFrame& frame = showWith(plainLines(4));
    app->runCommand(cmd::StartShow);
    poll(frame);
    app->runCommand(cmd::FileNew);
    EXPECT_EQ(app->frames().size(), 2u);
    EXPECT_TRUE(app->runState().showRunning);
    EXPECT_TRUE(frame.runView().polling());
    EXPECT_TRUE(pollUntilRow(frame, 1));
}

TEST_F(RunShow, ClosingTheWindowAndEndingTheProgramDuringARunLeaveNothingBehind) {
    CSplitterFrame& frame = showWith(plainLines(4));
    app->settings().infoWindowAtStart = true;
    app->runCommand(cmd::StartShow);
    poll(frame);
    prompter.queueAnswer(MessageAnswer::No);  // do not save
    QPointer<CSplitterFrame> closing = &frame;
    closing->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(closing);
    EXPECT_TRUE(app->frames().empty());

    // The info window goes on alone until the program ends.
    ASSERT_NE(app->runWindows().infoWindow(), nullptr);
    clock.advance(InfoMonitor::TickMs);
    app->runWindows().infoWindow()->tick();
    EXPECT_TRUE(app->prepareExit());
    EXPECT_EQ(app->runWindows().infoWindow(), nullptr);
    app->endOfRun();
    EXPECT_FALSE(port.isOpen()) << "the port is free for the next program";
}

}  // namespace
}  // namespace vistrel::test
