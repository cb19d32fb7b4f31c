#pragma once
// When each command of menus, accelerators and tool bar may be used. One pure
// function over a snapshot of the program's state, so that every rule sits in one
// place and can be checked without windows.
#include <functional>

namespace vistrel {

struct CommandContext {
    bool documentActive = false;  // a show window is the active one
    int documentWindows = 0;      // open show windows
    int lineCount = 0;            // lines of the active show
    int searchIndex = -1;         // where the active show's last search stopped
    bool commandBusy = false;     // the active show is exchanging a run command
    bool showRunning = false;
    int pauseState = 0;
    int recentFiles = 0;
    // The active show's history has a step to undo / to redo.
    bool canUndo = false;
    bool canRedo = false;
    // The media module (video export, music length) is installed and loads.
    bool mediaModulePresent = true;
    // Whether the active window's list or editor can carry out an edit command now
    // (selection, clipboard, operation built). Empty: none can.
    std::function<bool(int commandId)> viewEnables;
};

// True when the program carries out `commandId` at all in this build; commands whose
// operations are not built yet stay in their menus, disabled.
bool isCommandBuilt(int commandId);

// The enabling rule of `commandId` (built or not).
bool ruleAllows(int commandId, const CommandContext& context);

// What the menus and the tool bar show: built and allowed.
inline bool isCommandEnabled(int commandId, const CommandContext& context) {
    return isCommandBuilt(commandId) && ruleAllows(commandId, context);
}

}  // namespace vistrel
