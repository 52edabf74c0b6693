#include "core/compare/difference_words.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/compare/param_words.h"
#include "core/params/address_map.h"
#include "core/text/caption_table.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

constexpr int kLoadPressure = 2, kLoadThrottle = 1;  // TPSIAP_SENSOR
// The load rows of the advance and servo maps with a throttle sensor, in %.
constexpr int kThrottlePoints[kMapRows] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
constexpr int kPwmColumns = 6, kPwmRows = 4, kSwitchPoints = 3, kSwitchLoads = 2;

const char* const kAt = "###%s at %s / %s##%s bei %s / %s##%s při %s / %s";
const char* const kRow = "###row %d##Zeile %d##řádek %d";

// What a map is made of in the image.
struct MapLayout {
  MapKind kind;
  const char* name;  // packed; "%d" the output's number
  const char* cells;
  const char* rpm;
  const char* load;
  int columnsByte;  // the used rpm columns, or 0 for a map that always uses all
  int rpmByte, loadWord;
  bool fixedThrottleRows;  // with a throttle sensor the rows are the fixed throttle points
};

const MapLayout kMaps[] = {
    {MapKind::Advance1, "###Advance 1##Vorzündung 1##Předstih 1", "ADVANCE", "RPM_ADV", "ADV_IAP",
     Adrb::ADV_COLUMNS, Adrb::RPM_ADV, Adrw::ADV_IAP, true},
    {MapKind::Advance2, "###Advance 2##Vorzündung 2##Předstih 2", "ADVANCE2", "RPM_ADV2", "ADV2_IAP",
     Adrb::ADV2_COLUMNS, Adrb::RPM_ADV2, Adrw::ADV2_IAP, true},
    {MapKind::Servo, "Servo", "SERVO", "SERVO_RPM", "SERVO_IAP", Adrb::SERVO_COLUMNS, Adrb::SERVO_RPM,
     Adrw::SERVO_IAP, true},
    {MapKind::PwmOut1, "###Power out %d PWM##Leistungsausgang %d PWM##Výkonový výstup %d PWM",
     "POWER_OUT_PWM", "POWER_OUT_PWM_RPM", "POWER_OUT_PWM_TP", 0, Adrb::POWER_OUT_PWM_RPM,
     Adrw::POWER_OUT_PWM_TP, false},
};

int UsedColumns(const Image& img, int columnsByte) {
  return columnsByte ? std::clamp<int>(img[size_t(columnsByte)], 1, kMapCols) : kMapCols;
}

// Where element e of p lies in a map, and whether a column past the used
// count of both images makes it a copy nobody edits.
MapPlace PlaceOf(const ParamInfo& p, int e, const Image& a, const Image& b, bool& unused) {
  const std::string_view name = p.name;
  unused = false;
  for (const MapLayout& m : kMaps) {
    const bool pwm = m.kind == MapKind::PwmOut1;
    const int used = std::max(UsedColumns(a, m.columnsByte), UsedColumns(b, m.columnsByte));
    if (name == m.cells) {
      if (pwm)
        return {MapKind(int(MapKind::PwmOut1) + e / (kPwmColumns * kPwmRows)), e % kPwmColumns,
                e % (kPwmColumns * kPwmRows) / kPwmColumns};
      unused = e % kMapCols >= used;
      return {m.kind, e % kMapCols, e / kMapCols};
    }
    if (name == m.rpm) {
      if (pwm) return {MapKind(int(MapKind::PwmOut1) + e / kPwmColumns), e % kPwmColumns, -1};
      unused = e >= used;
      return {m.kind, e, -1};
    }
    if (name == m.load) {
      if (pwm) return {MapKind(int(MapKind::PwmOut1) + e / kPwmRows), -1, e % kPwmRows};
      return {m.kind, -1, e};
    }
  }
  if (name == "POWER_OUT_RPM")
    return {MapKind(int(MapKind::SwitchOut1) + e / kSwitchPoints), e % kSwitchPoints, -1};
  if (name == "POWER_OUT_TP")
    return {MapKind(int(MapKind::SwitchOut1) + e / kSwitchLoads), -1, e % kSwitchLoads};
  return {};
}

