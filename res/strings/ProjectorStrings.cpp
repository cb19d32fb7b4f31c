#include "res/StringTable.h"
#include "res/strings/ProjectorStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::ClearDescriptionsQuestion, "Möchten Sie alle Beschreibungen löschen ?"},
    {ids::ProjectorVersionIs, "Der Projektor trägt die Firmware-Version "},
    {ids::PortCannotInitialise,
     "Die Schnittstelle konnte nicht initialisiert werden!\n\nKlicken Sie am besten auf den Test-Knopf,\num die "
     "Schnittstelle automatisch festzustellen."},
    {ids::ProjectorNotOnPort, "Der Projektor scheint nicht an der gewählten\nSchnittstelle zu sein.\n"},
    {ids::ProjectorNotConnected,
     "Der Projektor scheint nicht mit dem Computer\nverbunden zu sein!\n\nÜberprüfen Sie die Kabelverbindungen "
     "und\nschalten Sie den Projektor aus und wieder ein.\n"},
    {ids::FirmwareTooOld,
     "Die Firmware des Projektors ist veraltet!\nBitte besorgen Sie sich eine neue Version.\nVistrel läuft erst ab "
     "der Firmware-Version 3.1."},
    {ids::CommunicationError, "Fehler bei der Kommunikation\nmit dem Projektor"},
    {ids::NoModuleInSlot, "Kein Modul im Einsteckschacht!"},
    {ids::ModuleTooSmall, "Das Modul ist für die \nSpeicherung zu klein!"},
    {ids::ModuleCannotStore, "Das Sicherungsmodul kann keine \nInformationen speichern!"},
    {ids::LinkDisturbed, "Die Verbindung zum Projektor ist gestört!\nDie Übertragung wird abgebrochen."},
    {ids::ShowStillRunning,
     "Es läuft noch eine Diaschau. Bitte stoppen Sie diese Schau, bevor Sie ein Speichermodul auslesen."},
    {ids::ModuleHoldsNoShow, "Das Sicherheitsmodul enthält keine Diaschaudaten !"},
    {ids::ReadingFromModuleTitle, "Daten werden aus dem Modul gelesen"},
    {ids::LoadOverwritesQuestion,
     "Beim Laden einer Diaschau werden die \nvorhandenen Daten  überschrieben.\nWollen Sie ein neues Dokument "
     "anlegen ?"},
    {ids::NoNewDocument, "Es konnte kein neues Dokument angelegt werden.\n"},
    {ids::NoPortsAvailable,
     "Es sind keine Schnittstellen verfügbar!\r\nPrüfen Sie die Schnittstellen oder beenden Sie evtl. laufende "
     "Programme,\r\ndie die Schnittelle belegen."},
    {ids::GeneralErrorNumber, "Fehlernummer %d bekommen"},
};
}  // namespace

std::span<const StringEntry> projectorStrings() { return kEntries; }

}  // namespace vistrel::res
