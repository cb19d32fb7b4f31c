#pragma once
// How a virtual projector is set up: its firmware text, what sits in the module
// slot, how fast its show runs and which faults it shows on request.
#include <cstdint>
#include <string>

namespace vistrel::sim {

// What the module slot holds.
//  Present: a module with room for a whole show (1000 records).
//  Absent:  no module; ML and MS report "x".
//  Small:   a module with room for SmallModuleRecords records; MS of a longer show reports "y".
//  Empty:   a blank module that is not ready for data; ML reports "z" (no show data),
//           MS reports "z" (it cannot store).
enum class ModuleState { Present, Absent, Small, Empty };

constexpr int SmallModuleRecords = 100;

struct ProjectorOptions {
    // The 5-byte version text the version pointer leads to. "3.20 " decodes to 32.
    std::string firmware = "3.20 ";
    ModuleState module = ModuleState::Present;
    // The show runs this many times faster (light effects, timers, the tray going
    // back, the homing after EN); at least 1. Module operations keep their time.
    int speed = 1;
    // Answers nothing at all: no echo, no status, no replies.
    bool silent = false;
    // 0 = off. The first N echoed bytes are right; every echo after them is wrong
    // (the byte plus one), as on a line that has gone bad for good.
    int badEchoAfter = 0;
    // 0 = off. Every Nth byte the projector would send is lost on the way.
    int dropEvery = 0;
    // 0 = off. After each complete text command the status reports "B" this long.
    int busyMs = 0;
    // Where the show records start. 0x0A10: both address bytes are non-zero and both
    // need escaping on the line (0x0A, 0x10), which catches sloppy frame code.
    std::uint16_t showStart = 0x0A10;
    // Fill the working memory with a short demonstration show at power-on, so that a
    // show can be started without writing one first. The module always starts with it.
    bool preloadDemoShow = false;
};

}  // namespace vistrel::sim
