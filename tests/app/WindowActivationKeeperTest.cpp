// Without a window manager nobody makes the main window active again after a dialog
// closes, and the menu shortcuts would stop working.
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

#include "app/WindowActivationKeeper.h"

namespace vistrel {
namespace {

TEST(WindowActivationKeeper, GivesTheKeyboardBackWhenADialogClosesAndNoWindowIsActive) {
    QMainWindow main;
    new WindowActivationKeeper(&main);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    QDialog dialog(&main);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.hide();
    QApplication::setActiveWindow(nullptr);  // what a bare X server leaves behind

    EXPECT_TRUE(QTest::qWaitFor([&main] { return QApplication::activeWindow() == &main; }, 1000));
}

TEST(WindowActivationKeeper, ADialogStillOpenGetsTheKeyboardBack) {
    QMainWindow main;
    new WindowActivationKeeper(&main);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    QDialog entry(&main);
    entry.setModal(true);
    entry.show();
    QDialog message(&entry);  // the refusal of an entry
    message.setModal(true);
    message.show();
    QApplication::setActiveWindow(&message);
    message.hide();
    QApplication::setActiveWindow(nullptr);

    EXPECT_TRUE(QTest::qWaitFor([&entry] { return QApplication::activeWindow() == &entry; }, 1000));
    entry.hide();
}

}  // namespace
}  // namespace vistrel
