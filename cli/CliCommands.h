#pragma once
// The subcommands of vistrel-cli. Each takes the arguments after its own name and
// returns the exit code: 0 success, 1 failure (German message on stderr), 2 usage error.
#include <string>
#include <vector>

namespace vistrel::cli {

using Args = std::vector<std::string>;

int runShow(const Args& args);       // show FILE [--json] [--convert-dos-umlauts=0|1] [--use-500watt-times=0|1]
int runSave(const Args& args);       // save IN OUT [same options]
int runSf(const Args& args);         // sf CODE...
int runProjector(const Args& args);  // projector version|upload|download ...

// Prints a usage error on stderr and returns 2.
int usageError(const std::string& message);

}  // namespace vistrel::cli
