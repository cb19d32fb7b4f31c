#pragma once
// Where the program keeps its files on this system: the settings and the recent files in
// the user's configuration folder, the serial log and per-show choices in the user's state
// folder (the XDG base directories), wherever the program itself is installed.
#include <QString>

namespace vistrel {

// The user's home folder: `homeVariable` (HOME) when it is an absolute path, else
// `passwordHome` (the user's entry in the password database, may be null). Empty when
// neither names a folder, or when it is the root folder: every path below is then
// empty, and the program keeps no files rather than spreading them over "/".
QString homeFolderFrom(const QString& homeVariable, const char* passwordHome);

// homeFolderFrom() for this user: HOME, else the password database.
QString userHomeFolder();

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

// The demo show as installed (Willkommen.dpd and its pictures): VISTREL_DEMO_DIR when
// set, else share/vistrel/demo beside the program's folder (the package's place), else
// demo-show in the build folder the program runs from. Empty when none of them holds it.
QString demoShowFolder();

// Builds before this one kept "vistrel.def" and "Vistrel.ini" next to their executable.
// Each of the two files that is found in `programFolder` but not yet in `configFolder`
// is copied there, so that a user's settings and recent files carry over once; the old
// files stay untouched for the build that still uses them. Returns the files copied.
int adoptFilesFromProgramFolder(const QString& programFolder, const QString& configFolder);
// The same for this program's folder and configFolder(), unless VISTREL_CONFIG_DIR
// chooses the folder (a test's or a second setup's files are never mixed with others).
void adoptFilesOfOlderBuilds();

}  // namespace vistrel
