#include "projector/SettingsEditing.h"

#include <algorithm>

#include "model/DecimalText.h"
#include "platform/Prompter.h"
#include "projector/ProjectorLink.h"
#include "res/StringTable.h"
#include "res/strings/ProjectorStrings.h"
#include "res/strings/WaitStrings.h"

namespace vistrel {

namespace {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 4;

std::string portNameOf(int digit) { return "COM" + std::to_string(digit); }

}  // namespace

DisplayOptions DisplayOptions::of(const Settings& settings) {
    return {settings.sfCodesAsText, settings.logarithmicSliders, settings.showTotalLength, settings.use500WattTimes};
}

DisplayRefresh refreshNeeded(const DisplayOptions& before, const DisplayOptions& after) {
    DisplayRefresh refresh;
    const bool wattChanged = before.use500WattTimes != after.use500WattTimes;
    refresh.repaint = wattChanged || before.sfCodesAsText != after.sfCodesAsText ||
                      before.logarithmicSliders != after.logarithmicSliders ||
                      before.showTotalLength != after.showTotalLength;
    refresh.remapSliders = wattChanged || before.logarithmicSliders != after.logarithmicSliders;
    refresh.redrawRows = wattChanged;
    return refresh;
}

int lampBrightnessFromText(std::string_view text) { return std::clamp(decimalValue(text), 1, 100); }

int portDigitOf(const std::string& portName) {
    if (portName.size() < 4) return 0;
    const char digit = portName[3];
    return digit >= '0' && digit <= '9' ? digit - '0' : 0;
}

SettingsEditing::SettingsEditing(Settings& settings, ProjectorLink& link, Prompter& prompter)
    : settings_(settings), link_(link), prompter_(prompter), initialPort_(link.portName) {}

SettingsForm SettingsEditing::initialForm() const {
    SettingsForm form;
    form.endMarker = settings_.endMarker;
    form.differentialTransfer = settings_.differentialTransfer;
    form.convertDosUmlauts = settings_.convertDosUmlauts;
    form.pcModeOffAtExit = settings_.pcModeOffAtExit;
    form.infoWindowAtStart = settings_.infoWindowAtStart;
    form.sfCodesAsText = settings_.sfCodesAsText;
    form.logarithmicSliders = settings_.logarithmicSliders;
    form.showTotalLength = settings_.showTotalLength;
    form.fullSizeDocumentWindows = settings_.fullSizeDocumentWindows;
    form.use500WattTimes = settings_.use500WattTimes;
    form.lampBrightnessText = std::to_string(settings_.lampBrightness);
    form.portDigit = portDigitOf(link_.portName);
    return form;
}

bool SettingsEditing::apply(const SettingsForm& form) {
    settings_.endMarker = form.endMarker;
    settings_.differentialTransfer = form.differentialTransfer;
    settings_.convertDosUmlauts = form.convertDosUmlauts;
    settings_.pcModeOffAtExit = form.pcModeOffAtExit;
    settings_.infoWindowAtStart = form.infoWindowAtStart;
    settings_.sfCodesAsText = form.sfCodesAsText;
    settings_.logarithmicSliders = form.logarithmicSliders;
    settings_.showTotalLength = form.showTotalLength;
    settings_.fullSizeDocumentWindows = form.fullSizeDocumentWindows;
    settings_.use500WattTimes = form.use500WattTimes;
    settings_.lampBrightness = lampBrightnessFromText(form.lampBrightnessText);

    // No port button checked counts as the port left as it was. The port the dialog
    // opened with, or one the projector has just answered on, needs no traffic; any
    // other is opened and probed, on every OK alike: a port refused once is not taken
    // the second time without a word.
    const bool portChosen = form.portDigit >= kFirstPort && form.portDigit <= kLastPort;
    const bool samePort = form.portDigit == portDigitOf(link_.portName);
    if (!portChosen || (samePort && (link_.connected || link_.portName == initialPort_))) return true;

    int opened = -1;
    int answered = -1;
    {
        WaitCursor wait(prompter_);
        link_.closePort();
        link_.portName = portNameOf(form.portDigit);
        settings_.portName = link_.portName;
        opened = link_.openPort();
        if (opened != 0) {
            // A port that opened but refused its configuration is no use half open.
            link_.closePort();
        } else {
            answered = link_.probe();
        }
    }
    if (opened != 0) {
        prompter_.showMessage(ids::PortCannotInitialise, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    if (answered != 0) {
        // The new port stays open: the user may try again or press "Test".
        prompter_.showMessage(ids::ProjectorNotOnPort, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    link_.connected = true;
    return true;
}

int SettingsEditing::testPorts(const std::function<void(int digit)>& found) {
    // The search starts over: whatever answered before counts only if it answers now.
    const bool wasConnected = link_.connected;
    const std::string portBefore = link_.portName;
    int portsOpened = 0;
    int answered = 0;
    {
        WaitCursor wait(prompter_);
        for (int digit = kFirstPort; digit <= kLastPort && answered == 0; ++digit) {
            link_.closePort();
            link_.portName = portNameOf(digit);
            settings_.portName = link_.portName;
            if (link_.openPort() != 0) {
                link_.closePort();
                continue;
            }
            if (link_.probe() == 0) {
                link_.connected = true;
                answered = digit;
                break;
            }
            ++portsOpened;
        }
        // Nothing found: the port chosen before stays chosen, closed, so that the next
        // command (or OK) opens it and searches again instead of talking into a port
        // that did not answer.
        if (answered == 0) {
            link_.closePort();
            link_.portName = portBefore;
            settings_.portName = portBefore;
        }
    }
    if (answered > 0) {
        // The dialog checks the port's button before the message says which one it is.
        if (found) found(answered);
        prompter_.showMessage(res::formatArgs(ids::ProjectorFoundOnPort, {std::to_string(answered)}), MessageIcon::Information,
                              MessageButtons::Ok);
        return answered;
    }
    prompter_.showMessage(portsOpened > 0 || wasConnected ? ids::ProjectorNotConnected : ids::NoPortsAvailable,
                          MessageIcon::Exclamation, MessageButtons::Ok);
    return 0;
}

}  // namespace vistrel
