// One QApplication for every test of the shell.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tests run from their own folder: the media module is the one of this build.
    qputenv("VISTREL_MEDIA_MODULE", VISTREL_MEDIA_MODULE_FILE);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
