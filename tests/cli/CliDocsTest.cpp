// The manual page's roff and the bash completion, both made from the registry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CommandRegistry.h"
#include "cli/docs/ManPage.h"

namespace vistrel::cli {
namespace {

TEST(ManPage, TextsBecomeSafeRoff) {
    const std::pair<std::string, std::string> cases[] = {
        {"--port PORT", "\\-\\-port PORT"},
        {".dpd files", "\\&.dpd files"},
        {"'quoted", "\\&'quoted"},
        {"a.b 'c'", "a.b 'c'"},
        {"C:\\DIA.LOG", "C:\\eDIA.LOG"},
        {"\"Öffnen\"", "\"\\[u00D6]ffnen\""},
        {"Übertragung ß", "\\[u00DC]bertragung \\[u00DF]"},
        {"5 \xE2\x82\xAC", "5 \\[u20AC]"},
    };
    for (const auto& [text, roff] : cases) EXPECT_EQ(roffText(text), roff) << text;
}

// The projector commands all explain PORT; the manual says it once, after the last
// of them, and keeps a command's own notes in its section.
TEST(ManPage, ASharedNoteIsPrintedOnceAfterTheLastCommandWithIt) {
    const auto commandWithNotes = [](std::string name, std::string notes) {
        CommandDefinition command;
        command.name = std::move(name);
        command.notes = std::move(notes);
        command.exitCodes = {{0, "done"}};
        return command;
    };
    const CommandDefinition first = commandWithNotes("p download", "PORT is a port.");
    const CommandDefinition second = commandWithNotes("p play", "Keys while it runs.\n\nPORT is a port.");
    const CommandDefinition third = commandWithNotes("p version", "PORT is a port.");
    const CommandDefinition alone = commandWithNotes("show", "");
    const std::string page = manCommands({&first, &second, &third, &alone});

    const auto at = [&page](const std::string& text) { return page.find(text); };
    EXPECT_EQ(at("PORT is a port."), page.rfind("PORT is a port."));
    EXPECT_GT(at("PORT is a port."), at(".SS \"p version\""));
    EXPECT_GT(at("PORT is a port."), page.rfind("Exit status:", at(".SS \"show\"")));
    EXPECT_LT(at("PORT is a port."), at(".SS \"show\""));
    EXPECT_GT(at("Keys while it runs."), at(".SS \"p play\""));
    EXPECT_LT(at("Keys while it runs."), page.find("Exit status:", at(".SS \"p play\"")));
}

// Runs the completion function for a command line typed up to its end and returns
// what it offers, one per line. `words` are COMP_WORDS as bash splits them.
std::string complete(const std::vector<std::string>& words) {
    std::string script = "source '" VISTREL_CLI_COMPLETION "'\nCOMP_WORDS=(";
    for (const std::string& word : words) script += "'" + word + "' ";
    script += ")\nCOMP_CWORD=" + std::to_string(words.size() - 1) +
              "\n_vistrel_cli\n((${#COMPREPLY[@]})) && printf '%s\\n' \"${COMPREPLY[@]}\"\n";
    char path[] = "/tmp/vistrel-completion-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return "(no temporary file)";
    std::FILE* file = fdopen(fd, "w");
    std::fputs(script.c_str(), file);
    std::fclose(file);
    std::string out;
    if (std::FILE* pipe = popen(("bash --norc --noprofile " + std::string(path) + " 2>&1").c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    std::remove(path);
    return out;
}

TEST(BashCompletion, OffersCommandsOptionsAndValues) {
    const std::string data = VISTREL_TEST_DATA;
    struct Case {
        std::vector<std::string> words;
        std::string offered;
    };
    const Case cases[] = {
        {{"vistrel-cli", "pro"}, "projector\n"},
        {{"vistrel-cli", "--v"}, "--version\n"},
        {{"vistrel-cli", "projector", "up"}, "upload\n"},
        {{"vistrel-cli", "help", "projector", "v"}, "version\n"},
        {{"vistrel-cli", "projector", "download", "o.dpd", "--"}, "--port=\n--module\n--help\n"},
        {{"vistrel-cli", "show", "--u"}, "--use-500watt-times=\n"},
        {{"vistrel-cli", "projector", "version", "--port", ""}, "COM1\nCOM2\nCOM3\nCOM4\n"},
        {{"vistrel-cli", "projector", "version", "--port", "=", "COM"}, "COM1\nCOM2\nCOM3\nCOM4\n"},
        {{"vistrel-cli", "projector", "upload", "--end-marker", "=", ""}, "0\n1\n"},
        {{"vistrel-cli", "projector", "upload", "--end-marker="}, "--end-marker=0\n--end-marker=1\n"},
        {{"vistrel-cli", "show", "--use-500watt-times", "1"}, "1\n"},
        {{"vistrel-cli", "projector", "upload", "f.dpd", "--lamp", ""}, ""},
        {{"vistrel-cli", "projector", "s"}, "stop\n"},
        {{"vistrel-cli", "help", "projector", "p"}, "play\n"},
        {{"vistrel-cli", "projector", "stop", "--"}, "--port=\n--help\n"},
        {{"vistrel-cli", "projector", "play", "f.dpd", "--differential", "=", ""}, "0\n1\n"},
        {{"vistrel-cli", "projector", "play", "f.dpd", "--from", ""}, ""},
        {{"vistrel-cli", "projector", "play", "--from", "3", "--port", "COM1", data + "/sam"}, data + "/sample.dpd\n"},
        {{"vistrel-cli", "projector", "stop", "--port", "COM1", data + "/sam"}, ""},
        {{"vistrel-cli", "sf", "1"}, ""},
        // the argument a word stands for: option values are not arguments
        {{"vistrel-cli", "show", data + "/sam"}, data + "/sample.dpd\n"},
        {{"vistrel-cli", "show", "a.dpd", data + "/sam"}, ""},
        {{"vistrel-cli", "save", "a.dpd", data + "/sam"}, data + "/sample.dpd\n"},
        {{"vistrel-cli", "projector", "upload", "--port", "COM1", data + "/sam"}, data + "/sample.dpd\n"},
        {{"vistrel-cli", "show", "--use-500watt-times", "=", "0", data + "/sam"}, data + "/sample.dpd\n"},
        {{"vistrel-cli", "find", data + "/mo"}, data + "/model\n"},
        {{"vistrel-cli", "copy", "a.dpd", "--rows", ""}, ""},
        {{"vistrel-cli", "scale", "a.dpd", "--length", ""}, ""},
        {{"vistrel-cli", "scale", "--length", "00:10:00", "a.dpd", data + "/sam"}, data + "/sample.dpd\n"},
        {{"vistrel-cli", "paste", "a.dpd", "--after", "2", data + "/sam"}, data + "/sample.dpd\n"},
        {{"vistrel-cli", "paste", "a.dpd", "t.txt", "b.dpd", data + "/sam"}, ""},
        {{"vistrel-cli", "find", data, "Urlaub"}, ""},
#ifdef VISTREL_CLI_PRINT
        {{"vistrel-cli", "print", "f.dpd", "--page-size", ""}, "A4\nLetter\n"},
        {{"vistrel-cli", "print", "f.dpd", "--pdf", data + "/sam"}, data + "/sample.dpd\n"},
#endif
    };
    for (const Case& c : cases) {
        std::string typed;
        for (const std::string& word : c.words) typed += word + " ";
        EXPECT_EQ(complete(c.words), c.offered) << typed;
    }
}

}  // namespace
}  // namespace vistrel::cli
