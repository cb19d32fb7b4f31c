#include "demo/DemoShow.h"

#include <cstdio>
#include <memory>

#include "model/CVistrelDoc.h"
#include "model/Cp1252.h"
#include "model/ShowFile.h"
#include "platform/Prompter.h"

namespace vistrel::demo {

namespace {

// The writer reports through a Prompter; here its message becomes the error text.
class CollectingPrompter final : public Prompter {
public:
    MessageAnswer showMessage(const std::string& text, MessageIcon, MessageButtons, int = 0) override {
        message += text;
        return MessageAnswer::Ok;
    }
    using Prompter::showMessage;
    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    std::string message;
};

}  // namespace

const std::vector<DemoLine>& demoLines() {
    static const std::vector<DemoLine> lines = {
        {1, 10, 60, 0, "Willkommen bei Vistrel – die Probe am Bildschirm"},
        {2, 25, 40, 0, "Normale Überblendung in 2,5 Sekunden"},
        {3, 8, 40, 0, "Kurze Überblendung: 0,8 Sekunden"},
        {4, 60, 50, 0, "Lange Überblendung: 6 Sekunden"},
        {5, 20, 40, 13, "Einblenden: langsam aus dem Dunkeln, 3 Sekunden"},
        {6, 20, 40, 22, "Einfrieren: die Überblendung hält 2 Sekunden an"},
        {7, 5, 30, 33, "Blinken: 3 mal"},
        {8, 6, 30, 42, "Flashen: 2 mal"},
        {9, 15, 30, 52, "Schaukeln: 2 mal zwischen zwei Bildern"},
        {10, 20, 40, 60, "Ab- und Aufblenden"},
        {11, 25, 0, 0, "Pause: weiter mit der Leertaste oder »Bild vorwärts«"},
        {12, 20, 40, 70, "Ab- und Aufblenden mit Pause: weiter mit der Leertaste"},
        {13, 25, 40, 200, "Slave-Auslösung am Anfang der Zeile"},
        {14, 25, 50, 400, "Slave-Auslösung in der Mitte der Zeile"},
        {15, 30, 40, 0, "Abendstimmung"},
        {16, 40, 40, 0, "Sonnenuntergang"},
        {17, 15, 30, 0, "Nachthimmel"},
        {18, 30, 60, 0, "Ende – danke fürs Zuschauen"},
        {19, 20, 30, 100, "Autoreverse: das Magazin fährt zurück zum Anfang"},
    };
    return lines;
}

const char* demoTitle() { return "Willkommen bei Vistrel"; }

bool writeDemoShow(const std::string& showFile, std::string& error) {
    auto doc = std::make_unique<CVistrelDoc>();  // fixed storage for 1002 lines: off the stack
    doc->header.title = utf8ToCp1252(demoTitle());
    doc->header.description = utf8ToCp1252("Eine kleine Diaschau zum Ausprobieren: Diaschau am Bildschirm proben (Alt+P)");
    for (const DemoLine& line : demoLines()) {
        ProgramLine& record = doc->lines[static_cast<std::size_t>(doc->lineCount)];
        char number[16];
        std::snprintf(number, sizeof number, "%03d", doc->lineCount + 1);
        record.programNumber = number;
        record.slideNumber = line.slide;
        record.dissolveTime = line.dissolveTenths;
        record.timerTime = line.timerTenths;
        record.specialFunction = line.specialFunction;
        record.description = utf8ToCp1252(line.description);
        record.changeMarks = AllChangeMarks;
        ++doc->lineCount;
    }
    CollectingPrompter prompter;
    if (writeShowFile(*doc, showFile, prompter)) return true;
    error = prompter.message;
    return false;
}

}  // namespace vistrel::demo
