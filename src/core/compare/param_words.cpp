#include "core/compare/param_words.h"

#include <cstdio>
#include <cstring>
#include <span>
#include <string_view>

#include "core/params/bike_lists.h"
#include "core/text/caption_table.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

constexpr int kPickupSystemWide = 14;       // the lobe byte's bit 7 is the lobe number's bit 6
constexpr int kFunctionSpecialPulse = 253;  // a power output whose PWM map holds periods
constexpr double kPeriodScale = 0.05;       // seconds per stored period step

const char* const kOn = "###on##ein##zapnuto";
const char* const kOff = "###off##aus##vypnuto";
const char* const kNone = "###none##keine##žádné";

constexpr ListItem kLoadSensors[] = {{"###No##keinen##Žádný", 0}, {"TPS", 1}, {"IAP", 2}};
constexpr ListItem kMapModes[] = {{"###rpm only##nur Drehzahl##jen otáčky", 0},
                                  {"###rpm and load##Drehzahl und Last##otáčky a zatížení", 1},
                                  {"###load only##nur Last##jen zatížení", 2}};
constexpr ListItem kInputFunctions[] = {
    {"###Off##Aus##Vypnut", 0},
    {"###Kill switch##Not Aus##Kill switch", 1},
    {"###Blocking##Blockierung##Blokování", 2},
    {"###Quickshift##Schaltautomat##Quickshift", 3},
    {"###Quickshift inv.##Schaltautomat inv.##Quickshift inv.", 4},
    {"###Retard##Spätzündung##Snížení předstihu", 5},
    {"###Start limiter##Startbegrenzer##Startovací omezovač", 6},
    {"###2nd advance chart##2.Vorzündung mappe##2. mapa předstihu", 7},
    {"###Gear##Gang##Převodový stupeň", 8},
    {"###Speed##Tempo##Rychloměr", 9},
    {"N2O", 10},
    {"Tacho/Lambda", 11},
};
constexpr ListItem kOutputFunctions[] = {
    {"###Off##Aus##Vypnuto", 0},
    {"###Fuel pump##Fuel pump##Palivová pumpa", 1},
    {"###Gear shift light##Schaltblitz##Kontrolka řazení", 2},
    {"###Special##Spezial##Speciál", 255},
    {"###Special PWM##Spezial PWM##Speciál PWM", 254},
    {"###Special Pulse##Spezial Pulse##Speciál Pulse", 253},
};

// How a value of a parameter reads.
enum class Kind { Number, Flag, Choice, Lobe, Bits, PwmCell, ServoCell };

struct Rule {
  const char* name;
  DiffPage page;
  const char* packed;  // the caption; "%d" stands for the element's number (from 1)
  Kind kind = Kind::Number;
  const char* unit = "";  // after each value; "" when the caption carries it
  std::span<const ListItem> items = {};
  // A row of the page's caption table that names it instead (the window's own caption).
  const char* captionRow = nullptr;
  int per = 0;  // elements per output (power outputs) or per map
};

using P = DiffPage;

