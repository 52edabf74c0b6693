#include "core/text/caption_table.h"

namespace ign {

namespace {

// Menu captions. The three device buttons carry their menu command, so their
// rows repeat the command's caption.
constexpr CaptionRow kMenuCaptions[] = {
    {"MenuFile", "&File", "&Datei", "&Soubor"},
    {"MenuNew", "&New", "&Neu", "&Nový"},
    {"MenuNewPage", "&New for actual page", "&Neu für aktuelle Seite", "&Nový pro aktuální záložku"},
    {"MenuOpen", "&Open", "&Öffnen", "&Otevřít"},
    {"MenuOpenExeDir", "Open from exe dir", "Öffnen aus exe dir", "Otevřít z exe dir"},
    {"MenuOpenPage", "Open for actual page", "Öffnen für aktuelle Seite", "&Otevřít pro aktuální záložku"},
    {"MenuSave", "&Save", "&Speichern", "&Uložit"},
    {"MenuSaveExeDir", "Save to exe dir", "Speichern in exe dir", "Uložit do exe dir"},
    {"MenuPrint", "&Print", "&Drucken", "&Tisk"},
    {"MenuPrintAll", "Print all", "Drucken alles", "Tisk vše"},
    {"MenuExit", "E&xit", "&Beenden", "&Konec"},
    {"MenuCom", "&Com", "&COM-Anschluß", "&Port"},
    {"MenuDevice", "&Ignition", "&Zündung", "&Zapalování"},
    {"MenuRead", "&Read", "&Lesen", "Čí&st"},
    {"ButtonRead", "&Read", "&Lesen", "Čí&st"},
    {"MenuVerify", "&Verify", "&Vergleichen", "&Verifikovat"},
    {"ButtonVerify", "&Verify", "&Vergleichen", "&Verifikovat"},
    {"MenuProgram", "&Program", "&Programmieren", "&Programovat"},
    {"ButtonProgram", "&Program", "&Programmieren", "&Programovat"},
    {"MenuUnitHistory", "Unit &history...", "&Geräteverlauf...", "&Historie jednotky..."},
    {"MenuCompareUnit", "Compare with &unit", "Mit &Gerät vergleichen", "Porovnat s &jednotkou"},
    {"MenuCompareFile", "Compare with &file...", "Mit &Datei vergleichen...", "Porovnat se &souborem..."},
    {"MenuTools", "Tools", "Werkzeuge", "Pomůcky"},
    {"MenuAdvanceMinus", "Advance -", "Vorzündung -", "Předstih -"},
    {"MenuAdvancePlus", "Advance +", "Vorzündung +", "Předstih +"},
    {"MenuZpet", "Undo", "Zurück", "Zpět"},
    {"MenuZnovu", "Redo", "Wieder", "Znovu"},
    {"MenuMonitorPlayer", "Monitor player", "Monitor-Player", "Přehrávač monitoru"},
    {"MenuLanguage", "&Language", "&Sprache", "&Jazyk"},
    {"MenuEnglish", "&English", "&Englisch - English", "&Anglicky - English"},
    {"MenuGerman", "&German - Deutsch", "&Deutsch", "&Německy - Deutsch"},
    {"MenuCzech", "&Czech - Česky", "&Tschechisch - Česky", "Če&sky"},
    {"MenuHelp", "&Help", "&Hilfe", "Nápověda"},
    {"MenuContens", "&Contents...", "&Inhalt...", "Obsah"},
    {"MenuAbout", "&About...", "&Über Programm...", "&O programu..."},
};

// Hints. A speed button and the menu item of the same command have one row
// each; the three language items read the same in every language.
constexpr CaptionRow kHints[] = {
    {"LabelVerze1", "Version of program in ignition", "Programmversion der Zündung",
     "Verze programu v zapalování"},
    {"LabelVerze2", "Date of program in ignition", "Datum des Programms in der Zündung",
     "Datum zhotovení programu v zapalování"},
    {"LabelVerze3", "Time of program in ignition", "Programmierzeitpunkt der Zündung",
     "Čas zhotovení programu v zapalování"},
    {"SpeedButtonOpen", "Open file with parameters", "Kenndatendatei öffnen", "Otevření souboru s parametry"},
    {"MenuOpen", "Open file with parameters", "Kenndatendatei öffnen", "Otevření souboru s parametry"},
    {"SpeedButtonNew", "Set default parameters", "Neue Kenndatendatei erstellen",
     "Nastavení výchozích parametrů"},
    {"SpeedButtonSave", "Save parameters to file", "Kenndaten in Datei speichern",
     "Uložení parametrů do souboru"},
    {"MenuSave", "Save parameters to file", "Kenndaten in Datei speichern", "Uložení parametrů do souboru"},
    {"SpeedButtonPrint", "Print parameters", "Kenndaten drucken", "Tisk parametrů"},
    {"MenuPrint", "Print parameters", "Kenndaten drucken", "Tisk parametrů"},
    {"ButtonProgram", "Programming set parameters to ignition", "Kenndaten in die Zündung programmieren",
     "Programování nastavených parametrů do zapalování"},
    {"MenuProgram", "Programming set parameters to ignition", "Kenndaten in die Zündung programmieren",
     "Programování nastavených parametrů do zapalování"},
    {"ButtonVerify", "Compare set parameters with parameters of ignition",
     "Kenndaten mit Zündungskenndaten vergleichen",
     "Ověření, zda nastavené parametry souhlasí s parametry naprogramovanými do zapalování"},
    {"MenuVerify", "Compare set parameters with parameters of ignition",
     "Kenndaten mit Zündungskenndaten vergleichen",
     "Ověření, zda nastavené parametry souhlasí s parametry naprogramovanými do zapalování"},
    {"ButtonRead", "Reading parameters from ignition", "Kenndaten aus Zündung lesen",
     "Čtení parametrů ze zapalování"},
    {"MenuRead", "Reading parameters from ignition", "Kenndaten aus Zündung lesen",
     "Čtení parametrů ze zapalování"},
    {"MenuNew", "Set default parameters", "Neue Kenndatendatei erstellen", "Nastavení výchozích parametrů"},
    {"MenuExit", "End of program", "Programm beenden", "Ukončení programu"},
    {"MenuLanguage", "Set English or German or Czech", "Wählen Sie Englisch, Deutsch oder Tschechisch",
     "Nastavení jazyka na angličtinu, němčinu nebo češtinu"},
    {"CheckBoxProgHned", "Programming at once after change", "Programmieren sofort nach der Änderung",
     "Programování ihned po změně"},
    {"MenuCom", "Set number of com", "Com-Anschluß festlegen", "Nastavení čísla sériového portu (Com)"},
    {"MenuEnglish", "Set English menu", "Set English menu", "Set English menu"},
    {"MenuGerman", "Deutsches Menü", "Deutsches Menü", "Deutsches Menü"},
    {"MenuCzech", "Nastavit české menu", "Nastavit české menu", "Nastavit české menu"},
};

// ---- Page texts -----------------------------------------------------------------

constexpr CaptionRow kMainWindowTexts[] = {
    {"CheckBoxProgHned", "Programming after change", "Programmierung nach Änderung", "Programování po změně"},
    {"ButtonMonPu", "Pick-up monitor", "Geber-Monitor", "Monitor snímačů"},
    {"LabelDwellCalibError", "Stored dwell calibration value out of limits",
     "Anfachung Kalibrierungswert außerhalb der Grenzwerte", "Uložená kalibrace buzení je mimo limity"},
};

// The multifunction inputs read the word, the input number and their pin.
// While no unit is connected the page writes the input monitor labels itself.
constexpr CaptionRow kMiscellaneousTexts[] = {
    {"TabSheetRuzne", "Miscellaneous", "Verschiedene", "Různé"},
    {"LabelLimiter", "Limiter [rpm]", "Begrenzer [rpm]", "Omezovač [rpm]"},
    {"LabelStartLimiter", "Start limiter [rpm]", "Startbegrenzer [rpm]", "Startovací omezovač [rpm]"},
    {"LabelStartLimiterDelay", "Start limiter delay [ms]", "Startbegrenzer Verzögerung [ms]",
     "Zpoždění start. omezovače [ms]"},
    {"LabelRetard", "Retard [°]", "Spätzündung", "Snížení předstihu"},
    {"LabelClutchTime", "Quickshift time [ms]", "Schaltautomat Zeit [ms]", "Quickshift čas [ms]"},
    {"LabelClutchPause", "Quickshift pause [ms]", "Schaltautomat Pause [ms]", "Quickshift pauza [ms]"},
    {"RadioGroupInput1", "Multifunction input ", "Multifunktionseingang ", "Multifunkční vstup ",
     "1 (pin 8)"},
    {"RadioGroupInput2", "Multifunction input ", "Multifunktionseingang ", "Multifunkční vstup ",
     "2 (pin 19)"},
    {"CheckBoxInverseInput1", "Inverse polarity", "Umgekehrte Polarität", "Opačná polarita"},
    {"CheckBoxInverseInput2", "Inverse polarity", "Umgekehrte Polarität", "Opačná polarita"},
};

constexpr CaptionRow kBikeTexts[] = {
    {"TabSheetBike", "Bike", "Motorrad", "Motocykl"},
    {"LabelBike", "Motorbike type", "Motorrad Typ", "Typ motocyklu"},
    {"GroupBoxRpm", "Tachometer output", "Drehzahlmesserausgang", "Výstup pro otáčkoměr"},
    {"LabelRpmPulsu", "Pulses per revolution", "Pulse pro Umdrehung", "Počet pulsů za otáčku"},
    {"LabelRpmKorekce", "Correction [%]", "Korrektur [%]", "Korekce [%]"},
    {"RadioGroupPickup1Polarita", "Polarity of pick-up", "Geberpolarität", "Polarita snímače"},
    {"RadioGroupPickup2Polarita", "Polarity of pick-up", "Geberpolarität", "Polarita snímače"},
    {"CheckBoxZamenaPickup", "Pickups interchange (pin 9 and 20)", "Geber vertauschen (pin 9 und 20)",
     "Záměna snímačů (pin 9 a 20)"},
    {"CheckBoxNehlidaPalec", "No polarity check", "Keine Polaritätskontrolle", "Nehlídá polaritu"},
    {"CheckBoxCrossBlock", "Interlock input", "Interlock-Eingang", "Vzájemné blokování vstupů"},
    {"CheckBoxPredPalec", "Spark possible before virtual lobe", "Zündung möglich auch vor Leitstück",
     "Možnost zápalu i před virtuálním výstupkem"},
    {"CheckBoxSpecStart", "Lower advance by start (next edge)",
     "Kleinere Vorzündung beim Start (andere Kante)", "Nižší předstih při startu (další hrana)"},
    {"LabelSpecStartPerc", "Lower advance by start [%]", "Kleinere Vorzündung beim Start [%]",
     "Nižší předstih při startu [%]"},
    {"LabelKompenz", "Compensation ", "Kompensation ", "Kompenzace "},
    {"LabelMaxLenLobe", "Max length of virtual lobe [ms]", "Maximale Länge des virtuellen Vorsprungs [ms]",
     "Maximální délka virtuálního výstupku [ms]"},
    {"LabelFourStrokeIgn", "Ignition only during compression stroke (Four stroke mode)",
     "Zündung nur während des Verdichtungshubs (4-Takt Modus)",
     "Zapalovat jen v kompresním zdvihu (4 taktní režim)"},
    {"GroupBoxSpecial", "Synchronization details - Caution - For experienced users only!",
     "Spezifikation der Synchronisierung - Achtung - Nur für erfahrene Anwender!",
     "Popis synchronizace - Pozor - pouze pro zkušené uživatele!"},
    {"LabelSynchro", "Synchronization method", "Synchronisierungsmethode", "Způsob synchronizace"},
    {"LabelPocPalcu", "Number of lobes at rotor", "Leitstückzahl des Rotors", "Počet výstupků na rotoru"},
    {"LabelPocKanalu", "Number of outputs (coils)", "Ausgangsanzahl (Spulen)", "Počet výstupů (cívek)"},
    {"GroupBoxPalec1", "Channel", "Kanal", "Kanál", " 1"},
    {"GroupBoxPalec2", "Channel", "Kanal", "Kanál", " 2"},
    {"GroupBoxPalec3", "Channel", "Kanal", "Kanál", " 3"},
    {"GroupBoxPalec4", "Channel", "Kanal", "Kanál", " 4"},
    {"LabelPalec1Zac", "Maximum advance", "Maximale Vorzündung", "Maximální předstih"},
    {"LabelPalec2Zac", "Maximum advance", "Maximale Vorzündung", "Maximální předstih"},
    {"LabelPalec3Zac", "Maximum advance", "Maximale Vorzündung", "Maximální předstih"},
    {"LabelPalec4Zac", "Maximum advance", "Maximale Vorzündung", "Maximální předstih"},
    {"LabelPalec1End", "Start advance", "Start Vorzündung", "Startovací předstih"},
    {"LabelPalec2End", "Start advance", "Start Vorzündung", "Startovací předstih"},
    {"LabelPalec3End", "Start advance", "Start Vorzündung", "Startovací předstih"},
    {"LabelPalec4End", "Start advance", "Start Vorzündung", "Startovací předstih"},
    {"LabelLobe", "Lobe", "Leitstück", "Výstupek"},
    {"LabelHrana2", "2nd Edge", "2.Kante", "2.hrana"},
    {"LabelSnimac2", "2nd Pick-up", "2.Geber", "2.snímač"},
    {"LabelSnimac3", "Full Sync.", "VollSync.", "Plné sync."},
    {"LabelSnimac4", "2nd turn", "2.Runde", "2.otáčka"},
};

// The Sensors, Power out and Servo tab sheets keep their layout captions in
// every language.
constexpr CaptionRow kSensorsTexts[] = {
    {"RadioGroupTpsIap", "Load sensor", "Lastsensor", "Senzor zatížení"},
    {"RadioGroupSensorServa", "Servo sensor", "Servo-Sensor", "Senzor serva"},
};

// LabelCorections shows a message-table entry instead.
constexpr CaptionRow kAdvanceMapTexts[] = {
    {"TabSheetAdvance", "Advance Map", "Vorzündung Karte", "Mapa předstihu"},
    {"LabelBaseAdv", "Base advance [°]", "Basis Vorzündung [°]", "Základní předstih [°]"},
    {"CheckBoxAdv2ToOut2", "Use Advance 2 for ignition outputs 2 && 3",
     "Verwenden Sie Advance 2 für Zündausgänge 2 && 3", "Použít Advance 2 pro zapalovací výstupy 2 && 3"},
};

// Roles: the page writes each text into the matching label of both outputs.
constexpr CaptionRow kPowerOutTexts[] = {
    {"*Hysteresis", "Hysteresis [RPM]", "Hysterese [RPM]", "Hystereze [RPM]"},
    {"*Pulse", "Pulse [ms]", "Puls [ms]", "Puls [ms]"},
    {"*Frequency", "Frequency [Hz]", "Frequenz [Hz]", "Frekvence [Hz]"},
};

constexpr CaptionRow kServoTexts[] = {
    {"CheckBoxServoEnable", "Servo enable", "Servo ein", "Servo zapnuto"},
    {"CheckBoxServoProcenta", "Percent", "Prozent", "Procent"},
    {"LabelServoHyster", "1/P [mV]", "1/P [mV]", "1/P [mV]"},
    {"LabelServoNo", "Off [mV]", "Aus [mV]", "Vypnuto [mV]"},
};

// The four test buttons read the word of their group box and their number.
// GroupBoxProprietary shows a language-packed string of the page.
constexpr CaptionRow kTestTexts[] = {
    {"TabSheet_Ladeni", "Test", "Test", "Test"},
    {"GroupBoxTestIgn", "&Ignition", "&Zündung", "&Zapalování"},
    {"ButtonTestIgn1", "&Ignition", "&Zündung", "&Zapalování", " 1"},
    {"ButtonTestIgn2", "&Ignition", "&Zündung", "&Zapalování", " 2"},
    {"ButtonTestIgn3", "&Ignition", "&Zündung", "&Zapalování", " 3"},
    {"ButtonTestIgn4", "&Ignition", "&Zündung", "&Zapalování", " 4"},
    {"GroupBoxTestPOut", "Power out", "Leistungsausgang", "Výkonový výstup"},
    {"GroupBoxTestRpm", "Rpm", "Drehzahl", "Otáčky"},
    {"LabelTestServo", "Time [ms]", "Zeit [ms]", "Čas [ms]"},
    {"ButtonTestRpm", "Tachometer", "Tachometer", "Otáčkoměr"},
    {"LabelHourMeter", "Hour meter", "Betriebsstundenzähler", "Počítadlo provozních hodin"},
};

}  // namespace

std::span<const CaptionRow> MenuCaptionRows() { return kMenuCaptions; }

std::span<const CaptionRow> HintRows() { return kHints; }

std::span<const CaptionRow> PageTextRows(CaptionPage page) {
  switch (page) {
    case CaptionPage::MainWindow: return kMainWindowTexts;
    case CaptionPage::Miscellaneous: return kMiscellaneousTexts;
    case CaptionPage::Bike: return kBikeTexts;
    case CaptionPage::Sensors: return kSensorsTexts;
    case CaptionPage::AdvanceMap: return kAdvanceMapTexts;
    case CaptionPage::PowerOut: return kPowerOutTexts;
    case CaptionPage::Servo: return kServoTexts;
    case CaptionPage::Test: return kTestTexts;
  }
  return {};
}

const char* CaptionText(const CaptionRow& row, int language) {
  if (language == LNG_CURRENT) language = CurrentLanguage();
  switch (language) {
    case LNG_DEUTSCH: return row.german ? row.german : row.english;
    case LNG_CESKY: return row.czech;
    default: return row.english;
  }
}

std::string CaptionWithSuffix(const CaptionRow& row, int language) {
  return std::string(CaptionText(row, language)) + row.suffix;
}

const CaptionRow* FindCaptionRow(std::span<const CaptionRow> table, std::string_view name) {
  for (const CaptionRow& row : table) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

}  // namespace ign
