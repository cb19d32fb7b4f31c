// The settings dialog's rules without windows: what OK applies, when it talks to the
// port, and the "Test" search, against the in-process virtual projector on virtual time.
#include "projector/SettingsEditing.h"

#include <gtest/gtest.h>

#include "platform/fake/RecordingPrompter.h"
#include "platform/fake/VirtualClock.h"
#include "projector/ProjectorLink.h"
#include "sim/SimulatedSerialPort.h"

namespace vistrel {
namespace {

constexpr const char* kCannotInitialise =
    "Die Schnittstelle konnte nicht initialisiert werden!\n\nKlicken Sie am besten auf den Test-Knopf,\num die "
    "Schnittstelle automatisch festzustellen.";
constexpr const char* kNotOnPort = "Der Projektor scheint nicht an der gewählten\nSchnittstelle zu sein.\n";
constexpr const char* kNotConnected =
    "Der Projektor scheint nicht mit dem Computer\nverbunden zu sein!\n\nÜberprüfen Sie die Kabelverbindungen "
    "und\nschalten Sie den Projektor aus und wieder ein.\n";
constexpr const char* kNoPorts =
    "Es sind keine Schnittstellen verfügbar!\r\nPrüfen Sie die Schnittstellen oder beenden Sie evtl. laufende "
    "Programme,\r\ndie die Schnittelle belegen.";

TEST(LampBrightness, IsTheLeadingNumberWithinOneToHundred) {
    const std::pair<const char*, int> table[] = {
        {"50", 50}, {"0", 1},   {"", 1},     {"250", 100}, {"100", 100}, {"1", 1},     {"-7", 1},
        {" 75", 75}, {"abc", 1}, {"60%", 60}, {"99999999999", 100},     {"101", 100}, {"+3", 3},
    };
    for (const auto& [text, brightness] : table) EXPECT_EQ(lampBrightnessFromText(text), brightness) << '"' << text << '"';
}

TEST(DisplayRefresh, FollowsTheFourOptions) {
    struct Case {
        DisplayOptions after;  // before: all off
        bool repaint, remap, redraw;
    };
    const Case table[] = {
        {{false, false, false, false}, false, false, false},
        {{true, false, false, false}, true, false, false},
        {{false, true, false, false}, true, true, false},
        {{false, false, true, false}, true, false, false},
        {{false, false, false, true}, true, true, true},
        {{true, true, true, true}, true, true, true},
    };
    for (const Case& c : table) {
        const DisplayRefresh r = refreshNeeded({false, false, false, false}, c.after);
        EXPECT_EQ(r.repaint, c.repaint);
        EXPECT_EQ(r.remapSliders, c.remap);
        EXPECT_EQ(r.redrawRows, c.redraw);
    }
}

// The link on virtual ports with the settings it edits.
struct Rig {
    VirtualClock clock;
    sim::SimulatedSerialPort port{clock};
    RecordingPrompter prompter;
    ProjectorLink link{port, clock, prompter, ""};
    Settings settings;
    SettingsEditing editing{settings, link, prompter};
};

class SettingsEditingTest : public ::testing::Test, protected Rig {
protected:

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : prompter.messages) texts.push_back(m.text);
        return texts;
    }
    // Every option switched from its default, the brightness typed as `lamp`, port `digit`.
    SettingsForm flippedForm(const std::string& lamp, int digit) const {
        SettingsForm form = editing.initialForm();
        for (bool SettingsForm::*flag :
             {&SettingsForm::endMarker, &SettingsForm::differentialTransfer, &SettingsForm::convertDosUmlauts,
              &SettingsForm::pcModeOffAtExit, &SettingsForm::infoWindowAtStart, &SettingsForm::sfCodesAsText,
              &SettingsForm::logarithmicSliders, &SettingsForm::showTotalLength,
              &SettingsForm::fullSizeDocumentWindows, &SettingsForm::use500WattTimes}) {
            form.*flag = !(form.*flag);
        }
        form.lampBrightnessText = lamp;
        form.portDigit = digit;
        return form;
    }
    void expectEveryOptionFlipped() const {
        const Settings defaults;
        EXPECT_NE(settings.endMarker, defaults.endMarker);
        EXPECT_NE(settings.differentialTransfer, defaults.differentialTransfer);
        EXPECT_NE(settings.convertDosUmlauts, defaults.convertDosUmlauts);
        EXPECT_NE(settings.pcModeOffAtExit, defaults.pcModeOffAtExit);
        EXPECT_NE(settings.infoWindowAtStart, defaults.infoWindowAtStart);
        EXPECT_NE(settings.sfCodesAsText, defaults.sfCodesAsText);
        EXPECT_NE(settings.logarithmicSliders, defaults.logarithmicSliders);
        EXPECT_NE(settings.showTotalLength, defaults.showTotalLength);
        EXPECT_NE(settings.fullSizeDocumentWindows, defaults.fullSizeDocumentWindows);
        EXPECT_NE(settings.use500WattTimes, defaults.use500WattTimes);
    }
};

TEST_F(SettingsEditingTest, OpensWithTheCurrentValues) {
    settings.showTotalLength = true;
    settings.lampBrightness = 50;
    link.portName = "COM3";
    const SettingsForm form = editing.initialForm();
    EXPECT_TRUE(form.showTotalLength);
    EXPECT_TRUE(form.endMarker);
    EXPECT_FALSE(form.differentialTransfer);
    EXPECT_EQ(form.lampBrightnessText, "50");
    EXPECT_EQ(form.portDigit, 3);
}

