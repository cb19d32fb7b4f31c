// vistrel-cli: show files and projector commands without the windows.
#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/Dispatcher.h"
#ifdef VISTREL_CLI_PRINT
#include <QGuiApplication>
#endif

namespace {

// Qt's application object: the serial port and the paths need one. Only `print`
// needs fonts and so the GUI one; it never needs a screen, so it draws off screen
// unless told otherwise. Every other command stays free of any display.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
#ifdef VISTREL_CLI_PRINT
    if (argc >= 2 && std::string(argv[1]) == "print") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt's remarks about the desktop session (a missing runtime folder and the
        // like) are not the user's business here; failures are reported in German.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
        });
        return std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    const auto app = makeApplication(argc, argv);
    return vistrel::cli::runVistrelCli(std::vector<std::string>(argv + 1, argv + argc));
}
