// The transfer progress windows as real dialogs on the offscreen platform: they open
// with their texts, follow the counters on their timer, hold the mouse and the wait
// cursor only while they are up, and let a message box have the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/widgets/QtProgressWindows.h"
#include "res/TableText.h"
#include "res/strings/DialogStrings.h"
#include "res/strings/ProjectorStrings.h"

namespace vistrel {
namespace {

bool showsText(const QWidget* window, const QString& text) {
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->text() == text) return true;
    return false;
}

// Lets the event loop run until `done` holds; generous, so that a busy machine does
// not fail a test that only waits for the window's next timer tick.
template <class Predicate>
bool waitUntil(Predicate done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000) QTest::qWait(20);
    return done();
}

bool waitCursorShown() {
    return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

class ProgressWindowsTest : public ::testing::Test {
protected:
    QtProgressWindows windows;
    std::vector<bool> busyChanges;

    void SetUp() override {
        windows.onBusyChanged = [this](bool busy) { busyChanges.push_back(busy); };
    }
};

TEST_F(ProgressWindowsTest, WriteProgressFollowsTheCounterOnItsTimer) {
    windows.openWriteProgress(318);
    TransferProgressDialog* window = windows.writeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), tableText(ids::WriteProgressTitle));
    EXPECT_TRUE(showsText(window, QStringLiteral("Bitte warten Sie einen Augenblick ...")));
    ASSERT_NE(window->bar(), nullptr);
    EXPECT_EQ(window->bar()->maximum(), 318);
    EXPECT_TRUE(waitCursorShown());
    EXPECT_EQ(QWidget::mouseGrabber(), window);
    EXPECT_TRUE(windows.busy());

    windows.setWriteProgress(120);
    EXPECT_EQ(window->bar()->value(), 0);  // the window shows it on its next tick
    EXPECT_TRUE(waitUntil([&] { return window->bar()->value() == 120; }));

    windows.closeWriteProgress();
    EXPECT_EQ(windows.writeWindow(), nullptr);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(windows.busy());
    EXPECT_EQ(busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(ProgressWindowsTest, ReadProgressShowsTheLineBeingRead) {
    windows.openReadProgress();
    TransferProgressDialog* window = windows.readWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), tableText(ids::ReadProgressTitle));
    EXPECT_TRUE(showsText(window, QStringLiteral("Lese Zeile :")));
    EXPECT_EQ(window->lineNumberLabel()->text(), QStringLiteral("1"));

    windows.setReadLine(37);
    EXPECT_TRUE(waitUntil([&] { return window->lineNumberLabel()->text() == QStringLiteral("37"); }));

    // Escape must not take the window away in the middle of a read.
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());

    windows.closeReadProgress();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ProgressWindowsTest, ModuleWindowTitleSaysWhichWay) {
    const struct {
        bool reading;
        QString title;
    } cases[] = {{false, QStringLiteral("Daten werden ins Modul übertragen")},
                 {true, QStringLiteral("Daten werden aus dem Modul gelesen")}};
    for (const auto& c : cases) {
        windows.openModuleWindow(c.reading);
        ASSERT_NE(windows.moduleWindow(), nullptr);
        EXPECT_EQ(windows.moduleWindow()->windowTitle(), c.title);
        EXPECT_TRUE(showsText(windows.moduleWindow(), QStringLiteral("Bitte warten Sie einen Augenblick...")));
        windows.closeModuleWindow();
        EXPECT_EQ(windows.moduleWindow(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(busyChanges, (std::vector<bool>{true, false, true, false}));
}

TEST_F(ProgressWindowsTest, AMessageBoxDuringATransferGetsTheMouse) {
    windows.openWriteProgress(24);
    TransferProgressDialog* window = windows.writeWindow();
    ASSERT_EQ(QWidget::mouseGrabber(), window);

    bool grabberWhileBoxUp = true;
    bool waitCursorWhileBoxUp = true;
    QTimer::singleShot(100, [&] {
        grabberWhileBoxUp = QWidget::mouseGrabber() == window;
        waitCursorWhileBoxUp = waitCursorShown();
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    QMessageBox::warning(nullptr, QStringLiteral("Vistrel"), tableText(ids::LinkDisturbed));

    EXPECT_FALSE(grabberWhileBoxUp);
    EXPECT_FALSE(waitCursorWhileBoxUp);
    EXPECT_EQ(QWidget::mouseGrabber(), window);  // taken back once the box is gone
    EXPECT_TRUE(waitCursorShown());
    windows.closeWriteProgress();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ProgressWindowsTest, AWaitShowsItsWindowOnlyWhenItLastsAndItsButtonEndsIt) {
    for (const auto kind : {ProgressWindows::WaitKind::Ready, ProgressWindows::WaitKind::EndOfRun}) {
        windows.beginWait(kind);  // answered at once, as nearly every wait is: no window
        windows.waitCancelled();
        windows.endWait();
        windows.openModuleWindow(false);  // a transfer window holds the mouse
        windows.beginWait(kind);
        QTest::qWait(350);
        EXPECT_FALSE(windows.waitCancelled());
        ProjectorWaitDialog* window = windows.waitWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->button()->text(), kind == ProgressWindows::WaitKind::Ready ? "Abbrechen" : "Nicht warten");
        EXPECT_NE(QWidget::mouseGrabber(), windows.moduleWindow()) << "or the button could not be pressed";
        QTest::mouseClick(window->button(), Qt::LeftButton);
        EXPECT_TRUE(windows.waitCancelled());
        windows.endWait();
        EXPECT_EQ(windows.waitWindow(), nullptr);
        EXPECT_EQ(QWidget::mouseGrabber(), windows.moduleWindow()) << "taken back once the wait is over";
        windows.closeModuleWindow();
    }
    EXPECT_EQ(busyChanges, (std::vector<bool>{true, false, true, false})) << "no window for the quick waits";
}

TEST(ProgressWindowsOwnership, AWindowDeletedWithItsParentIsForgotten) {
    auto* mainWindow = new QWidget;
    {
        QtProgressWindows windows(mainWindow);
        windows.openReadProgress();
        delete mainWindow;  // the program ends while a read is shown
        EXPECT_EQ(windows.readWindow(), nullptr);
        EXPECT_FALSE(windows.busy());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }  // and the windows object must not delete it a second time
}

}  // namespace
}  // namespace vistrel