const MapLayout* LayoutOfCell(const ParamInfo& p) {
  for (const MapLayout& m : kMaps)
    if (std::string_view(p.name) == m.cells) return &m;
  return nullptr;
}

std::string Printf(const char* format, const std::string& a, const std::string& b, const std::string& c) {
  char text[512];
  std::snprintf(text, sizeof text, format, a.c_str(), b.c_str(), c.c_str());
  return text;
}

std::string Printf(const char* format, int n) {
  char text[256];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

int OutputOf(const MapLayout& m, MapKind map) {
  return m.kind == MapKind::PwmOut1 ? int(map) - int(MapKind::PwmOut1) : 0;
}

std::string MapName(const MapLayout& m, MapKind map) {
  return m.kind == MapKind::PwmOut1 ? Printf(LngStr(m.name), OutputOf(m, map) + 1) : LngStr(m.name);
}

std::string RpmWords(const MapLayout& m, MapKind map, int column, const Image& img) {
  const int rpmAt = m.rpmByte + OutputOf(m, map) * kPwmColumns + column;
  return GroupedNumber(long(img[size_t(rpmAt)]) * 100) + " rpm";
}

std::string LoadWords(const MapLayout& m, MapKind map, int row, const Image& img) {
  const int sensor = img[Adrb::TPSIAP_SENSOR];
  const int loadWord = m.loadWord + OutputOf(m, map) * kPwmRows + row;
  if (sensor == kLoadPressure) return GroupedNumber(GetWord(img, loadWord)) + " kPa";
  if (!m.fixedThrottleRows) return GroupedNumber(GetWord(img, loadWord)) + " %";
  if (sensor == kLoadThrottle) return std::to_string(kThrottlePoints[row]) + " %";
  return Printf(LngStr(kRow), row + 1);
}

// "Advance 1 at 85 kPa / 6,000 rpm", the points as image b has them.
std::string CellCaption(const MapLayout& m, const MapPlace& place, const Image& b) {
  return Printf(LngStr(kAt), MapName(m, place.map), LoadWords(m, place.map, place.row, b),
                RpmWords(m, place.map, place.column, b));
}

const MapLayout* LayoutOfMap(MapKind map) {
  for (const MapLayout& m : kMaps)
    if (m.kind == map || (m.kind == MapKind::PwmOut1 && map == MapKind::PwmOut2)) return &m;
  return nullptr;
}

}  // namespace

std::string GroupedNumber(long value) {
  static const char* const kSeparator[kLanguageCount] = {",", ".", " "};
  const int language = CurrentLanguage();
  const char* separator = kSeparator[language >= 0 && language < kLanguageCount ? language : 0];
  const std::string digits = std::to_string(std::labs(value));
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return value < 0 ? "-" + out : out;
}

MapGrid GridOf(MapKind map, const Image& img) {
  MapGrid grid;
  const MapLayout* m = LayoutOfMap(map);
  const ParamInfo* cells = m ? FindParam(m->cells) : nullptr;
  if (!cells) return grid;
  const bool pwm = m->kind == MapKind::PwmOut1;
  const int columns = pwm ? kPwmColumns : UsedColumns(img, m->columnsByte);
  const int rows = pwm ? kPwmRows : kMapRows;
  const int pitch = pwm ? kPwmColumns : kMapCols;
  const int first = OutputOf(*m, map) * kPwmColumns * kPwmRows;
  grid.title = MapName(*m, map);
  for (int c = 0; c < columns; ++c) grid.columns.push_back(RpmWords(*m, map, c, img));
  for (int r = 0; r < rows; ++r) {
    grid.rows.push_back(LoadWords(*m, map, r, img));
    for (int c = 0; c < columns; ++c) grid.cells.push_back(ValueWords(*cells, first + r * pitch + c, img));
  }
  return grid;
}

