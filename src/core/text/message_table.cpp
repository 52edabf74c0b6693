#include "core/text/message_table.h"

namespace ign {

namespace {
// Entries without a German text of their own show the English one there.
constexpr MessageTriple kTriples[] = {
    {15, "", "", ""},
    {17, "Unmatched version of PC and Ignition programs!",
     "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
     "Neshodné verze proramu v PC a zapalování!"},
    {18, "Unmatched subversion of PC and Ignition programs!", "Inkongruend SubVersion PC und der Zündung!",
     "Neshodné podverze proramu v PC a zapalování!"},
    {19, "Advance", "Vorzündung", "Předstih"},
    {20, "Base", "Basis", "Základní"},
    {21, "Number of programmings", "Programmierungsanzahl", "Počet programování"},
    {22, "Blocking", "Blockierung", "Blokování"},
    {23, "YES", "JA", "ANO"},
    {24, "NO", "NEIN", "NE"},
    {25, "SOFT", "MILDE", "MĚKKÝ"},
    {26, "READY", "BEREIT", "PŘIPRAVEN"},
    {27, "error", "Fehler", "chyba"},
    {30, ", positive polarity", ", positive Polarität", ", kladná polarita"},
    {31, ", negative polarity", ", negative Polarität", ", záporná polarita"},
    {32, "Com opening error!", "Falscher COM-Anschlußes!", "Chyba při otevírání portu Com!"},
    {33, "Open file error!", "Fehler beim öffnen der Datei!", "Chyba při otevírání souboru!"},
    {34, "Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
     "Chcete nastavit základní hodnoty?"},
    {35,
     "Older or another version of *.ign file!\n\n"
     "Some parameters won't be changed or will be set to default value.\n"
     "They are parameters which are not in older version or have another structure.",
     "Älter oder andere Version von Datendatei *.ign!\n\n"
     "Einige Kenndaten werden nicht geändert oder werden implizit Wert gestellt.\n"
     "Sie sind die Kenndaten, die in älter Version nicht sind oder andere Struktur haben",
     "Starší nebo odlišná verze souboru *.ign!\n\n"
     "Některé parametry budou nezměněny nebo nataveny na základní hodnotu.\n"
     "Jsou to parametry, které v této verzi nebyly obsaženy nebo měly jinou strukturu."},
    {36, "Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
     "Neshodná verze souboru *.ign!"},
    {37, "CROSS TRANSFORMATION OF IGN FILE !", nullptr, "MEZIDRUHOVA TRANSFORMACE IGN SOUBORU !"},
    {38, "Pick up system error", "Gebersystemehler", "Chyba v snímacím systému", 40},
    {39, "Pick-up (CKPS)", "Geber(CKPS)", "Snímač (CKPS)"},
    {40, "is running", "läuft", "pracuje"},
    {41, "no signal", "kein Signal", "bez signálu"},
    {42, "Servo =", "Servo =", "Servo ="},
    {43, "desired =", "Sollspanung =", "požadované ="},
    {46, "Quickshift", "Schaltautomat", "Quickshift"},
    {47, "Input", "Eingang", "Vstup"},
    {49, "Kill switch", "Not Aus", "Kill switch"},
    {50, "Open", "Offen", "Otevřený"},
    {51, "Grounded", "zu Erde", "Uzeměn"},
    {52, "Dwell=", "Anfachung=", "Buzení="},
    {53, "Fuel pump", "Kraftstoffpumpe", "Palivová pumpa"},
    {54, "Gear shift light", "Schaltblitz", "Kontrolka řazení"},
    {55, "Power jet", "Power jet", "Power jet"},
    {56, "Special out", "Sonderausgang", "Specielní výstup"},
    {57, "Not used", "Aus", "Nepoužit"},
    {58, "Pulse", "Pulze", "Pulzy"},
    {59, "PWM", "PWM", "PWM"},
    {60, "Dwell", "Anfachung", "Buzení"},
    {61, "opt.", "opt.", "opt."},
    {62,
     "This is a new installation of set software for Kardomex ignitions.\nYou have to read actual setting of "
     "ignition before first programming of unit (the Read button),\nor open valid .ign file (e.g. from "
     "attached CD) !",
     nullptr,
     "Toto je nová instalace setovacího programu pro zapalování Kardomex.\nPřed prvním naprogramováním "
     "jednotky musíte stav připojené jednotky vyčíst (tlačítkem číst),\nnebo otevřít .ign soubor s "
     "odpovídajícím nastavením (například z přiloženého CD) !"},
    {63,
     "There is a different bike chosen in set software and in ignition unit,\n are you sure to reprogram it "
     "?\n",
     nullptr,
     "V setovacím programu je vybrán jiný motocykl než aktuálně nastavený v zapalování,\n jste si jist že "
     "chcete provést v zapalování tuto změnu ?"},
    {64, "Warning", nullptr, "Varování"},
    {65, "Attention", nullptr, "Upozornění"},
    {66, "Retard", "Spätzündung", "Snížení předstihu"},
    {67, "N2O Retard", "N2O Spätzündung", "Snížení předstihu N2O"},
    {68, "Start limiter", "Startbegrenzer", "Startovací omezovač"},
    {69, "Limiter", "Begrenzer", "Omezovač"},
    {70, ", polarity error", ", Fehler Polarität", ", chyba polarity"},
    {71, "Correction for cylinder:", "Korrektur für Zylinder:", "Korekce pro válec:"},
    {72, "Hour meter", "Betriebsstundenzähler", "Počítadlo provozních hodin"},
    {73, "[h:mm]", "[s:mm]", "[h:mm]"},
    {74, "Number of overvoltages on-board", "Anzahl der Überspannungen im Bordnetz",
     "Počet přepětí v palubní síti"},
    {75, "last occurred at", "zuletzt aufgetreten in", "naposledy nastalo v"},
    {76, "Potentiometer", "Potentiometer", "Potenciometr"},
    {77, "Potentiometer correction", "Potentiometer korrektur", "korekce potenciometerem"},
    {78, "Potentiometer correction", "Potentiometer korrektur", "korekce potenciometerem"},
    {79, "Advance correction", "Vorzündungkorrektur", "korekce předstihu"},
    {80, "Start Limiter correction", "Startbegrenzerkorrektur", "korekce start limiteru"},
    {81, "Gear shift light correction", "Schaltblitzkorrektur", "korekce kontrolky řazení"},
    {82, "Correction of acc map switch", "Beschleunigungsschwellekorrektur", "korekce prahu akcel."},
    {83, "Speed", "Geschwindigkeit", "Rychlost"},
    {84, "Gear", "Gang", "Převodový stupeň"},
    {85, "Gear voltage", "Gang Spannung", "GPS napětí"},
    {86, "Acceleration", "Beschleunigung", "Zrychlení"},
    {87, "2nd advance chart", "2.Vorzündung mappe", "2. mapa předstihu"},
    {88, "N2O", "N2O", "N2O"},
    {89, "COM &offline", nullptr, "COM &odpojen"},
    {90, "COM &auto", nullptr, "COM &automaticky"},
    {95, "Tacho Lambda", "Tacho Lambda", "Tacho Lambda"},
    {120, "Printing failed: the printer could not be opened:",
     "Drucken fehlgeschlagen: der Drucker lässt sich nicht öffnen:", "Tisk selhal: tiskárnu nelze otevřít:"},
    {121, "Printing failed: the file could not be written:",
     "Drucken fehlgeschlagen: die Datei lässt sich nicht schreiben:", "Tisk selhal: soubor nelze zapsat:"},
    {122, "Printing failed: a sheet could not be printed.",
     "Drucken fehlgeschlagen: ein Blatt ließ sich nicht drucken.", "Tisk selhal: list nelze vytisknout."},
    {123, "Printing failed:", "Drucken fehlgeschlagen:", "Tisk selhal:"},
    {124, "Test sent to the unit:", "Test an die Zündung gesendet:", "Test odeslán do zapalování:"},
    {125, "Test waits for the next connection to the unit:",
     "Test wartet auf die nächste Verbindung mit der Zündung:", "Test čeká na příští připojení zapalování:"},
};
}  // namespace

std::span<const MessageTriple> MessageTriples() { return kTriples; }

}  // namespace ign
