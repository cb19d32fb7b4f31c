#pragma once
// Where the program keeps its files on this system.
#include <QString>

namespace vistrel {

// Folder of "vistrel.def": VISTREL_CONFIG_DIR when set; else next to the executable when
// that folder is writable; else ~/.config/vistrel (created when needed).
QString configFolder();
// Full path of "vistrel.def".
QString settingsFilePath();
// The raw serial traffic log "DIA.LOG": VISTREL_LOG when set, else
// $XDG_STATE_HOME/vistrel/DIA.LOG (default ~/.local/state/vistrel/DIA.LOG).
QString serialLogPath();

}  // namespace vistrel
