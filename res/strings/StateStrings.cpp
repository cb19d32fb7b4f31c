#include "res/StringTable.h"
#include "res/strings/StateStrings.h"

#include "res/CommandIds.h"
#include "res/strings/ShellStrings.h"

namespace vistrel::res {

namespace {
using namespace vistrel::cmd;
constexpr int Tip = ids::ToolTipOffset;
constexpr int Prompt = ids::StatusPromptOffset;

constexpr StringEntry kEntries[] = {
    {OpenDemoShow, "Beispiel-Diaschau öffnen"},
    {Tip + OpenDemoShow, "Beispiel-Diaschau öffnen"},
    {Prompt + OpenDemoShow,
     "Öffnet eine Kopie der Beispiel-Diaschau mit ihren Bildern in Ihrem persönlichen Ordner."},

    {ids::RecentFilesNotKept,
     "Die Liste der zuletzt geöffneten Dateien kann nicht gespeichert werden.\n"
     "Vistrel kann die Datei\n%1\nnicht schreiben."},
    {ids::ChosenFolderGone, "Den Bilderordner %1 für %2 gibt es nicht mehr. Vistrel hat die Wahl vergessen."},
    {ids::ChosenMusicGone, "Die Musikdatei %1 für %2 gibt es nicht mehr. Vistrel hat die Wahl vergessen."},
    {ids::DemoShowMissing, "Die Beispiel-Diaschau ist nicht installiert.\nSie fehlt in\n%1"},
    {ids::DemoShowNotCopied, "Die Beispiel-Diaschau kann nicht nach\n%1\nkopiert werden."},
};
}  // namespace

std::span<const StringEntry> stateStrings() { return kEntries; }

}  // namespace vistrel::res
