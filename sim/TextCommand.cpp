#include "sim/TextCommand.h"

#include <algorithm>
#include <cctype>

namespace vistrel::sim {

namespace {

// Arguments are at most four digits on the line; longer ones are capped here so
// that a garbled argument cannot overflow.
constexpr int MaxArgument = 99999;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

std::optional<TextCommand> TextCommand::parse(const std::string& raw) {
    std::size_t begin = 0;
    std::size_t end = raw.size();
    while (begin < end && isBlank(raw[begin])) ++begin;
    while (end > begin && isBlank(raw[end - 1])) --end;

    TextCommand command;
    std::size_t i = begin;
    for (; i < end && std::isalpha(static_cast<unsigned char>(raw[i])); ++i) {
        command.name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(raw[i]))));
    }
    if (command.name.empty()) return std::nullopt;
    if (i == end) return command;
    if (raw[i] != ':' || i + 1 == end) return std::nullopt;
    int value = 0;
    for (++i; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(raw[i]))) return std::nullopt;
        value = std::min(MaxArgument, value * 10 + (raw[i] - '0'));
    }
    command.argument = value;
    return command;
}

}  // namespace vistrel::sim
