// vistrel-cli: show files and projector commands without the windows.
#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/Dispatcher.h"
#if defined(VISTREL_CLI_PRINT) || defined(VISTREL_CLI_VIDEO)
#include <QGuiApplication>
#endif

namespace {

// Whether the subcommand draws: it needs fonts and so the GUI application.
bool drawsPictures([[maybe_unused]] const std::string& command) {
#ifdef VISTREL_CLI_PRINT
    if (command == "print" || command == "magazine") return true;
#endif
#ifdef VISTREL_CLI_VIDEO
    if (command == "video") return true;
#endif
    return false;
}

// Qt's application object: the serial port and the paths need one. Only `print`,
// `magazine` and `video` need fonts and so the GUI one; they never need a screen, so they draw off
// screen unless told otherwise. Every other command stays free of any display.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
#if defined(VISTREL_CLI_PRINT) || defined(VISTREL_CLI_VIDEO)
    if (argc >= 2 && drawsPictures(argv[1])) {
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