// Every named parameter of the address map, in its order.
const Rule kRules[] = {
    {"TPS", P::Sensors,
     "###Throttle sensor at %d %% [mV]##Drosselklappensensor bei %d %% [mV]##Snímač TPS při %d %% [mV]"},
    {"IAP_SENSOR", P::Sensors,
     "###Pressure sensor, value %d##Drucksensor, Wert %d##Snímač tlaku, hodnota %d"},
    {"ADV_IAP", P::AdvanceMap,
     "###Advance 1, load point %d##Vorzündung 1, Lastpunkt %d##Předstih 1, bod zatížení %d", Kind::Number,
     "kPa"},
    {"ADV2_IAP", P::AdvanceMap,
     "###Advance 2, load point %d##Vorzündung 2, Lastpunkt %d##Předstih 2, bod zatížení %d", Kind::Number,
     "kPa"},
    {"SERVO_IAP", P::Servo, "###Servo, load point %d##Servo, Lastpunkt %d##Servo, bod zatížení %d",
     Kind::Number, "kPa"},
    {"POWER_OUT_TP",
     P::PowerOut,
     "###Power out %d, load point %d##Leistungsausgang %d, Lastpunkt %d##Výkonový výstup %d, bod zatížení %d",
     Kind::Number,
     "",
     {},
     nullptr,
     2},
    {"POWER_OUT_PWM_TP",
     P::PowerOut,
     "###Power out %d PWM, load point %d##Leistungsausgang %d PWM, Lastpunkt %d##Výkonový výstup %d PWM, bod "
     "zatížení %d",
     Kind::Number,
     "",
     {},
     nullptr,
     4},
    {"PROPRIETARY", P::Test,
     "###Proprietary setting %d##Proprietäre Einstellung %d##Proprietární nastavení %d"},
    {"BIKE", P::Bike, nullptr, Kind::Choice, "", BikeItems(), "LabelBike"},
    {"PICKUP1_POLARITY", P::Bike, "###Polarity of pick-up 1##Geberpolarität 1##Polarita snímače 1",
     Kind::Choice, "", PickupPolarityItems()},
    {"PICKUP2_POLARITY", P::Bike, "###Polarity of pick-up 2##Geberpolarität 2##Polarita snímače 2",
     Kind::Choice, "", PickupPolarityItems()},
    {"PICKUPS_INTERCHANGE", P::Bike, nullptr, Kind::Flag, "", {}, "CheckBoxZamenaPickup"},
    {"NO_LOBE_CHECK", P::Bike, nullptr, Kind::Flag, "", {}, "CheckBoxNehlidaPalec"},
    {"INTERLOCK_INPUT", P::Bike, nullptr, Kind::Flag, "", {}, "CheckBoxCrossBlock"},
    {"SPARK_BEFORE_LOBE", P::Bike, nullptr, Kind::Flag, "", {}, "CheckBoxPredPalec"},
    {"SPECIAL_START", P::Bike, nullptr, Kind::Flag, "", {}, "CheckBoxSpecStart"},
    {"SPECIAL_DWELL_START", P::Bike,
     "###Special excitation at start##Besondere Anregung beim Start##Speciální buzení při startu",
     Kind::Flag},
    {"REV_WITHOUT_IGNITION", P::Bike,
     "###Revolutions without ignition##Umdrehungen ohne Zündung##Počet otáček bez zápalu"},
    {"COMPENSATION", P::Bike, nullptr, Kind::Number, "", {}, "LabelKompenz"},
    {"RPM_PULSES", P::Bike, nullptr, Kind::Number, "", {}, "LabelRpmPulsu"},
    {"RPM_CORRECTION", P::Bike, nullptr, Kind::Number, "", {}, "LabelRpmKorekce"},
    {"PICKUP_SYSTEM", P::Bike, nullptr, Kind::Choice, "", PickupSystemItems(), "LabelSynchro"},
    {"LOBE_COUNT", P::Bike, nullptr, Kind::Number, "", {}, "LabelPocPalcu"},
    {"CHANNEL_COUNT", P::Bike, nullptr, Kind::Number, "", {}, "LabelPocKanalu"},
    {"GEBER_MODE", P::Bike, "###Ignitions per revolution##Zündungen pro Umdrehung##Počet zápalů za otáčku",
     Kind::Choice, "", GeberModeItems()},
    {"PICKUP1_LOBES", P::Bike,
     "###Channel %d, lobe of pick-up 1##Kanal %d, Leitstück Geber 1##Kanál %d, výstupek snímače 1",
     Kind::Lobe},
    {"PICKUP2_LOBES", P::Bike,
     "###Channel %d, lobe of pick-up 2##Kanal %d, Leitstück Geber 2##Kanál %d, výstupek snímače 2",
     Kind::Lobe},
    {"FOUR_STROKE", P::Bike, nullptr, Kind::Choice, "", FourStrokeItems(), "LabelFourStrokeIgn"},
    {"SPECIAL_START_PERC", P::Bike, nullptr, Kind::Number, "", {}, "LabelSpecStartPerc"},
    {"LIMITER", P::Miscellaneous, nullptr, Kind::Number, "", {}, "LabelLimiter"},
    {"START_LIM", P::Miscellaneous, nullptr, Kind::Number, "", {}, "LabelStartLimiter"},
    {"START_LIM_DELAY", P::Miscellaneous, nullptr, Kind::Number, "", {}, "LabelStartLimiterDelay"},
    {"CLUTCH_PAUSE", P::Miscellaneous, nullptr, Kind::Number, "", {}, "LabelClutchPause"},
    {"CLUTCH_TIME", P::Miscellaneous, nullptr, Kind::Number, "", {}, "LabelClutchTime"},
    {"RETARD", P::Miscellaneous, "###Retard [°]##Spätzündung [°]##Snížení předstihu [°]"},
    {"EXCITATION", P::Miscellaneous, "###Excitation mode##Anregungsmodus##Režim buzení"},
    {"DWELL", P::Miscellaneous, "###Dwell setting %d##Schließzeit-Einstellung %d##Nastavení buzení %d"},
    {"DUR_DISCHARG", P::Miscellaneous,
     "###Minimum discharge duration##Minimale Entladedauer##Minimální doba výboje"},
    {"DWELL", P::Miscellaneous, "###Dwell setting %d##Schließzeit-Einstellung %d##Nastavení buzení %d"},
    {"TPSIAP_SENSOR", P::Sensors, nullptr, Kind::Choice, "", kLoadSensors, "RadioGroupTpsIap"},
    {"INPUT_FUNCTION", P::Miscellaneous,
     "###Multifunction input %d##Multifunktionseingang %d##Multifunkční vstup %d", Kind::Choice, "",
     kInputFunctions},
    {"INPUT_INVERT", P::Miscellaneous,
     "###Inputs with inverse polarity##Eingänge mit umgekehrter Polarität##Vstupy s opačnou polaritou",
     Kind::Bits},
    {"INPUT_SPARE", P::Miscellaneous, "###Spare input value##Reserve-Eingangswert##Rezervní hodnota vstupu"},
    {"BASE_ADV", P::AdvanceMap, nullptr, Kind::Number, "", {}, "LabelBaseAdv"},
    {"ADV_MAP", P::AdvanceMap, "###Advance 1 map mode##Vorzündung 1 Kartenmodus##Režim mapy předstihu 1",
     Kind::Choice, "", kMapModes},
    {"ADV2_MAP", P::AdvanceMap, "###Advance 2 map mode##Vorzündung 2 Kartenmodus##Režim mapy předstihu 2",
     Kind::Choice, "", kMapModes},
    {"ADV_COLUMNS", P::AdvanceMap,
     "###Advance 1, rpm points in use##Vorzündung 1, benutzte Drehzahlpunkte##Předstih 1, použité body "
     "otáček"},
    {"ADV2_COLUMNS", P::AdvanceMap,
     "###Advance 2, rpm points in use##Vorzündung 2, benutzte Drehzahlpunkte##Předstih 2, použité body "
     "otáček"},
    {"CORR_ADVANCE", P::AdvanceMap,
     "###Advance correction, cylinder %d [°]##Vorzündungskorrektur, Zylinder %d [°]##Korekce předstihu, "
     "válec %d [°]"},
    {"POWER_OUT_FUNCTION", P::PowerOut,
     "###Power out %d, function##Leistungsausgang %d, Funktion##Výkonový výstup %d, funkce", Kind::Choice, "",
     kOutputFunctions, nullptr, 1},
    {"POWER_OUT_RPM",
     P::PowerOut,
     "###Power out %d, rpm point %d [rpm]##Leistungsausgang %d, Drehzahlpunkt %d [rpm]##Výkonový výstup %d, "
     "bod otáček %d [rpm]",
     Kind::Number,
     "",
     {},
     nullptr,
     3},
    {"POWER_OUT_HYSTERESIS",
     P::PowerOut,
     "###Power out %d, hysteresis [rpm]##Leistungsausgang %d, Hysterese [rpm]##Výkonový výstup %d, hystereze "
     "[rpm]",
     Kind::Number,
     "",
     {},
     nullptr,
     1},
    {"POWER_OUT_SPWM_FR",
     P::PowerOut,
     "###Power out %d, frequency [Hz]##Leistungsausgang %d, Frequenz [Hz]##Výkonový výstup %d, frekvence "
     "[Hz]",
     Kind::Number,
     "",
     {},
     nullptr,
     1},
    {"POWER_OUT_SP_PWM",
     P::PowerOut,
     "###Power out %d, PWM duty [%%]##Leistungsausgang %d, PWM-Tastgrad [%%]##Výkonový výstup %d, střída PWM "
     "[%%]",
     Kind::Number,
     "",
     {},
     nullptr,
     1},
    {"POWER_OUT_SPULSE",
     P::PowerOut,
     "###Power out %d, pulse [ms]##Leistungsausgang %d, Puls [ms]##Výkonový výstup %d, puls [ms]",
     Kind::Number,
     "",
     {},
     nullptr,
     1},
    {"POWER_OUT_MASK",
     P::PowerOut,
     "###Power out %d, switch mask %d##Leistungsausgang %d, Schaltmaske %d##Výkonový výstup %d, spínací "
     "maska %d",
     Kind::Bits,
     "",
     {},
     nullptr,
     3},
    {"POWER_OUT_PWM_RPM",
     P::PowerOut,
     "###Power out %d PWM, rpm point %d [rpm]##Leistungsausgang %d PWM, Drehzahlpunkt %d [rpm]##Výkonový "
     "výstup %d PWM, bod otáček %d [rpm]",
     Kind::Number,
     "",
     {},
     nullptr,
     6},
    {"POWER_OUT_PWM", P::PowerOut, nullptr, Kind::PwmCell, "", {}, nullptr, 24},
    {"SERVO_ENABLE", P::Servo, nullptr, Kind::Flag, "", {}, "CheckBoxServoEnable"},
    {"SERVO_PERCENT", P::Servo, "###Servo map in percent##Servo-Karte in Prozent##Mapa serva v procentech",
     Kind::Flag},
    {"SERVO_MAP", P::Servo, "###Servo map mode##Servo-Kartenmodus##Režim mapy serva", Kind::Choice, "",
     kMapModes},
    {"SERVO_COLUMNS", P::Servo,
     "###Servo, rpm points in use##Servo, benutzte Drehzahlpunkte##Servo, použité body otáček"},
    {"SERVO_HYSTER", P::Servo, "###Servo 1/P [mV]##Servo 1/P [mV]##Servo 1/P [mV]"},
    {"SERVO_NO", P::Servo, "###Servo off [mV]##Servo aus [mV]##Servo vypnuto [mV]"},
    {"TEST_SET", P::Test, "###Test rpm [rpm]##Testdrehzahl [rpm]##Testovací otáčky [rpm]"},
    {"TEST_SET", P::Test, "###Servo test time [ms]##Servo-Testzeit [ms]##Čas testu serva [ms]"},
    {"SYNC_POLARITY", P::Bike,
     "###Synchronisation polarity##Synchronisierungspolarität##Polarita synchronizace", Kind::Choice, "",
     SyncPolarityItems()},
    {"RESERVED_389", P::Other, "###Reserved byte 389##Reserviertes Byte 389##Rezervovaný bajt 389"},
    {"FOUR_STROKE_2ND_TURN", P::Bike,
     "###Channels with the 2nd turn##Kanäle mit 2. Runde##Kanály s 2. otáčkou", Kind::Bits},
    {"SERVO_SENSOR", P::Sensors, nullptr, Kind::Number, "", {}, "RadioGroupSensorServa"},
    {"MAX_LOBE_LEN", P::Bike, nullptr, Kind::Number, "", {}, "LabelMaxLenLobe"},
    {"FLYWHEEL_OPERATION", P::Bike,
     "###Operation from the flywheel##Betrieb vom Schwungrad##Provoz ze setrvačníku", Kind::Flag},
    {"ADV2TOOUT2", P::AdvanceMap, nullptr, Kind::Flag, "", {}, "CheckBoxAdv2ToOut2"},
    {"SERVO_RPM", P::Servo,
     "###Servo, rpm point %d [rpm]##Servo, Drehzahlpunkt %d [rpm]##Servo, bod otáček %d [rpm]"},
    {"RPM_ADV", P::AdvanceMap,
     "###Advance 1, rpm point %d [rpm]##Vorzündung 1, Drehzahlpunkt %d [rpm]##Předstih 1, bod otáček %d "
     "[rpm]"},
    {"RPM_ADV2", P::AdvanceMap,
     "###Advance 2, rpm point %d [rpm]##Vorzündung 2, Drehzahlpunkt %d [rpm]##Předstih 2, bod otáček %d "
     "[rpm]"},
    {"ADVANCE", P::AdvanceMap, nullptr, Kind::Number, "°"},
    {"SERVO", P::Servo, nullptr, Kind::ServoCell},
    {"ADVANCE2", P::AdvanceMap, nullptr, Kind::Number, "°"},
};

