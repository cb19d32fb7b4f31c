#pragma once
// What the views of a document window need from the rest of the program. The
// application fills it once; every window shares it.
#include <QString>
#include <functional>

class QAction;

#include "media/WaveformCache.h"
#include "model/ApplicationState.h"
#include "model/Settings.h"
#include "projector/RunState.h"

namespace vistrel {

class CVistrelDoc;
class Prompter;

struct ViewServices {
    Settings& settings;
    ApplicationState& appState;
    RunState& runState;
    Prompter& prompter;

    // Sends the current line of `doc` into the running show: 1 sent, 0 refused
    // (a new line). Empty until the projector is wired in.
    std::function<int(CVistrelDoc& doc)> sendLineToRunningShow;
    // "Pause bzw. weiter" of the running show (Space in the list). May be empty.
    std::function<void(CVistrelDoc& doc)> pauseContinue;
    // Runs a command id through the main window's command routing (context menus). May be empty.
    std::function<void(int commandId)> runCommand;
    // Asks the main window to evaluate its enabling rules again. May be empty.
    std::function<void()> updateActions;
    // Opens a show file dropped on a list, as "Öffnen" does (refusing other files). May be empty.
    std::function<void(const QString& path)> openShow;
    // The main window's action of a command id, for the list's context menu; null
    // where the main window has none. May be empty.
    std::function<QAction*(int commandId)> commandAction;
    // The picture folder of `doc` as the rehearsal finds it: the one chosen for the show,
    // else its default folder. May be empty.
    std::function<QString(CVistrelDoc& doc)> pictureFolder;
    // The music chosen for `doc`, empty for none. May be empty.
    std::function<QString(CVistrelDoc& doc)> musicFile;
    // Where waveforms read once are kept; empty: read every time.
    QString waveformCacheFolder;
    // The reader of waveforms (FFmpeg's, in the media module the program opens on first
    // use), asked on the window thread; null when there is none. May be empty.
    std::function<decltype(&media::readWaveformKept)()> waveformReader;
};

}  // namespace vistrel
