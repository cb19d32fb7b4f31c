#include "cli/docs/ManPage.h"

#include <cstdio>
#include <map>

#include "cli/CommandRegistry.h"

namespace vistrel::cli {

namespace {

// The code point of the UTF-8 sequence at `i`; `i` is moved past it.
unsigned codePointAt(const std::string& text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = byte(i);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    unsigned value = extra == 3 ? lead & 0x07 : extra == 2 ? lead & 0x0F : extra == 1 ? lead & 0x1F : lead;
    ++i;
    while (extra-- > 0 && i < text.size() && (byte(i) & 0xC0) == 0x80) value = (value << 6) | (byte(i++) & 0x3F);
    return value;
}

std::string bold(const std::string& text) { return "\\fB" + roffText(text) + "\\fP"; }
std::string italic(const std::string& text) { return "\\fI" + roffText(text) + "\\fP"; }

// A placeholder in italics; a long one ("LINE=SECONDS[,LINE=SECONDS...]") may break
// before each optional part, so that it fits a narrow terminal.
std::string placeholder(const std::string& name) {
    std::string text;
    std::size_t from = 0;
    for (std::size_t at = name.find('[', 1); at != std::string::npos; at = name.find('[', at + 1)) {
        text += italic(name.substr(from, at - from)) + "\\:";
        from = at;
    }
    return text + italic(name.substr(from));
}

// A synopsis word in the fonts of a manual: literal words bold, placeholders italic.
std::string optionWords(const OptionDefinition& option) {
    switch (option.kind) {
        case OptionDefinition::Kind::Switch:
            return bold("--" + option.name);
        case OptionDefinition::Kind::Value:
            // An unbreakable blank: the synopsis never parts an option from its value.
            return bold("--" + option.name) + "\\ " + placeholder(option.valueName);
        case OptionDefinition::Kind::ZeroOrOne:
            return bold("--" + option.name) + "=" + italic(option.valueName);
    }
    return bold("--" + option.name);
}

std::string synopsisBlock(const CommandDefinition& command) {
    std::string text = ".SY \"" + roffText("vistrel-cli " + command.name) + "\"\n";
    for (const std::string& positional : command.positionals) {
        const bool repeated = positional.ends_with("...");
        text += italic(repeated ? positional.substr(0, positional.size() - 3) : positional) + (repeated ? "\\&...\n" : "\n");
    }
    for (const OptionDefinition& option : command.options) {
        text += option.required ? optionWords(option) + "\n" : "[" + optionWords(option) + "]\n";
    }
    return text + ".YS\n";
}

// The paragraphs of `text`, separated by an empty line, each on one line.
std::vector<std::string> splitParagraphs(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\n\n", start);
        if (end == std::string::npos) end = text.size();
        std::string paragraph = text.substr(start, end - start);
        for (char& c : paragraph) {
            if (c == '\n') c = ' ';
        }
        if (!paragraph.empty()) result.push_back(paragraph);
        start = end + 2;
    }
    return result;
}

std::string paragraphs(const std::vector<std::string>& texts) {
    std::string result;
    for (const std::string& text : texts) result += ".PP\n" + roffText(text) + "\n";
    return result;
}

}  // namespace

std::string roffText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            char glyph[16];
            std::snprintf(glyph, sizeof glyph, "\\[u%04X]", codePointAt(text, i));
            out += glyph;
            continue;
        }
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            if ((c == '.' || c == '\'') && out.empty()) out += "\\&";
            out += c;
        }
        ++i;
    }
    return out;
}

std::string manSynopsis(const std::vector<const CommandDefinition*>& commands) {
    std::string text;
    for (const CommandDefinition* command : commands) text += synopsisBlock(*command);
    return text;
}

std::string manCommands(const std::vector<const CommandDefinition*>& commands) {
    // A note several commands share (what PORT may be) is printed once, after the
    // last of them; a command's own notes come before its exit status, as in its --help.
    std::map<std::string, std::size_t> lastWith;
    std::map<std::string, int> owners;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        for (const std::string& paragraph : splitParagraphs(commands[i]->notes)) {
            lastWith[paragraph] = i;
            ++owners[paragraph];
        }
    }
    std::string text;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const CommandDefinition& command = *commands[i];
        std::vector<std::string> own;
        std::vector<std::string> sharedHere;
        for (const std::string& paragraph : splitParagraphs(command.notes)) {
            if (owners[paragraph] == 1) own.push_back(paragraph);
            else if (lastWith[paragraph] == i) sharedHere.push_back(paragraph);
        }
        text += ".SS \"" + roffText(command.name) + "\"\n" + synopsisBlock(command) +
                paragraphs(splitParagraphs(command.summary));
        for (const OptionDefinition& option : command.options) {
            text += ".TP\n" + optionWords(option) + "\n" + roffText(option.help) + "\n";
        }
        text += paragraphs(own);
        if (!command.exitCodes.empty()) {
            text += ".PP\nExit status:\n.RS\n.PD 0\n";
            for (const auto& [code, meaning] : command.exitCodes) {
                text += ".TP 4\n" + bold(std::to_string(code)) + "\n" + roffText(meaning) + "\n";
            }
            text += ".PD\n.RE\n";
        }
        text += paragraphs(sharedHere);
    }
    return text;
}

std::string manPage(const std::string& pageTemplate, const std::string& version,
                    const std::vector<const CommandDefinition*>& commands) {
    std::string page = pageTemplate;
    const auto fill = [&page](const std::string& key, const std::string& value) {
        for (auto at = page.find(key); at != std::string::npos; at = page.find(key, at + value.size())) {
            page.replace(at, key.size(), value);
        }
    };
    std::string synopsis = manSynopsis(commands);
    std::string body = manCommands(commands);
    // The blocks end in a line break; the template's own line break follows the key.
    if (!synopsis.empty()) synopsis.pop_back();
    if (!body.empty()) body.pop_back();
    fill("@VERSION@", version);
    fill("@SYNOPSIS@", synopsis);
    fill("@COMMANDS@", body);
    return page;
}

}  // namespace vistrel::cli
