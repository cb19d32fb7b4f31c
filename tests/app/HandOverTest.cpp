// A second start hands its show file to the program already running, which opens it.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
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

// A file the running program cannot load: its message box runs the event loop while the
// second start goes away. Closing the box must not crash the program, and a second
// failing file handed over meanwhile waits for the first box instead of stacking its own.
TEST_F(HandOver, AFailingFileReportsOnceAndTheNextWaitsForTheBox) {
    makeApp(QSize(1280, 1024), true);
    CVistrelApp& started = startApp();
    const QString tooBig = folder.filePath("gross.dpd");
    {
        QFile file(tooBig);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(21 * 1024 * 1024));  // sparse: costs no disk
    }
    const QString missing = folder.filePath("fehlt.dpd");

    bool secondHandedOver = false;
    prompter.whileShowing = [&] {
        if (!secondHandedOver) {
            secondHandedOver = true;
            EXPECT_TRUE(handOverFromSecondStart(missing));
        }
        // As a message box does: its own event loop until the user presses OK.
        QEventLoop box;
        QTimer::singleShot(200, &box, &QEventLoop::quit);
        box.exec();
    };

    EXPECT_TRUE(handOverFromSecondStart(tooBig));
    QElapsedTimer waited;
    waited.start();
    while (prompter.messages.size() < 2 && waited.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();

    const std::string loadFailed = "Die angegebende Vistrel-Datei konnte \nnicht geladen werden.\n";
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{loadFailed, loadFailed}));
    EXPECT_EQ(prompter.maxOpenBoxes, 1) << "the second box waited for the first";
    EXPECT_TRUE(started.mainFrame() != nullptr);
}

TEST_F(HandOver, WithoutARunningProgramNothingTakesTheFile) {
    SingleInstance alone(folder.path());
    EXPECT_FALSE(alone.handOver(folder.filePath("x.dpd"), 300));
}

}  // namespace
}  // namespace vistrel::test
