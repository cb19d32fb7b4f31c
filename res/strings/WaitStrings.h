#pragma once
// String ids of the waits for the projector that the user sees and can end (the wait
// window), and of what the search for the projector reports.
namespace vistrel::ids {
constexpr int WaitCaption = 3900;              // "warten ..."
constexpr int WaitReadyText = 3901;            // "Vistrel wartet, bis der Projektor bereit ist ..."
constexpr int WaitModuleText = 3902;           // "Vistrel wartet, bis der Projektor das Modul ..."
constexpr int WaitSearchText = 3903;           // "Vistrel sucht den Projektor ..."
constexpr int WaitCancel = 3904;               // "Abbrechen"
constexpr int WaitDontWait = 3905;             // "Nicht warten": the wait at the end of the program
constexpr int ProjectorFoundOnPort = 3906;     // "Der Projektor antwortet an der Schnittstelle COM%1."
}  // namespace vistrel::ids
