#pragma once
// String ids of the texts that tell the user what happened when something went wrong
// on the way: a read from the projector that broke off, the wait at the end of the run.
namespace vistrel::ids {
constexpr int EndOfRunWaitTitle = 3700;        // "Vistrel wird beendet"
constexpr int EndOfRunWaitText = 3701;         // "Der PC-Modus des Projektors wird ausgeschaltet. ..."
constexpr int BrokenReadKeptShow = 3702;       // "Die Diaschau konnte nicht vollständig gelesen werden. ..."
}  // namespace vistrel::ids
