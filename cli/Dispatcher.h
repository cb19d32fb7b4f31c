#pragma once
// Finds the subcommand named on the command line and runs it, or prints the help.
#include <string>
#include <vector>

namespace vistrel::cli {

// `args` are the words after the program name. Returns the exit code.
int runVistrelCli(const std::vector<std::string>& args);

}  // namespace vistrel::cli
