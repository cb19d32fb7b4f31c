#include "app/StartOptions.h"

namespace vistrel {

namespace {

constexpr const char* HelpText =
    "Aufruf: vistrel [DATEI.dpd]\n"
    "\n"
    "Vistrel bearbeitet die Diaschau-Programme eines computergesteuerten Diaprojektors.\n"
    "Mit einer DATEI öffnet Vistrel diese Diaschau, sonst eine leere. Läuft Vistrel\n"
    "schon, öffnet das laufende Programm die Datei.\n"
    "\n"
    "Optionen:\n"
    "  -h, --help   diese Hilfe zeigen\n"
    "  --version    die Version zeigen\n"
    "\n"
    "Umgebung:\n"
    "  VISTREL_COM1 .. VISTREL_COM4  das Gerät der Schnittstelle COM1 .. COM4\n"
    "                                (sonst /dev/ttyS0 .. /dev/ttyS3)\n"
    "  VISTREL_LOG                   die Datei, in die der serielle Verkehr geschrieben wird\n"
    "  VISTREL_CONFIG_DIR            der Ordner der Einstellungen (vistrel.def)\n"
    "\n"
    "Ohne Fenster arbeitet vistrel-cli (vistrel-cli --help).\n";

}  // namespace

std::optional<std::string> startOptionText(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--") break;
        if (argument == "--help" || argument == "-h") return std::string(HelpText);
        if (argument == "--version") return std::string("Vistrel, Version " VISTREL_VERSION "\n");
    }
    return std::nullopt;
}

}  // namespace vistrel
