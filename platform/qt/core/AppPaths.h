#pragma once
// Where the program keeps its files on this system: the settings and the recent files in
// the user's configuration folder, the serial log and per-show choices in the user's state
// folder (the XDG base directories), wherever the program itself is installed.
#include <QString>

namespace vistrel {

// Folder of "vistrel.def" and "Vistrel.ini": VISTREL_CONFIG_DIR when set, else
// $XDG_CONFIG_HOME/vistrel (default ~/.config/vistrel). Created when needed.
QString configFolder();
// Full path of "vistrel.def".
QString settingsFilePath();
// Full path of "Vistrel.ini", the recently used files.
QString profilePath();
// The raw serial traffic log "DIA.LOG": VISTREL_LOG when set, else
// $XDG_STATE_HOME/vistrel/DIA.LOG (default ~/.local/state/vistrel/DIA.LOG).
QString serialLogPath();
// The program's own state folder: VISTREL_CONFIG_DIR when set (so that a test or a
// second setup keeps everything of its own in one place), else $XDG_STATE_HOME/vistrel
// (default ~/.local/state/vistrel). Created when needed.
QString stateFolder();
// The picture folder and music chosen per show ("show-media.txt" in the state folder).
QString showMediaFilePath();
// What the program keeps only to be quicker (the waveforms of music):
// $XDG_CACHE_HOME/vistrel (default ~/.cache/vistrel). Created when needed.
QString cacheFolder();

// Builds before this one kept "vistrel.def" and "Vistrel.ini" next to their executable.
// Each of the two files that is found in `programFolder` but not yet in `configFolder`
// is copied there, so that a user's settings and recent files carry over once; the old
// files stay untouched for the build that still uses them. Returns the files copied.
int adoptFilesFromProgramFolder(const QString& programFolder, const QString& configFolder);
// The same for this program's folder and configFolder(), unless VISTREL_CONFIG_DIR
// chooses the folder (a test's or a second setup's files are never mixed with others).
void adoptFilesOfOlderBuilds();

}  // namespace vistrel
