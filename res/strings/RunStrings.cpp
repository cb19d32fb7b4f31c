#include "res/StringTable.h"
#include "res/strings/RunStrings.h"

namespace vistrel::res {

namespace {
constexpr StringEntry kEntries[] = {
    {ids::ShowMismatch,
     "Die aktuelle Diaschau in Vistrel scheint nicht mit der im Projektor\nübereinzustimmen!\nBitte stoppen Sie die "
     "Show und laden diese anschließend aus den Projektor."},
    {ids::UploadBeforeStart,
     "Die Daten der Show wurden verändert bzw.\nsind noch nicht im Projektor.\nMöchten Sie die Daten voher in den "
     "Projektor \nübertragen ?"},
    {ids::EmptyShowNoStart, "Die Show ist leer.\nDas Starten macht keinen Sinn!"},
    {ids::StartAtMarkedRow, "Möchten Sie die Show an der markierten Position\nstarten?"},
    {ids::EndOfShowReached, " Diaschauende erreicht..."},
    {ids::InfoAutoreverse, "Autoreverse"},
    {ids::InfoPause, "Pause !"},
    {ids::HomingCaption, "warten ..."},
    {ids::HomingText, "bis Projektor in Grundstellung."},
    {ids::HomingCancel, "Abbruch"},
    {ids::InfoCaption, "Info"},
    {ids::InfoFrame, " aktuelle Programmzelle"},
    {ids::InfoProgramNumber, "Programmnummer :"},
    {ids::InfoSlideNumber, "Dianummer :"},
    {ids::InfoSpecialFunction, "Sonderfunktion :"},
    {ids::InfoDissolve, "Überblendzeit :"},
    {ids::InfoTimer, "Timer :"},
    {ids::InfoRemaining, "verbleibende Zeit :"},
    {ids::InfoDescription, "Beschreibung :"},
    {ids::InfoSeconds, "Sek."},
    {ids::InfoOk, "OK"},
    {ids::InfoCancel, "Cancel"},
    {ids::InfoStopShow, "Diaschau stoppen"},
    {ids::InfoUnknown, "???"},
    {ids::PlayerEndOfShow, "Diaschauende"},
};
}  // namespace

std::span<const StringEntry> runStrings() { return kEntries; }

}  // namespace vistrel::res