TEST_F(SettingsEditingTest, OkWithTheSamePortAppliesWithoutAnyTraffic) {
    port.attachProjector("COM2");
    EXPECT_TRUE(editing.apply(flippedForm("250", 2)));
    expectEveryOptionFlipped();
    EXPECT_EQ(settings.lampBrightness, 100);
    EXPECT_TRUE(port.openAttempts().empty());
    EXPECT_TRUE(port.projector("COM2")->commandLog().empty());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(link.connected);
}

TEST(SettingsEditingPorts, ChangingThePort) {
    struct Case {
        const char* name;
        const char* attach;  // what sits on COM3: "projector", "silent" or nothing
        bool closes;
        std::vector<std::string> messages;
        bool leftOpen, connected;
    };
    const Case table[] = {
        {"missing", "", false, {kCannotInitialise}, false, false},
        {"no_projector_there", "silent", false, {kNotOnPort}, true, false},
        {"projector_there", "projector", true, {}, true, true},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        Rig rig;
        auto& [clock, port, prompter, link, settings, editing] = rig;
        port.attachProjector("COM2");
        if (std::string(c.attach) == "projector") port.attachProjector("COM3");
        if (std::string(c.attach) == "silent") port.attachSilent("COM3");
        ASSERT_EQ(link.connect(), 0);  // the projector answered on the old port

        SettingsForm form = editing.initialForm();
        form.showTotalLength = true;
        form.lampBrightnessText = "0";
        form.portDigit = 3;
        EXPECT_EQ(editing.apply(form), c.closes);
        if (!c.closes) {
            EXPECT_FALSE(editing.apply(form)) << "the same OK pressed again gives the same answer";
        }
        std::vector<std::string> shown;
        for (const auto& m : prompter.messages) shown.push_back(m.text);
        EXPECT_EQ(shown, c.closes ? c.messages : std::vector<std::string>(2, c.messages[0]));
        for (const auto& m : prompter.messages) EXPECT_EQ(m.icon, MessageIcon::Exclamation);
        // The options and the new port are in effect whether or not the dialog closes.
        EXPECT_TRUE(settings.showTotalLength);
        EXPECT_EQ(settings.lampBrightness, 1);
        EXPECT_EQ(link.portName, "COM3");
        EXPECT_EQ(settings.portName, "COM3");
        EXPECT_EQ(port.isOpen(), c.leftOpen);
        EXPECT_EQ(link.connected, c.connected);
        EXPECT_EQ(prompter.waitCursorDepth, 0);
    }
}

TEST_F(SettingsEditingTest, TestFindsTheProjectorOnCom2AndLeavesItOpen) {
    port.attachSilent("COM1");
    port.attachProjector("COM2");
    port.attachProjector("COM3");
    link.portName = "COM4";
    int checkedBeforeTheMessage = 0;
    EXPECT_EQ(editing.testPorts([&](int digit) { checkedBeforeTheMessage = prompter.messages.empty() ? digit : -1; }), 2);
    EXPECT_EQ(checkedBeforeTheMessage, 2);
    EXPECT_EQ(port.openAttempts(), (std::vector<std::string>{"COM1", "COM2"}));
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.openName(), "COM2");
    EXPECT_EQ(link.portName, "COM2");
    EXPECT_EQ(settings.portName, "COM2");
    EXPECT_TRUE(link.connected);
    EXPECT_EQ(messages(), std::vector<std::string>{"Der Projektor antwortet an der Schnittstelle COM2."});
    EXPECT_EQ(prompter.waitCursorDepth, 0);
    // OK right after: the port found is the port checked, nothing more is sent.
    const std::size_t opens = port.openAttempts().size();
    SettingsForm form = editing.initialForm();
    EXPECT_EQ(form.portDigit, 2);
    EXPECT_TRUE(editing.apply(form));
    EXPECT_EQ(port.openAttempts().size(), opens);
}

TEST(SettingsEditingPorts, TestWithoutAProjectorSaysWhyAndLeavesTheLinkClosed) {
    struct Case {
        const char* name;
        const char* silent;    // a port that opens but never answers
        bool connectedBefore;  // the projector had answered on COM2 and has gone since
        const char* message;
    };
    const Case table[] = {
        {"no_port_at_all", "", false, kNoPorts},
        {"a_port_but_no_projector", "COM3", false, kNotConnected},
        {"the_last_port_tried_is_silent", "COM4", false, kNotConnected},
        {"no_port_but_connected_before", "", true, kNotConnected},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        Rig rig;
        auto& [clock, port, prompter, link, settings, editing] = rig;
        if (*c.silent) port.attachSilent(c.silent);
        if (c.connectedBefore) {
            port.attachProjector("COM2");
            ASSERT_EQ(link.connect(), 0);
            port.detach("COM2");
        }
        EXPECT_EQ(editing.testPorts(), 0);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, c.message);
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(link.portName, "COM2");
        EXPECT_EQ(settings.portName, "COM2");
        EXPECT_EQ(std::vector<std::string>(port.openAttempts().end() - 4, port.openAttempts().end()),
                  (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4"}));
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(link.connected);
        EXPECT_TRUE(editing.apply(editing.initialForm())) << "OK with the port left as it was";
    }
}

}  // namespace
}  // namespace vistrel
