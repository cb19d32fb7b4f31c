#pragma once
// The manual page of vistrel-cli, its SYNOPSIS and COMMANDS made from the registered
// subcommands, so that the page lists exactly what the program accepts.
#include <string>
#include <vector>

namespace vistrel::cli {

struct CommandDefinition;

// `text` as a roff text line: backslashes and hyphens escaped, characters beyond
// ASCII as named glyphs (any locale renders them), a leading dot or quote defused.
std::string roffText(const std::string& text);

// The synopsis block of each command.
std::string manSynopsis(const std::vector<const CommandDefinition*>& commands);
// One subsection per command: synopsis, summary, options, its own notes, exit
// status. A note several commands share is printed once, after the last of them.
std::string manCommands(const std::vector<const CommandDefinition*>& commands);

// `pageTemplate` with @VERSION@, @SYNOPSIS@ and @COMMANDS@ filled in.
std::string manPage(const std::string& pageTemplate, const std::string& version,
                    const std::vector<const CommandDefinition*>& commands);

}  // namespace vistrel::cli
