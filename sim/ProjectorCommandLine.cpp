#include "sim/ProjectorCommandLine.h"

#include <charconv>
#include <limits>

namespace vistrel::sim {

namespace {

// A whole decimal number in [min, max], or false.
bool parseNumber(const std::string& text, int min, int max, int& out) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty() || value < min || value > max) return false;
    out = value;
    return true;
}

bool parseModule(const std::string& text, ModuleState& out) {
    if (text == "present") out = ModuleState::Present;
    else if (text == "absent") out = ModuleState::Absent;
    else if (text == "small") out = ModuleState::Small;
    else if (text == "empty") out = ModuleState::Empty;
    else return false;
    return true;
}

}  // namespace

ProjectorCommandLine ProjectorCommandLine::parse(const std::vector<std::string>& args) {
    ProjectorCommandLine result;
    result.options.preloadDemoShow = true;
    constexpr int Unbounded = std::numeric_limits<int>::max();

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasInlineValue = false;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasInlineValue = true;
        }
        const auto takeValue = [&]() -> bool {
            if (hasInlineValue) return true;
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };
        const auto fail = [&](const std::string& why) {
            result.error = why;
            return result;
        };

        if (name == "--help" || name == "-h") {
            result.help = true;
        } else if (name == "--silent") {
            result.options.silent = true;
        } else if (name == "--firmware") {
            if (!takeValue()) return fail("--firmware needs a text");
            if (value.size() > 5) return fail("--firmware: the version text has at most 5 bytes");
            result.options.firmware = value;
        } else if (name == "--module") {
            if (!takeValue() || !parseModule(value, result.options.module)) {
                return fail("--module takes present, absent, small or empty");
            }
        } else if (name == "--speed") {
            if (!takeValue() || !parseNumber(value, 1, 1000000, result.options.speed)) {
                return fail("--speed takes a whole number of at least 1");
            }
        } else if (name == "--baud") {
            if (!takeValue() || !parseNumber(value, 1, 10000000, result.baud)) {
                return fail("--baud takes a positive whole number, e.g. 9600");
            }
        } else if (name == "--com") {
            if (!takeValue() || !parseNumber(value, 1, 9, result.com)) return fail("--com takes a digit 1..9");
        } else if (name == "--bad-echo-after") {
            if (!takeValue() || !parseNumber(value, 0, Unbounded, result.options.badEchoAfter)) {
                return fail("--bad-echo-after takes a whole number (0 = off)");
            }
        } else if (name == "--drop-every") {
            if (!takeValue() || !parseNumber(value, 0, Unbounded, result.options.dropEvery)) {
                return fail("--drop-every takes a whole number (0 = off)");
            }
        } else if (name == "--busy-ms") {
            if (!takeValue() || !parseNumber(value, 0, Unbounded, result.options.busyMs)) {
                return fail("--busy-ms takes a whole number of milliseconds (0 = off)");
            }
        } else {
            return fail("unknown option " + args[i]);
        }
    }
    return result;
}

std::string ProjectorCommandLine::usage() {
    return "usage: vistrel-projector [options]\n"
           "A virtual slide projector on a pseudo terminal. The first line printed is the\n"
           "device path, the second the VISTREL_COMn=<path> setting that makes the program\n"
           "use it. Runs until interrupted.\n"
           "\n"
           "  --firmware TEXT        5-byte version text (default \"3.20 \")\n"
           "  --module STATE         present | absent | small | empty (default present)\n"
           "                         small: room for 100 records, a longer MS gives \"y\";\n"
           "                         empty: no show to load and cannot store (\"z\")\n"
           "  --speed N              the show runs N times faster: dissolves, light\n"
           "                         effects, timers, the tray going back and the\n"
           "                         homing after EN (default 1)\n"
           "  --baud N               take the wire time of N baud, 11 bit times per byte\n"
           "                         (default: answer at once)\n"
           "  --com N                print VISTREL_COMn with this digit (default 2)\n"
           "  --silent               never answer\n"
           "  --bad-echo-after N     echo the first N bytes right, every later one wrong\n"
           "  --drop-every N         lose every Nth byte the projector sends\n"
           "  --busy-ms N            report busy for N ms after every text command\n"
           "  --help                 this text\n";
}

}  // namespace vistrel::sim
