// Vistrel, the show editor for the slide projector: the window program.
#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <string>
#include <vector>

#include "app/CVistrelApp.h"
#include "app/FileDialogs.h"
#include "app/QtGermanTexts.h"
#include "app/SingleInstance.h"
#include "app/StartOptions.h"
#include "platform/qt/core/AppPaths.h"
#include "platform/qt/core/QtSerialPort.h"
#include "platform/qt/widgets/QtEventPump.h"
#include "platform/qt/widgets/QtProgressWindows.h"
#include "platform/qt/widgets/ResponsiveClock.h"
#include "platform/qt/widgets/QtPrompter.h"

int main(int argc, char* argv[]) {
    // Answered on the terminal before anything needs a display.
    if (const auto text = vistrel::startOptionText(std::vector<std::string>(argv + 1, argv + argc))) {
        std::fputs(text->c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrel"));
    QApplication::setApplicationVersion(QStringLiteral("1.14"));
    QApplication::setDesktopFileName(QStringLiteral("vistrel"));
    // The program speaks German, whatever the system's language: the standard dialogs
    // (files, printer) too, where Qt's German texts are installed.
    vistrel::installQtGermanTexts();

    // Settings of a build that kept them beside its executable carry over once.
    vistrel::adoptFilesOfOlderBuilds();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    // A show file given while the program already runs goes to that program.
    QString file;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-'))) {
            file = QFileInfo(argument).absoluteFilePath();
            break;
        }
    }
    if (!file.isEmpty() && vistrel::SingleInstance(vistrel::configFolder()).handOver(file)) return 0;

    vistrel::QtPrompter prompter;
    vistrel::QtFileDialogs fileDialogs;
    vistrel::QtSerialPort serialPort;
    // Waits of serial sequences keep the windows painted (see ResponsiveClock).
    vistrel::ResponsiveClock clock;
    vistrel::QtEventPump events;
    vistrel::QtProgressWindows progress;

    vistrel::CVistrelApp app({prompter, fileDialogs, serialPort, clock, events, progress, true, {}});
    if (!app.startUp(arguments)) return 1;
    const int result = application.exec();
    app.endOfRun();
    return result;
}
