#pragma once
// The options of vistrel-projector, read from its command line. Kept apart from the
// pseudo-terminal code so that the parsing can be checked on its own.
//   --firmware TEXT   version text (at most 5 bytes, padded with blanks)
//   --module present|absent|small|empty
//   --speed N         show timers run N times faster (N >= 1)
//   --baud N          emulate the wire time of N baud, 11 bit times a byte
//   --com N           the digit of the VISTREL_COMn line (1..9, default 2)
//   --silent, --bad-echo-after N, --drop-every N, --busy-ms N   faults
//   --help
// Every option with a value also takes the form --option=value.
#include <string>
#include <vector>

#include "sim/ProjectorOptions.h"

namespace vistrel::sim {

struct ProjectorCommandLine {
    ProjectorOptions options;
    int baud = 0;  // 0: answer as fast as possible
    int com = 2;
    bool help = false;
    std::string error;  // not empty: the command line was not understood

    static ProjectorCommandLine parse(const std::vector<std::string>& args);
    static std::string usage();
};

}  // namespace vistrel::sim
