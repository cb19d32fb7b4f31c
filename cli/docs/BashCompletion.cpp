#include "cli/docs/BashCompletion.h"

#include <set>

#include "cli/CommandRegistry.h"

namespace vistrel::cli {

namespace {

std::string firstWord(const std::string& name) { return name.substr(0, name.find(' ')); }

std::string join(const std::set<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

// One "case" branch of a command: its options, the values each option takes, and
// what each positional argument takes.
std::string commandBranch(const CommandDefinition& command) {
    std::string options;
    std::string valueOptions;
    std::string valueCases;
    for (const OptionDefinition& option : command.options) {
        const std::string dashed = "--" + option.name;
        options += dashed + (option.kind == OptionDefinition::Kind::Switch ? " " : "= ");
        if (option.kind == OptionDefinition::Kind::Switch) continue;
        valueOptions += dashed + " ";
        valueCases += "            " + dashed + ") kind='" + completionKind(option.valueName) + "' ;;\n";
    }
    std::string positionals;
    for (const std::string& name : command.positionals) {
        const bool repeated = name.ends_with("...");
        const std::string kind = completionKind(repeated ? name.substr(0, name.size() - 3) : name);
        positionals += "'" + kind + "' ";
        if (repeated) positionals += "'...' ";
    }
    return "        '" + command.name + "')\n"
           "            options='" + options + "--help'\n"
           "            valueOptions='" + valueOptions + "'\n"
           "            positionals=(" + positionals + ")\n"
           "            case $option in\n" + valueCases +
           "            esac ;;\n";
}

}  // namespace

std::string completionKind(const std::string& name) {
    if (name == "PORT") return "@port";
    if (name == "FOLDER" || name == "DIR") return "@dir";
    if (name.find('|') != std::string::npos) {
        std::string words = name;
        for (char& c : words) {
            if (c == '|') c = ' ';
        }
        return words;
    }
    if (name.find("FILE") != std::string::npos || name == "IN" || name == "OUT" || name == "TEXT" ||
        name.find(".") != std::string::npos) {
        return "@file";
    }
    return "";
}

std::string bashCompletion(const std::vector<const CommandDefinition*>& commands) {
    std::set<std::string> firstWords;
    std::set<std::string> groups;
    for (const CommandDefinition* command : commands) {
        firstWords.insert(firstWord(command->name));
        if (command->name.find(' ') != std::string::npos) groups.insert(firstWord(command->name));
    }
    std::string groupCases;
    for (const std::string& group : groups) {
        std::set<std::string> members;
        for (const CommandDefinition* command : commands) {
            if (firstWord(command->name) == group && command->name != group) members.insert(command->name.substr(group.size() + 1));
        }
        groupCases += "        " + group + ") echo '" + join(members) + "' ;;\n";
    }
    std::string branches;
    for (const CommandDefinition* command : commands) branches += commandBranch(*command);

    return "# bash completion for vistrel-cli, made from its list of subcommands when it was built.\n"
           "\n"
           "# The second words of a command group (\"projector upload\"), or nothing.\n"
           "_vistrel_cli_group() {\n"
           "    case $1 in\n" + groupCases +
           "    esac\n"
           "}\n"
           "\n"
           "# Offers the values of `kind` for the text `value`, each after `prefix`.\n"
           "_vistrel_cli_offer() {\n"
           "    local kind=$1 value=$2 prefix=$3 candidate\n"
           "    local -a found=()\n"
           "    case $kind in\n"
           "        '') return ;;\n"
           "        @file) mapfile -t found < <(compgen -f -- \"$value\"); compopt -o filenames 2>/dev/null ;;\n"
           "        @dir) mapfile -t found < <(compgen -d -- \"$value\"); compopt -o filenames 2>/dev/null ;;\n"
           "        @port)\n"
           "            mapfile -t found < <(compgen -W 'COM1 COM2 COM3 COM4' -- \"$value\")\n"
           "            [[ $value == /* ]] && mapfile -t -O \"${#found[@]}\" found < <(compgen -f -- \"$value\") ;;\n"
           "        *) mapfile -t found < <(compgen -W \"$kind\" -- \"$value\") ;;\n"
           "    esac\n"
           "    for candidate in \"${found[@]}\"; do COMPREPLY+=(\"$prefix$candidate\"); done\n"
           "}\n"
           "\n"
           "_vistrel_cli() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    COMPREPLY=()\n"
           "    if ((COMP_CWORD == 1)); then\n"
           "        mapfile -t COMPREPLY < <(compgen -W '" + join(firstWords) + " help --help --version' -- \"$cur\")\n"
           "        return\n"
           "    fi\n"
           "    local first=${COMP_WORDS[1]} command argStart=2 members\n"
           "    if [[ $first == help ]]; then\n"
           "        if ((COMP_CWORD == 2)); then\n"
           "            mapfile -t COMPREPLY < <(compgen -W '" + join(firstWords) + "' -- \"$cur\")\n"
           "        elif ((COMP_CWORD == 3)); then\n"
           "            mapfile -t COMPREPLY < <(compgen -W \"$(_vistrel_cli_group \"${COMP_WORDS[2]}\")\" -- \"$cur\")\n"
           "        fi\n"
           "        return\n"
           "    fi\n"
           "    members=$(_vistrel_cli_group \"$first\")\n"
           "    command=$first\n"
           "    if [[ -n $members ]]; then\n"
           "        if ((COMP_CWORD == 2)); then\n"
           "            mapfile -t COMPREPLY < <(compgen -W \"$members --help\" -- \"$cur\")\n"
           "            return\n"
           "        fi\n"
           "        command=\"$first ${COMP_WORDS[2]}\"\n"
           "        argStart=3\n"
           "    fi\n"
           "\n"
           "    # The option whose value is being typed: \"--name VALUE\" or \"--name=VALUE\",\n"
           "    # the latter split at \"=\" by bash or not.\n"
           "    local option='' value=$cur prefix=''\n"
           "    if [[ $cur == --*=* ]]; then\n"
           "        option=${cur%%=*} value=${cur#*=} prefix=\"$option=\"\n"
           "    elif [[ $cur == = ]]; then\n"
           "        option=$prev value=''\n"
           "    elif [[ $prev == = ]] && ((COMP_CWORD > argStart + 1)); then\n"
           "        option=${COMP_WORDS[COMP_CWORD-2]}\n"
           "    elif [[ $prev == --* ]]; then\n"
           "        option=$prev\n"
           "    fi\n"
           "\n"
           "    local options='' valueOptions='' kind=none\n"
           "    local -a positionals=()\n"
           "    case $command in\n" + branches +
           "        *) return ;;\n"
           "    esac\n"
           "    if [[ $kind != none ]]; then\n"
           "        _vistrel_cli_offer \"$kind\" \"$value\" \"$prefix\"\n"
           "        return\n"
           "    fi\n"
           "    if [[ $cur == -* ]]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
           "        [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null\n"
           "        return\n"
           "    fi\n"
           "\n"
           "    # Which argument this is: words that are neither options nor their values.\n"
           "    local i word count=0 skip=0\n"
           "    for ((i = argStart; i < COMP_CWORD; i++)); do\n"
           "        word=${COMP_WORDS[i]}\n"
           "        if ((skip)); then skip=0; continue; fi\n"
           "        if [[ $word == = ]]; then skip=1; continue; fi\n"
           "        if [[ $word == --* ]]; then\n"
           "            [[ \" $valueOptions \" == *\" $word \"* && ${COMP_WORDS[i+1]} != = ]] && skip=1\n"
           "            continue\n"
           "        fi\n"
           "        ((count++))\n"
           "    done\n"
           "    local last=$((${#positionals[@]} - 1))\n"
           "    ((last < 0)) && return\n"
           "    if ((count > last)) && [[ ${positionals[last]} == ... ]]; then count=$((last - 1)); fi\n"
           "    ((count > last)) && return\n"
           "    [[ ${positionals[count]} == ... ]] && count=$((count - 1))\n"
           "    _vistrel_cli_offer \"${positionals[count]}\" \"$cur\" ''\n"
           "}\n"
           "\n"
           "complete -F _vistrel_cli vistrel-cli\n";
}

}  // namespace vistrel::cli
