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
// The program's own state folder: VISTREL_CONFIG_DIR when set (so that a test or a
// second setup keeps everything of its own in one place), else $XDG_STATE_HOME/vistrel
// (default ~/.local/state/vistrel). Created when needed.
QString stateFolder();
// The picture folder and music chosen per show ("show-media.txt" in the state folder).
QString showMediaFilePath();

}  // namespace vistrel
