// TODO(link engineer): the projector subcommands replace this file.
#include "cli/CliCommands.h"

namespace vistrel::cli {

int runProjector(const Args&) { return usageError("projector commands are not built yet"); }

}  // namespace vistrel::cli
