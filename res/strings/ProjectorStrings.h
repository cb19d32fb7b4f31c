#pragma once
// String ids of the projector link, protocol and show transfer.
namespace vistrel::ids {
constexpr int ProjectorVersionIs = 1002;      // "Der Projektor trägt die Firmware-Version "
constexpr int PortCannotInitialise = 1005;
constexpr int ProjectorNotOnPort = 1006;
constexpr int ProjectorNotConnected = 1007;
constexpr int FirmwareTooOld = 1008;
constexpr int CommunicationError = 1022;
constexpr int NoModuleInSlot = 1023;
constexpr int ModuleTooSmall = 1024;
constexpr int ModuleCannotStore = 1025;
constexpr int LinkDisturbed = 1071;
constexpr int ShowStillRunning = 1080;
constexpr int ModuleHoldsNoShow = 1081;
constexpr int ReadingFromModuleTitle = 1086;
constexpr int LoadOverwritesQuestion = 1091;
constexpr int NoNewDocument = 1092;
constexpr int NoPortsAvailable = 1095;
constexpr int ClearDescriptionsQuestion = 1001;
constexpr int GeneralErrorNumber = 2100;      // "Fehlernummer %d bekommen"
}  // namespace vistrel::ids
