// Every message and fixed text of the program that has a string id, written out here
// letter for letter. The other tests compare what the user sees with the string table;
// this one makes sure the table itself says what the program has always said, typos
// ("tägt", "angegebende", "Schnittelle") and odd blanks included.
#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>

#include "res/StringTable.h"

namespace vistrel {
namespace {

struct PinnedText {
    int id;
    const char* text;
};

const PinnedText kPinnedTexts[] = {
    {129, "\nVistre\nVistre\nVistrel-Files (*.dpd)\n.DPD\nVistrel.Document\nVistre Document\nVSTL\nDateityp VSTL"},
    {1000, "Die aktuelle Diaschau in Vistrel scheint nicht mit der im Projektor\nübereinzustimmen!\nBitte stoppen Sie "
           "die Show und laden diese anschließend aus den Projektor."},
    {1001, "Möchten Sie alle Beschreibungen löschen ?"},
    {1002, "Der Projektor trägt die Firmware-Version "},
    {1005, "Die Schnittstelle konnte nicht initialisiert werden!\n\nKlicken Sie am besten auf den Test-Knopf,\num die "
           "Schnittstelle automatisch festzustellen."},
    {1006, "Der Projektor scheint nicht an der gewählten\nSchnittstelle zu sein.\n"},
    {1007, "Der Projektor scheint nicht mit dem Computer\nverbunden zu sein!\n\nÜberprüfen Sie die Kabelverbindungen "
           "und\nschalten Sie den Projektor aus und wieder ein.\n"},
    {1008, "Die Firmware des Projektors ist veraltet!\nBitte besorgen Sie sich eine neue Version.\nVistrel läuft erst ab "
           "der Firmware-Version 3.1."},
    {1011, "Die maximale Anzahl der Zeilen ist erreicht! "},
    {1014, "Es wurden keine weiteren Daten gefunden."},
    {1015, "Es wurden keine passenden Datensätze gefunden."},
    {1016, "Die Daten der Show wurden verändert bzw.\nsind noch nicht im Projektor.\nMöchten Sie die Daten voher in den "
           "Projektor \nübertragen ?"},
    {1018, "Die Show ist leer.\nDas Starten macht keinen Sinn!"},
    {1019, "Möchten Sie die Show an der markierten Position\nstarten?"},
    {1021, " Diaschauende erreicht..."},
    {1022, "Fehler bei der Kommunikation\nmit dem Projektor"},
    {1023, "Kein Modul im Einsteckschacht!"},
    {1024, "Das Modul ist für die \nSpeicherung zu klein!"},
    {1025, "Das Sicherungsmodul kann keine \nInformationen speichern!"},
    {1047, "Autoreverse"},
    {1060, "Dokument"},
    {1061, "Seite"},
    {1062, "Möchten Sie diesen Eintrag wirklich löschen ?"},
    {1063, "Möchten Sie an dieser Stelle Daten aus der Zwischenablage\neinfügen?"},
    {1068, "Diese Datei tägt nicht die DPD-Kennung!\nDas Laden wird abgebrochen."},
    {1070, "Datei laden"},
    {1071, "Die Verbindung zum Projektor ist gestört!\nDie Übertragung wird abgebrochen."},
    {1072, "Pause !"},
    {1073, "Möchten Sie diese Einträge wirklich löschen ?"},
    {1074, " Diaschauende"},
    {1078, "Vistrel sollte mind. mit einer Auflösung von 800x600 Bildpunkten gestartet werden, da ansonsten die "
           "Übersicht zu stark eingeschränkt ist!"},
    {1080, "Es läuft noch eine Diaschau. Bitte stoppen Sie diese Schau, bevor Sie ein Speichermodul auslesen."},
    {1081, "Das Sicherheitsmodul enthält keine Diaschaudaten !"},
    {1086, "Daten werden aus dem Modul gelesen"},
    {1089, "Die Datei konnte nicht unter dem \nangegebenden Pfad gespeichert\n werden.\n"},
    {1090, "Die angegebende Vistrel-Datei konnte \nnicht geladen werden.\n"},
    {1091, "Beim Laden einer Diaschau werden die \nvorhandenen Daten  überschrieben.\nWollen Sie ein neues Dokument "
           "anlegen ?"},
    {1092, "Es konnte kein neues Dokument angelegt werden.\n"},
    {1094, "Pause"},
    {1095, "Es sind keine Schnittstellen verfügbar!\r\nPrüfen Sie die Schnittstellen oder beenden Sie evtl. laufende "
           "Programme,\r\ndie die Schnittelle belegen."},
    {1099, "Es können keine neuen Zeilen während einer\r\nlaufenden Schau eingegeben werden. \r\nBitte bearbeiten Sie "
           "nur vorhandene Programmzeilen."},
    {59137, "UF"},
    {59138, "NUM"},
    {59139, "RF"},
    {59142, "PAUSE !"},
};

TEST(MessageTexts, EveryPinnedTextIsInTheTableLetterForLetter) {
    for (const PinnedText& pinned : kPinnedTexts) {
        ASSERT_TRUE(res::has(pinned.id)) << pinned.id;
        EXPECT_EQ(std::string(res::text(pinned.id)), pinned.text) << pinned.id;
    }
}

TEST(MessageTexts, NoIdIsGivenTwice) {
    // Two areas giving the same id would leave one of the texts unreachable.
    const std::span<const res::StringEntry> areas[] = {
        res::modelStrings(), res::projectorStrings(), res::shellStrings(),  res::listStrings(),
        res::editorStrings(), res::dialogStrings(),   res::runStrings(),    res::searchStrings(),
        res::safetyStrings(), res::printStrings()};
    std::map<int, int> seen;
    for (const auto& area : areas) {
        for (const auto& entry : area) ++seen[entry.id];
    }
    for (const auto& [id, count] : seen) EXPECT_EQ(count, 1) << id;
}

TEST(MessageTexts, TheGeneralFailureTextTakesItsNumber) {
    EXPECT_EQ(res::formatInt(2100, 4), "Fehlernummer 4 bekommen");
}

}  // namespace
}  // namespace vistrel
