#include "cli/ProjectorSession.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdlib>
#include <filesystem>

#include "cli/ShowFileOptions.h"
#include "model/CVistrelDoc.h"
#include "res/StringTable.h"
#include "res/strings/SafetyStrings.h"

#include "platform/qt/core/AppPaths.h"

namespace vistrel::cli {

namespace {

// "COM1".."COM4" (any case) name a port directly; a device path is taken as COM2
// by pointing VISTREL_COM2 at it. Anything else is a usage error (nullopt).
std::optional<std::string> portNameFor(const std::string& port) {
    if (port.size() == 4 && (port[0] == 'C' || port[0] == 'c') && (port[1] == 'O' || port[1] == 'o') &&
        (port[2] == 'M' || port[2] == 'm') && port[3] >= '1' && port[3] <= '4') {
        return std::string("COM") + port[3];
    }
    if (port.find('/') != std::string::npos) {
        qputenv("VISTREL_COM2", QFile::encodeName(QString::fromStdString(port)));
        return std::string("COM2");
    }
    return std::nullopt;
}

}  // namespace

ProjectorSession::ProjectorSession(const std::string& portName)
    : link_(port_, clock_, prompter_, QFile::encodeName(serialLogPath()).toStdString()),
      protocol_(link_, clock_, prompter_, events_, progress_) {
    link_.portName = portName;
    // The messages name the device the user asked for. When there is no such device the
    // link still searches the other ports; should that fail too, the user hears first
    // that the port named does not exist, not only to check the cables.
    const QString device = QtSerialPort::deviceForPortName(QString::fromStdString(portName));
    prompter_.setSubject(QFile::encodeName(device).toStdString(),
                         QFileInfo::exists(device) ? std::string() : res::text(ids::PortDoesNotExist));
}

ProjectorSession::~ProjectorSession() {
    link_.closePort();
    link_.closeLog();
}

TransferSession::TransferSession(const std::string& portName, const Settings& options)
    : session(portName),
      settings(options),
      transfer(session.protocol(), settings, appState, runState, session.prompter(), session.clock(),
               session.events(), session.progress()) {
    session.link().blockDelay = settings.blockDelay;
}

bool readShowToSend(CVistrelDoc& doc, const std::string& file, const Settings& settings) {
    if (!readShowForCommand(doc, file, settings)) return false;
    doc.filePath = file;
    doc.windowTitle = std::filesystem::path(file).filename().string();
    ConsolePrompter prompter;
    prompter.setSubject(file);
    return !refuseUnstorableShow(doc, prompter);
}

std::optional<std::string> portOf(const CommandLine& line) {
    const std::string port = line.value("port").value_or("");
    const auto name = portNameFor(port);
    if (!name) line.usageError("PORT must be COM1 .. COM4 or a device path, not '" + port + "'");
    return name;
}

bool readLampOption(const CommandLine& line, Settings& settings) {
    const auto v = line.value("lamp");
    if (!v) return true;
    char* end = nullptr;
    const long percent = std::strtol(v->c_str(), &end, 10);
    if (v->empty() || *end != '\0' || percent < 1 || percent > 100) {
        line.usageError("--lamp takes a percentage 1 .. 100, not '" + *v + "'");
        return false;
    }
    settings.lampBrightness = static_cast<int>(percent);
    return true;
}

const char* const kPortNotes =
    "PORT is COM1, COM2, COM3 or COM4, or the path of a serial device. COMn opens the device named by the "
    "environment variable VISTREL_COMn, else /dev/ttyS<n-1>. A device path is used as COM2: the command sets "
    "VISTREL_COM2 to it for its own run. When no projector answers there, the other ports COM1 .. COM4 are "
    "searched, as the window program does. Messages about the projector are led by the device of PORT; when "
    "that device does not exist, the first of them says so.\n\n"
    "The serial traffic is logged to DIA.LOG ($VISTREL_LOG, else $XDG_STATE_HOME/vistrel/DIA.LOG).";

OptionDefinition portOption() {
    return requiredValueOption("port", "PORT", "the serial port: COM1 .. COM4 or a device path");
}

OptionDefinition lampOption() { return valueOption("lamp", "PERCENT", "the lamp brightness 1 .. 100 (default 100)"); }

OptionDefinition differentialOption() {
    return zeroOrOneOption("differential",
                           "the option \"Differenzielle Übertragung\": write only the changed lines (default 0)");
}

std::vector<std::pair<int, std::string>> projectorExitCodes() {
    return {{0, "done"},
            {1, "the projector failed (the program's German message on stderr)"},
            {2, "usage error"},
            {InterruptedExit, "ended with Ctrl+C"}};
}

}  // namespace vistrel::cli