CaptionPage CaptionPageOf(DiffPage page) {
  switch (page) {
    case P::Miscellaneous: return CaptionPage::Miscellaneous;
    case P::Bike: return CaptionPage::Bike;
    case P::Sensors: return CaptionPage::Sensors;
    case P::AdvanceMap: return CaptionPage::AdvanceMap;
    case P::PowerOut: return CaptionPage::PowerOut;
    case P::Servo: return CaptionPage::Servo;
    case P::Test: return CaptionPage::Test;
    default: return CaptionPage::MainWindow;
  }
}

// A control's caption without its keyboard accelerator marks and trailing blanks.
std::string PlainCaption(std::string text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += text[i];
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The rule of an entry of the address map's table: the n-th entry has the
// n-th rule (RulesFollowAddressMap checks it).
const Rule* RuleOf(const ParamInfo& p) {
  const std::span<const ParamInfo> table = ParamTable();
  const size_t at = size_t(&p - table.data());
  if (at >= std::size(kRules) || std::string_view(kRules[at].name) != p.name) return nullptr;
  return &kRules[at];
}

const Rule kPlain{"", P::Other, nullptr};

std::string Formatted(const char* packed, int first, int second = 0) {
  char text[256];
  std::snprintf(text, sizeof text, LngStr(packed), first, second);
  return text;
}

const char* ItemText(std::span<const ListItem> items, int value) {
  for (const ListItem& item : items)
    if (item.value == value) return LngStr(item.text);
  return nullptr;
}

std::string LobeWords(uint8_t byte, bool wide) {
  const int lobe = (byte & 0x3F) | (wide ? (byte & 0x80) >> 1 : 0);
  std::string text = std::to_string(lobe);
  auto flag = [&](const char* row) {
    if (const CaptionRow* r = FindCaptionRow(PageTextRows(CaptionPage::Bike), row))
      text += ", " + PlainCaption(CaptionText(*r));
  };
  if (byte & 0x40) flag("LabelHrana2");
  if (!wide && (byte & 0x80)) flag("LabelSnimac2");
  return text;
}

std::string BitWords(int value, int bits) {
  std::string text;
  for (int b = 0; b < bits; ++b)
    if (value >> b & 1) text += (text.empty() ? "" : ", ") + std::to_string(b + 1);
  return text.empty() ? LngStr(kNone) : text;
}

std::string WithUnit(const std::string& number, const char* unit) {
  if (!*unit) return number;
  return number + (std::strcmp(unit, "°") == 0 ? "" : " ") + unit;
}

// A fraction of a whole as the map editor shows it: up to two decimals, the
// trailing zeros dropped.
std::string Decimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string s = text;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

}  // namespace