std::vector<MapKind> MapsOf(const std::vector<DifferenceLine>& lines) {
  std::vector<MapKind> maps;
  for (MapKind k : {MapKind::Advance1, MapKind::Advance2, MapKind::Servo, MapKind::PwmOut1, MapKind::PwmOut2})
    if (std::any_of(lines.begin(), lines.end(), [&](const DifferenceLine& l) { return l.place.map == k; }))
      maps.push_back(k);
  return maps;
}

std::vector<DifferenceLine> DescribeDifferences(const Image& a, const Image& b) {
  std::vector<DifferenceLine> lines;
  for (const ParamInfo& p : ParamTable())
    for (int i = 0; i < p.count; ++i) {
      const int at = FirstByte(p, i);
      if (a[size_t(at)] == b[size_t(at)] && (ByteWidth(p) == 1 || a[size_t(at + 1)] == b[size_t(at + 1)]))
        continue;
      const int element = p.firstElement + i;
      bool unused = false;
      DifferenceLine line;
      line.place = PlaceOf(p, element, a, b, unused);
      if (unused) continue;
      const ParamWords words = WordsOf(p, i);
      line.page = words.page;
      const MapLayout* map = LayoutOfCell(p);
      line.caption = map ? CellCaption(*map, line.place, b) : words.caption;
      line.before = ValueWords(p, i, a);
      line.after = ValueWords(p, i, b);
      line.name = p.name;
      line.element = element;
      lines.push_back(std::move(line));
    }
  for (int at = 0; at < RS_LEN_EXE; ++at)
    if (!IsNamedByte(at) && a[size_t(at)] != b[size_t(at)]) {
      DifferenceLine line;
      line.caption = Printf(LngStr("###Byte %d##Byte %d##Bajt %d"), at);
      line.before = std::to_string(a[size_t(at)]);
      line.after = std::to_string(b[size_t(at)]);
      line.name = "byte " + std::to_string(at);
      lines.push_back(std::move(line));
    }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const DifferenceLine& x, const DifferenceLine& y) { return x.page < y.page; });
  return lines;
}

std::string DifferenceText(const DifferenceLine& line) {
  return line.caption + ": " + line.before + " → " + line.after;
}

std::string PageTitle(DiffPage page) {
  struct Title {
    CaptionPage captionPage;
    const char* row;     // the tab's row in the caption table, or null
    const char* packed;  // the title where the tab keeps its layout caption
  };
  static const Title kTitles[] = {
      {CaptionPage::Miscellaneous, "TabSheetRuzne", nullptr},
      {CaptionPage::Bike, "TabSheetBike", nullptr},
      {CaptionPage::Sensors, nullptr, "###Sensors##Sensoren##Senzory"},
      {CaptionPage::AdvanceMap, "TabSheetAdvance", nullptr},
      {CaptionPage::PowerOut, nullptr, "###Power out##Leistungsausgänge##Výkonové výstupy"},
      {CaptionPage::Servo, nullptr, "Servo"},
      {CaptionPage::Test, "TabSheet_Ladeni", nullptr},
      {CaptionPage::MainWindow, nullptr, "###Other bytes##Weitere Bytes##Ostatní bajty"},
  };
  const Title& t = kTitles[size_t(page)];
  if (t.row)
    if (const CaptionRow* row = FindCaptionRow(PageTextRows(t.captionPage), t.row)) return CaptionText(*row);
  return LngStr(t.packed);
}

std::string DifferenceCount(size_t count) {
  if (count == 1) return LngStr("###1 difference##1 Unterschied##1 rozdíl");
  const char* many = count >= 2 && count <= 4 ? "###%d differences##%d Unterschiede##%d rozdíly"
                                              : "###%d differences##%d Unterschiede##%d rozdílů";
  return Printf(LngStr(many), int(count));
}

std::string DifferenceReport(const std::vector<DifferenceLine>& lines) {
  std::string text;
  const DifferenceLine* previous = nullptr;
  for (const DifferenceLine& line : lines) {
    if (!previous || previous->page != line.page) text += PageTitle(line.page) + "\n";
    text += "  " + DifferenceText(line) + "\n";
    previous = &line;
  }
  return text + DifferenceCount(lines.size()) + "\n";
}

}  // namespace ign
