// vistrel-cli-docs: writes the manual page and the bash completion of vistrel-cli
// from its registered subcommands, at build time.
//   vistrel-cli-docs TEMPLATE VERSION MANPAGE COMPLETION
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/CommandRegistry.h"
#include "cli/docs/BashCompletion.h"
#include "cli/docs/ManPage.h"

namespace {

bool writeFile(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vistrel::cli;
    if (argc != 5) {
        std::fprintf(stderr, "usage: vistrel-cli-docs TEMPLATE VERSION MANPAGE COMPLETION\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string pageTemplate{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) {
        std::fprintf(stderr, "vistrel-cli-docs: cannot read %s\n", argv[1]);
        return 1;
    }
    const auto commands = registeredCommands();
    if (!writeFile(argv[3], manPage(pageTemplate, argv[2], commands)) || !writeFile(argv[4], bashCompletion(commands))) {
        std::fprintf(stderr, "vistrel-cli-docs: cannot write the output files\n");
        return 1;
    }
    return 0;
}
