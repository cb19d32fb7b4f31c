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
#include "res/StringTable.h"
#include "res/strings/DialogStrings.h"
#include "res/strings/ProjectorStrings.h"

namespace vistrel {
namespace {

QString tableText(int id) { return QString::fromUtf8(res::text(id)); }

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

TEST_F(ProgressWindowsTest, AWaitForTheProjectorShowsItsWindowOnlyWhenItLastsAndTheButtonEndsIt) {
    const struct {
        ProgressWindows::WaitKind kind;
        QString title, text, button;
    } cases[] = {
        {ProgressWindows::WaitKind::Ready, QStringLiteral("warten ..."),
         QStringLiteral("Vistrel wartet, bis der Projektor bereit ist\n(höchstens 30 Sekunden)."),
         QStringLiteral("Abbrechen")},
        {ProgressWindows::WaitKind::Search, QStringLiteral("warten ..."),
         QStringLiteral("Vistrel sucht den Projektor an den Schnittstellen COM1 bis COM4."),
         QStringLiteral("Abbrechen")},
        {ProgressWindows::WaitKind::EndOfRun, QStringLiteral("Vistrel wird beendet"),
         QStringLiteral("Der PC-Modus des Projektors wird ausgeschaltet.\nVistrel wartet höchstens 30 Sekunden auf "
                        "den Projektor."),
         QStringLiteral("Nicht warten")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        // Answered at once, as nearly every wait is: no window.
        windows.beginWait(c.kind);
        EXPECT_FALSE(windows.waitCancelled());
        windows.endWait();
        EXPECT_EQ(windows.waitWindow(), nullptr);

        windows.beginWait(c.kind);
        QTest::qWait(350);
        EXPECT_FALSE(windows.waitCancelled());
        ProjectorWaitDialog* window = windows.waitWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isModal()) << "the other windows and their menus go on working";
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(window->windowTitle(), c.title);
        EXPECT_EQ(window->text(), c.text);
        EXPECT_EQ(window->button()->text(), c.button);

        QTest::mouseClick(window->button(), Qt::LeftButton);
        EXPECT_TRUE(windows.waitCancelled());
        EXPECT_TRUE(windows.waitCancelled()) << "pressed once, the wait stays ended";
        windows.endWait();
        EXPECT_EQ(windows.waitWindow(), nullptr);
        EXPECT_FALSE(windows.waitCancelled()) << "no wait, nothing to end";
    }
}

TEST_F(ProgressWindowsTest, AWaitDuringATransferGetsTheMouseFromTheTransferWindow) {
    windows.openModuleWindow(false);
    TransferProgressDialog* module = windows.moduleWindow();
    ASSERT_EQ(QWidget::mouseGrabber(), module);
    windows.beginWait(ProgressWindows::WaitKind::Module);
    QTest::qWait(350);
    windows.waitCancelled();
    ASSERT_NE(windows.waitWindow(), nullptr);
    EXPECT_NE(QWidget::mouseGrabber(), module) << "or its button could not be pressed";
    QTest::mouseClick(windows.waitWindow()->button(), Qt::LeftButton);
    EXPECT_TRUE(windows.waitCancelled());
    windows.endWait();
    EXPECT_EQ(QWidget::mouseGrabber(), module);  // taken back once the wait is over
    windows.closeModuleWindow();
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