bool RulesFollowAddressMap() {
  for (const ParamInfo& p : ParamTable())
    if (!RuleOf(p)) return false;
  return std::size(kRules) == ParamTable().size();
}

ParamWords WordsOf(const ParamInfo& p, int i) {
  const Rule* found = RuleOf(p);
  const Rule& rule = found ? *found : kPlain;
  ParamWords w;
  w.page = rule.page;
  const int element = p.firstElement + i;
  if (rule.captionRow) {
    if (const CaptionRow* row = FindCaptionRow(PageTextRows(CaptionPageOf(rule.page)), rule.captionRow))
      w.caption = PlainCaption(CaptionText(*row));
  }
  if (w.caption.empty() && rule.packed) {
    if (std::string_view(p.name) == "TPS")
      w.caption = Formatted(rule.packed, element == 0 ? 0 : 100);
    else if (rule.per > 1)
      w.caption = Formatted(rule.packed, element / rule.per + 1, element % rule.per + 1);
    else
      w.caption = Formatted(rule.packed, element + 1);
  }
  if (w.caption.empty()) w.caption = p.name;
  return w;
}

std::string ValueWords(const ParamInfo& p, int i, const Image& img) {
  const Rule* found = RuleOf(p);
  const Rule& rule = found ? *found : kPlain;
  const int shown = ShownValue(img, p, i);
  const int element = p.firstElement + i;
  switch (rule.kind) {
    case Kind::Flag: return LngStr(shown ? kOn : kOff);
    case Kind::Choice:
      if (const char* text = ItemText(rule.items, shown)) return text;
      return std::to_string(shown);
    case Kind::Lobe:
      return LobeWords(img[size_t(p.address + i)], img[Adrb::PICKUP_SYSTEM] == kPickupSystemWide);
    case Kind::Bits: return BitWords(shown, 4);
    case Kind::PwmCell: {
      const int output = element / rule.per;
      if (img[size_t(Adrb::POWER_OUT_FUNCTION + output)] == kFunctionSpecialPulse)
        return Decimal(shown * kPeriodScale) + " s";
      return WithUnit(GroupedNumber(shown), "%");
    }
    case Kind::ServoCell:
      if (img[Adrb::SERVO_PERCENT]) return WithUnit(GroupedNumber(img[size_t(p.address + i)]), "%");
      return Decimal(shown / 1000.0) + " V";
    case Kind::Number: break;
  }
  if (std::string_view(p.name) == "RPM_PULSES" && shown < 0) {
    static const char* const kPickup[2] = {"###pick-up 1##Geber 1##snímač 1",
                                           "###pick-up 2##Geber 2##snímač 2"};
    return LngStr(kPickup[shown == -1 ? 0 : 1]);
  }
  return WithUnit(GroupedNumber(shown), rule.unit);
}

}  // namespace ign
