// vistrel-cli: show files and projector transfers without the windows.
#include <QCoreApplication>
#include <cstdio>
#include <map>
#include <string>

#include "cli/CliCommands.h"

namespace vistrel::cli {

int usageError(const std::string& message) {
    std::fprintf(stderr, "vistrel-cli: %s\n", message.c_str());
    std::fprintf(stderr,
                 "usage: vistrel-cli show FILE [--json] [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]\n"
                 "       vistrel-cli save IN OUT [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]\n"
                 "       vistrel-cli sf CODE...\n"
                 "       vistrel-cli projector version --port PORT\n"
                 "       vistrel-cli projector upload FILE --port PORT [--module] [--end-marker=0|1] "
                 "[--differential=0|1] [--lamp PERCENT]\n"
                 "       vistrel-cli projector download OUT --port PORT [--module]\n");
    return 2;
}

}  // namespace vistrel::cli

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // gives the Qt serial port and paths what they need
    using namespace vistrel::cli;
    if (argc < 2) return usageError("missing command");
    const std::string command = argv[1];
    Args rest(argv + 2, argv + argc);
    const std::map<std::string, int (*)(const Args&)> commands = {
        {"show", runShow}, {"save", runSave}, {"sf", runSf}, {"projector", runProjector}};
    const auto it = commands.find(command);
    if (it == commands.end()) return usageError("unknown command '" + command + "'");
    return it->second(rest);
}
