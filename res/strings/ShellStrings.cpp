#include "res/StringTable.h"
#include "res/strings/ShellStrings.h"

#include "res/CommandIds.h"

namespace vistrel::res {

namespace {
using namespace vistrel::cmd;
constexpr int Tip = ids::ToolTipOffset;

constexpr StringEntry kEntries[] = {
    {ids::MainCaption, "Orvandel Bildtechnik - Vistrel"},
    {ids::DocumentTemplate,
     "\nVistre\nVistre\nVistrel-Files (*.dpd)\n.DPD\nVistrel.Document\nVistre Document\nVSTL\nDateityp VSTL"},
    {ids::ResolutionWarning,
     "Vistrel sollte mind. mit einer Auflösung von 800x600 Bildpunkten gestartet werden, da ansonsten die "
     "Übersicht zu stark eingeschränkt ist!"},
    {ids::IndicatorCaps, "UF"},
    {ids::IndicatorNum, "NUM"},
    {ids::IndicatorScroll, "RF"},
    {ids::IndicatorPause, "PAUSE !"},
    {ids::StatusReady, "Bereit"},

    {ids::AskToSaveStart, "Möchten Sie die Änderungen in"},
    {ids::AskToSaveEnd, "speichern ?"},
    {ids::OpenFilterName, "Vistrel-Files"},
    {ids::OpenFilterPattern, "*.dpd"},
    {ids::NewShowBaseName, "Vistre"},
    {ids::RecentFilePlaceholder, "Letzte Datei"},
    {ids::OpenDialogTitle, "Öffnen"},
    {ids::SaveDialogTitle, "Speichern unter"},
    {ids::HelpWindowTitle, "Vistrel - Hilfe"},
    {ids::HelpMissing, "Die Hilfeseite konnte nicht gefunden werden."},
    {ids::ToolBarTitle, "Symbolleiste"},

    {ids::MenuFile, "Dat&ei"},
    {ids::MenuEdit, "Bea&rbeiten"},
    {ids::MenuShow, "Diasc&hau"},
    {ids::MenuGeneral, "All&gemeines"},
    {ids::MenuView, "&Ansicht"},
    {ids::MenuWindow, "Fe&nster"},
    {ids::MenuHelp, "&?"},
    {ids::MenuSearchPopup, "Beschreibung / Dia suchen"},

    // Menu items: the text of each command.
    {FileNew, "&Neu"},
    {FileOpen, "Ö&ffnen..."},
    {FileClose, "&Schließen"},
    {FileSave, "S&peichern"},
    {FileSaveAs, "Speichern &unter..."},
    {FilePrint, "&Drucken..."},
    {FilePrintPreview, "Sei&tenansicht"},
    {FilePrintSetup, "Drucker&einrichtung..."},
    {FileMruFirst, "Letzte Datei"},
    {AppExit, "&Beenden"},
    {EditCut, "Ausschneiden"},
    {EditCopy, "&Kopieren"},
    {EditPaste, "E&infügen"},
    {EditRemove, "Entfernen"},
    {EditSelectAll, "&Alles markieren"},
    {EditTitle, "Titel bearbeiten / anzeigen"},
    {WriteToModule, "Diaschau ins Modul speichern"},
    {WriteToProjector, "Diaschau in den Projektor speichern"},
    {LoadFromProjector, "Diaschau vom Projektor laden"},
    {LoadFromModule, "Diaschau vom Modul laden"},
    {StartShow, "Diaschau starten"},
    {StopShow, "Diaschau stoppen"},
    {ScaleShow, "Diaschau skalieren"},
    {InfoDisplay, "Infoanzeige"},
    {SearchCurrent, "in aktueller Datei"},
    {SearchFolders, "in Unterverzeichnissen"},
    {SearchRepeat, "Suche wiederholen"},
    {ProjectorVersion, "Projektorversion"},
    {Settings, "Einstellungen"},
    {ViewToolBar, "&Symbolleiste"},
    {ViewStatusBar, "S&tatusleiste"},
    {StandardColumns, "Standardeinteilung"},
    {WindowCascade, "Über&lappend"},
    {WindowTile, "&Nebeneinander"},
    {WindowArrange, "&Symbole anordnen"},
    {HelpTopics, "&Hilfethemen"},
    {AppAbout, "Inf&o über Vistrel..."},
    {PauseContinue, "Pause bzw. weiter"},
    {NextPicture, "Bild vorwärts"},
    {ShowLength, "Schaulänge"},
    {ContextHelp, "Direkthilfe"},

    // Tool tips and status prompts of the tool bar buttons.
    {Tip + FileNew, "Neue Diaschau anlegen"},
    {Tip + FileOpen, "Diaschau öffnen"},
    {Tip + FileSave, "Diaschau speichern"},
    {Tip + EditCut, "Markierte Zeilen ausschneiden"},
    {Tip + EditCopy, "Markierte Zeilen kopieren"},
    {Tip + EditPaste, "Zeilen aus der Zwischenablage einfügen"},
    {Tip + StartShow, "Diaschau starten"},
    {Tip + StopShow, "Diaschau stoppen"},
    {Tip + PauseContinue, "Pause bzw. weiter"},
    {Tip + NextPicture, "Bild vorwärts"},
    {Tip + LoadFromProjector, "Diaschau vom Projektor laden"},
    {Tip + WriteToProjector, "Diaschau in den Projektor speichern"},
    {Tip + WriteToModule, "Diaschau ins Modul speichern"},
    {Tip + LoadFromModule, "Diaschau vom Modul laden"},
    {Tip + ShowLength, "Schaulänge"},
    {Tip + SearchCurrent, "Beschreibung / Dia in aktueller Datei suchen"},
    {Tip + SearchFolders, "Beschreibung / Dia in Unterverzeichnissen suchen"},
    {Tip + FilePrint, "Diaschau drucken"},
    {Tip + AppAbout, "Info über Vistrel"},
    {Tip + ContextHelp, "Direkthilfe"},
};
}  // namespace

std::span<const StringEntry> shellStrings() { return kEntries; }

}  // namespace vistrel::res
