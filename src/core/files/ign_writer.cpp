#include "core/files/ign_writer.h"

#include <cstdio>

#include "core/base/atomic_file.h"
#include "core/params/lobe.h"
#include "core/params/value.h"
#include "core/text/codepage.h"

namespace ign {
namespace {

// Builds the text with line feeds; Finish turns them into CR LF.
class CIgnText {
 public:
  void Keyword(const char* keyword) {
    text_ += '\n';
    text_ += keyword;
    const int len = int(std::string_view(keyword).size());
    text_.append(size_t(KeywordWidth(len) - len), ' ');
  }
  void Line() {
    text_ += '\n';
    text_.append(kIgnIndent, ' ');
  }
  void Value(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%5i ", v);
    text_ += buf;
  }
  void Raw(std::string_view s) { text_ += s; }

  std::string Finish() const {
    std::string out;
    out.reserve(text_.size() + text_.size() / 16);
    for (char c : text_) {
      if (c == '\n') out += '\r';
      out += c;
    }
    return out;
  }

 private:
  std::string text_;
};

void Bytes(CIgnText& t, const Image& img, int adrb, int count, int scale = 1, int offset = 0) {
  for (int i = 0; i < count; ++i) t.Value(ReadByteValue(img, adrb, i, scale, offset));
}
void Words(CIgnText& t, const Image& img, int adrw, int count, int element = 0) {
  for (int i = 0; i < count; ++i) t.Value(ReadWordValue(img, adrw, element + i));
}
void Bits(CIgnText& t, uint8_t b, int count) {
  for (int i = 0; i < count; ++i) t.Value((b >> i) & 1);
}

void One(CIgnText& t, const Image& img, const char* keyword, int adrb, int scale = 1, int offset = 0) {
  t.Keyword(keyword);
  t.Value(ReadByteValue(img, adrb, 0, scale, offset));
}

// 150 map cells, one row of 15 per line.
void Map(CIgnText& t, const Image& img, const char* keyword, int base, int scale, int offset) {
  t.Keyword(keyword);
  for (int r = 0; r < kMapRows; ++r) {
    if (r > 0) t.Line();
    Bytes(t, img, base + kMapCols * r, kMapCols, scale, offset);
  }
  t.Line();
}

void Bike(CIgnText& t, const Image& img) {
  using namespace Adrb;
  One(t, img, "BIKE", BIKE);
  t.Line();
  Bytes(t, img, PICKUP_SYSTEM, 3);
  const bool wide = IsWideLobeSystem(img[PICKUP_SYSTEM]);
  for (int ch = 0; ch < 4; ++ch)
    for (int base : {PICKUP1_LOBES, PICKUP2_LOBES}) {
      const Lobe l = DecodeLobe(img[base + ch], wide);
      t.Line();
      t.Value(l.number);
      t.Value(l.secondEdge ? 1 : 0);
      t.Value(!wide && l.secondPickup ? 1 : 0);
    }
  t.Line();
  t.Line();
  t.Value(img[REV_WITHOUT_IGNITION]);
  for (int i = 0; i < 4; ++i) t.Value(img[COMPENSATION]);
}

void Pickups(CIgnText& t, const Image& img) {
  using namespace Adrb;
  One(t, img, "FOUR_STROKE", FOUR_STROKE);
  t.Keyword("FOUR_STROKE_2ND_TURN");
  Bits(t, img[FOUR_STROKE_2ND_TURN], 4);
  One(t, img, "BASE_ADV", BASE_ADV);
  t.Keyword("CORR_ADVANCE");
  Bytes(t, img, CORR_ADVANCE, 4, 1, -100);
  One(t, img, "ADV2TOOUT2", ADV2TOOUT2);
  One(t, img, "GEBER_MODE", GEBER_MODE);
  t.Keyword("INPUT");
  Bytes(t, img, PICKUP1_POLARITY, 2);
  Bytes(t, img, INPUT_FUNCTION, 2);
  t.Value(img[INPUT_SPARE]);
  // "INPUT" carries no polarity of the inputs; an inverted input 1 or 2 is
  // kept by the input keywords of older files, which every reader knows.
  if (img[INPUT_INVERT] & 3)
    for (int i = 0; i < 2; ++i) {
      t.Keyword(i == 0 ? "INPUT1" : "INPUT2");
      t.Value(img[INPUT_FUNCTION + i]);
      t.Value((img[INPUT_INVERT] >> i) & 1);
    }
  One(t, img, "SYNC_POLARITY", SYNC_POLARITY);
  One(t, img, "MAX_LOBE_LEN", MAX_LOBE_LEN);
  const std::pair<const char*, int> flags[] = {{"PICKUPS_INTERCHANGE", PICKUPS_INTERCHANGE},
                                               {"NO_LOBE_CHECK", NO_LOBE_CHECK},
                                               {"INTERLOCK_INPUT", INTERLOCK_INPUT},
                                               {"SPARK_BEFORE_LOBE", SPARK_BEFORE_LOBE},
                                               {"SPECIAL_START", SPECIAL_START},
                                               {"SPECIAL_START_PERC", SPECIAL_START_PERC},
                                               {"FLYWHEEL_OPERATION", FLYWHEEL_OPERATION}};
  for (auto [keyword, adrb] : flags) One(t, img, keyword, adrb);
}

void Misc(CIgnText& t, const Image& img) {
  using namespace Adrb;
  One(t, img, "LIMITER", LIMITER);
  One(t, img, "START_LIM", START_LIM);
  One(t, img, "START_LIM_DELAY", START_LIM_DELAY, 100);
  t.Keyword("CLUTCH");
  t.Value(ReadByteValue(img, CLUTCH_TIME, 0, 5));
  t.Value(ReadByteValue(img, CLUTCH_PAUSE, 0, 10));
  t.Line();
  One(t, img, "RETARD", RETARD);
  t.Keyword("RPM");
  t.Value(img[RPM_PULSES]);  // unsigned: 255 and 254 stand for the pick-ups
  t.Value(ReadByteValue(img, RPM_CORRECTION, 0, 1, -100));
  t.Keyword("PROPRIETARY");
  Words(t, img, Adrw::PROPRIETARY, 5, kSignedFlag);
  One(t, img, "TPSIAP_SENSOR", TPSIAP_SENSOR);
  t.Keyword("TPS");
  Words(t, img, Adrw::TPS, 2);
  t.Keyword("IAP_SENSOR");
  Words(t, img, Adrw::IAP_SENSOR, 4);
  One(t, img, "SERVO_SENSOR", SERVO_SENSOR);
  t.Line();
}

struct AdvanceMapKeys {
  const char *map, *iap, *columns, *rpm, *cells;
  int mapAdr, iapAdr, columnsAdr, rpmAdr, cellsAdr;
};

void AdvanceMap(CIgnText& t, const Image& img, const AdvanceMapKeys& k) {
  One(t, img, k.map, k.mapAdr);
  t.Keyword(k.iap);
  Words(t, img, k.iapAdr, kMapRows);
  One(t, img, k.columns, k.columnsAdr);
  t.Keyword(k.rpm);
  Bytes(t, img, k.rpmAdr, kMapCols, 100);
  Map(t, img, k.cells, k.cellsAdr, 1, -100);
}

void Servo(CIgnText& t, const Image& img) {
  using namespace Adrb;
  One(t, img, "SERVO_ENABLE", SERVO_ENABLE);
  One(t, img, "SERVO_PERCENT", SERVO_PERCENT);
  One(t, img, "SERVO_HYSTER", SERVO_HYSTER, 5);
  One(t, img, "SERVO_NO", SERVO_NO);
  One(t, img, "SERVO_MAP", SERVO_MAP);
  t.Keyword("SERVO_IAP");
  Words(t, img, Adrw::SERVO_IAP, kMapRows);
  One(t, img, "SERVO_COLUMNS", SERVO_COLUMNS);
  t.Keyword("SERVO_RPM");
  Bytes(t, img, SERVO_RPM, kMapCols, 100);
  Map(t, img, "SERVO", SERVO, 20, 0);
}

void PowerOutput(CIgnText& t, const Image& img, int k) {
  using namespace Adrb;
  char kw[32];
  std::snprintf(kw, sizeof kw, "POWER_OUT%i", k + 1);
  One(t, img, kw, POWER_OUT_FUNCTION + k);
  t.Line();
  Bytes(t, img, POWER_OUT_RPM + 3 * k, 3, 100);
  t.Value(ReadByteValue(img, POWER_OUT_HYSTERESIS + k, 0, 10));
  t.Line();
  Words(t, img, Adrw::POWER_OUT_TP + 2 * k, 2);
  for (int m = 0; m < 3; ++m) {
    t.Line();
    Bits(t, img[POWER_OUT_MASK + 3 * k + m], 4);
  }
  std::snprintf(kw, sizeof kw, "POWER_OUT%i_SP_PWM", k + 1);
  One(t, img, kw, POWER_OUT_SP_PWM + k);
  std::snprintf(kw, sizeof kw, "POWER_OUT%i_SPWM_FR", k + 1);
  One(t, img, kw, POWER_OUT_SPWM_FR + k);
  std::snprintf(kw, sizeof kw, "POWER_OUT%i_SPULSE", k + 1);
  One(t, img, kw, POWER_OUT_SPULSE + k, 5);
  std::snprintf(kw, sizeof kw, "POWER_OUT%i_PWM", k + 1);
  t.Keyword(kw);
  Bytes(t, img, POWER_OUT_PWM_RPM + 6 * k, 6, 100);
  t.Line();
  Words(t, img, Adrw::POWER_OUT_PWM_TP + 4 * k, 4);
  for (int r = 0; r < 4; ++r) {
    t.Line();
    Bytes(t, img, POWER_OUT_PWM + 24 * k + 6 * r, 6);
  }
}

void Versions(CIgnText& t, const IgnVersions& v) {
  t.Keyword("VERSIONS");
  t.Raw("\nHEX   " + Utf8ToCp1250(v.hexDate) + "\t" + Utf8ToCp1250(v.hexTime) + "\t" +
        Utf8ToCp1250(v.hexVersion));
  t.Raw("\nHW/FW  " + Utf8ToCp1250(UnitVersionsText(v.unit, v.versionText)));
  t.Raw("\nEXE    " + Utf8ToCp1250(v.exeDate) + "\t" + Utf8ToCp1250(v.exeTime));
  t.Line();
  if (!v.calibration) return;
  const char* keys[3] = {"Mon_Calib_CoefEE", "Mon_Calib_CoefFLASH", "Mon_Calib_CoefNEW"};
  for (int i = 0; i < 3; ++i) {
    t.Keyword(keys[i]);
    t.Raw(std::to_string((*v.calibration)[size_t(i)]));
  }
}

// In the order WriteSettingsFile writes them; a test holds the two together.
constexpr std::string_view kWrittenSections[] = {
    "BIKE",
    "FOUR_STROKE",
    "FOUR_STROKE_2ND_TURN",
    "BASE_ADV",
    "CORR_ADVANCE",
    "ADV2TOOUT2",
    "GEBER_MODE",
    "INPUT",
    "SYNC_POLARITY",
    "MAX_LOBE_LEN",
    "PICKUPS_INTERCHANGE",
    "NO_LOBE_CHECK",
    "INTERLOCK_INPUT",
    "SPARK_BEFORE_LOBE",
    "SPECIAL_START",
    "SPECIAL_START_PERC",
    "FLYWHEEL_OPERATION",
    "LIMITER",
    "START_LIM",
    "START_LIM_DELAY",
    "CLUTCH",
    "RETARD",
    "RPM",
    "PROPRIETARY",
    "TPSIAP_SENSOR",
    "TPS",
    "IAP_SENSOR",
    "SERVO_SENSOR",
    "ADV_MAP",
    "ADV_IAP",
    "ADV_COLUMNS",
    "RPM_ADV",
    "ADVANCE",
    "ADV2_MAP",
    "ADV2_IAP",
    "ADV2_COLUMNS",
    "RPM_ADV2",
    "ADVANCE2",
    "SERVO_ENABLE",
    "SERVO_PERCENT",
    "SERVO_HYSTER",
    "SERVO_NO",
    "SERVO_MAP",
    "SERVO_IAP",
    "SERVO_COLUMNS",
    "SERVO_RPM",
    "SERVO",
    "POWER_OUT1",
    "POWER_OUT1_SP_PWM",
    "POWER_OUT1_SPWM_FR",
    "POWER_OUT1_SPULSE",
    "POWER_OUT1_PWM",
    "POWER_OUT2",
    "POWER_OUT2_SP_PWM",
    "POWER_OUT2_SPWM_FR",
    "POWER_OUT2_SPULSE",
    "POWER_OUT2_PWM",
    "VERSIONS",
};

}  // namespace

std::span<const std::string_view> IgnWrittenSections() { return kWrittenSections; }

std::string WriteSettingsFile(const Image& img, const IgnVersions& versions) {
  CIgnText t;
  char head[64];
  std::snprintf(head, sizeof head, "%s   %5i %s/%s", kIgnKey, kIgnFileVersion, kIgnProductCode,
                kIgnProductCode);
  t.Raw(head);
  t.Line();
  Bike(t, img);
  Pickups(t, img);
  Misc(t, img);
  using namespace Adrb;
  AdvanceMap(t, img,
             {"ADV_MAP", "ADV_IAP", "ADV_COLUMNS", "RPM_ADV", "ADVANCE", ADV_MAP, Adrw::ADV_IAP, ADV_COLUMNS,
              RPM_ADV, ADVANCE});
  AdvanceMap(t, img,
             {"ADV2_MAP", "ADV2_IAP", "ADV2_COLUMNS", "RPM_ADV2", "ADVANCE2", ADV2_MAP, Adrw::ADV2_IAP,
              ADV2_COLUMNS, RPM_ADV2, ADVANCE2});
  Servo(t, img);
  PowerOutput(t, img, 0);
  PowerOutput(t, img, 1);
  Versions(t, versions);
  return t.Finish();
}

bool SaveSettingsFile(const std::string& path, const Image& img, const IgnVersions& versions) {
  return WriteFileAtomically(path, WriteSettingsFile(img, versions));
}

}  // namespace ign
