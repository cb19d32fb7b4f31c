// vistrel-cli: show files and projector commands without the windows.
#include <QCoreApplication>
#include <string>
#include <vector>

#include "cli/Dispatcher.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // gives the Qt serial port and paths what they need
    return vistrel::cli::runVistrelCli(std::vector<std::string>(argv + 1, argv + argc));
}
