// Renders a running show as a user sees it into PNG files under build/screenshots: the
// list following the projector, "PAUSE !" in the status bar, the info window and the
// wait for the home position. The checks make sure each picture shows what it is for.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QPixmap>
#include <QProgressBar>

#include "app/CMainFrame.h"
#include "app/FrameRunView.h"
#include "app/ShowRunWindows.h"
#include "dialogs/HomingWaitDialog.h"
#include "dialogs/InfoWindow.h"
#include "projector/RunControl.h"
#include "tests/app/AppFixture.h"
#include "tests/app/ShowLines.h"
#include "views/CVistrelView.h"

namespace vistrel::test {
namespace {

QString screenshotPath(const QString& name) {
    QDir().mkpath(QStringLiteral(VISTREL_SCREENSHOT_DIR));
    return QStringLiteral(VISTREL_SCREENSHOT_DIR) + QLatin1Char('/') + name;
}

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

class RunScreenshots : public AppFixture {};

TEST_F(RunScreenshots, ARunningShowItsPauseTheInfoWindowAndTheHomingWait) {
    InfoWindow::resetRememberedPosition();
    CVistrelApp& started = startApp();
    started.mainFrame()->resize(1100, 760);
    CSplitterFrame& frame = *started.activeFrame();
    frame.showMaximized();
    CVistrelDoc& doc = frame.document();
    doc.windowTitle = "Ostsee.dpd";
    frame.refreshTitle();
    // A short show with a pause at line 6.
    const ShowLine lines[] = {{1, 25, 55, 0, "Titeldia"},   {2, 30, 55, 0, "Hafeneinfahrt"},
                              {3, 25, 40, 33, "Leuchtturm"}, {4, 25, 55, 60, "Möwen am Strand"},
                              {5, 25, 55, 0, "Dünen"},       {6, 30, 0, 0, "Pause vor dem Abend"},
                              {7, 25, 55, 15, "Abendrot"},   {8, 25, 55, 0, "Sonnenuntergang"},
                              {9, 30, 55, 100, "Zurück zum Anfang"}};
    appendShowLines(doc, lines);
    started.settings().infoWindowAtStart = true;
    started.runCommand(cmd::StartShow);
    ASSERT_TRUE(started.runState().showRunning);

    auto poll = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            clock.advance(RunControl::PollIntervalMs);
            frame.runView().pollNow();
            if (InfoWindow* info = started.runWindows().infoWindow()) info->tick();
        }
    };
    // Into line 4.
    for (int i = 0; i < 100 && doc.runningLine < 3; ++i) poll(1);
    poll(2);
    settle();
    EXPECT_EQ(frame.listView()->selectedRows(), std::vector<int>{3});
    EXPECT_TRUE(started.mainFrame()->grab().save(screenshotPath(QStringLiteral("run-following.png"))));
    InfoWindow* info = started.runWindows().infoWindow();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->fieldText(InfoWindow::DescriptionField), "Möwen am Strand");
    EXPECT_TRUE(info->grab().save(screenshotPath(QStringLiteral("run-info.png"))));

    // On to the pause line.
    for (int i = 0; i < 100 && started.runState().pauseState != 2; ++i) poll(1);
    poll(2);
    settle();
    EXPECT_EQ(doc.runningLine, 5);
    EXPECT_EQ(started.mainFrame()->pauseIndicatorText(), "PAUSE !");
    EXPECT_TRUE(started.mainFrame()->grab().save(screenshotPath(QStringLiteral("run-pause.png"))));
    info = started.runWindows().infoWindow();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->fieldText(InfoWindow::RemainingField), "Pause !");
    EXPECT_TRUE(info->grab().save(screenshotPath(QStringLiteral("run-info-pause.png"))));

    started.runCommand(cmd::StopShow);
    HomingWaitDialog* wait = started.runWindows().homingWait();
    ASSERT_NE(wait, nullptr);
    for (int i = 0; i < 4; ++i) {
        clock.advance(HomingWait::TickMs);
        wait->tick();
    }
    settle();
    EXPECT_GT(wait->progressBar()->value(), 0);
    EXPECT_TRUE(wait->grab().save(screenshotPath(QStringLiteral("run-homing.png"))));
}

}  // namespace
}  // namespace vistrel::test
