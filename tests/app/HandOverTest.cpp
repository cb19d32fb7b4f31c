// A second start hands its show file to the program already running, which opens it.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "app/SingleInstance.h"
#include "platform/qt/core/AppPaths.h"
#include "tests/app/AppFixture.h"

namespace vistrel::test {
namespace {

class HandOver : public AppFixture {};

// The second start runs in its own thread, as it would in its own process: its
// waits must not hold up the running program's event loop.
bool handOverFromSecondStart(const QString& path) {
    bool taken = false;
    QThread* second = QThread::create([&] { taken = SingleInstance(configFolder()).handOver(path, 5000); });
    second->start();
    QElapsedTimer waited;
    waited.start();
    while (!second->isFinished() && waited.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    second->wait();
    delete second;
    return taken;
}

TEST_F(HandOver, TheRunningProgramOpensTheFile) {
    makeApp(QSize(1280, 1024), true);
    CVistrelApp& started = startApp();
    const QString path = showFile("handed.dpd");

    EXPECT_TRUE(handOverFromSecondStart(path));
    QCoreApplication::processEvents();
    ASSERT_EQ(started.frames().size(), 2u);
    EXPECT_EQ(started.activeFrame()->document().windowTitle, "handed.dpd");

    // The same file again is only activated; a file of another kind is refused there.
    EXPECT_TRUE(handOverFromSecondStart(path));
    EXPECT_TRUE(handOverFromSecondStart(folder.filePath("notes.txt")));
    QCoreApplication::processEvents();
    EXPECT_EQ(started.frames().size(), 2u);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(HandOver, WithoutARunningProgramNothingTakesTheFile) {
    SingleInstance alone(folder.path());
    EXPECT_FALSE(alone.handOver(folder.filePath("x.dpd"), 300));
}

}  // namespace
}  // namespace vistrel::test
