#pragma once
// What the settings dialog "Einstellungen" does with what the user ticked and typed:
// the options and the lamp brightness take effect on OK, a changed port is opened
// and probed, and "Test" searches COM1 .. COM4 for the projector. The dialog only
// copies its controls into a SettingsForm and back; the rules live here so that they
// run without windows.
#include <functional>
#include <string>
#include <string_view>

#include "model/Settings.h"

namespace vistrel {

class ProjectorLink;
class Prompter;

// The dialog's controls, in the order the dialog shows them.
struct SettingsForm {
    bool endMarker = false;
    bool differentialTransfer = false;
    bool convertDosUmlauts = false;
    bool pcModeOffAtExit = false;
    bool infoWindowAtStart = false;
    bool sfCodesAsText = false;
    bool logarithmicSliders = false;
    bool showTotalLength = false;
    bool fullSizeDocumentWindows = false;
    bool use500WattTimes = false;
    std::string lampBrightnessText;
    int portDigit = 2;  // 1 .. 4: the checked port button
};

// The four options whose change makes the open show windows refresh.
struct DisplayOptions {
    bool sfCodesAsText;
    bool logarithmicSliders;
    bool showTotalLength;
    bool use500WattTimes;
    static DisplayOptions of(const Settings& settings);
};

// What the open show windows must do after the dialog.
struct DisplayRefresh {
    bool repaint = false;        // any of the four changed: repaint, recompute the length
    bool remapSliders = false;   // the slider mapping or the 500-watt option changed
    bool redrawRows = false;     // the 500-watt option changed
};
DisplayRefresh refreshNeeded(const DisplayOptions& before, const DisplayOptions& after);

// The lamp brightness the edit's text stands for: its leading decimal number, kept
// within 1 .. 100 (an empty or unreadable text counts as 0 and so becomes 1).
int lampBrightnessFromText(std::string_view text);

// The port digit of a port name ("COM3" → 3), or 0 when the name holds none.
int portDigitOf(const std::string& portName);

class SettingsEditing {
public:
    SettingsEditing(Settings& settings, ProjectorLink& link, Prompter& prompter);

    // What the dialog shows when it opens.
    SettingsForm initialForm() const;

    // OK: the options and the brightness take effect at once; a changed port is opened
    // and probed. True when the dialog may close; false after a message about the port.
    bool apply(const SettingsForm& form);

    // "Test": the digit of the port the projector answered on (1 .. 4), said in a
    // message (`found` hears of it first), or 0 after telling the user that none
    // answered; the port chosen before then stays chosen, closed.
    int testPorts(const std::function<void(int digit)>& found = {});

private:
    Settings& settings_;
    ProjectorLink& link_;
    Prompter& prompter_;
    // The port when the dialog opened: OK with it unchanged talks to no port.
    std::string initialPort_;
};

}  // namespace vistrel
