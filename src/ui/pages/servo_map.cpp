#include "ui/pages/servo_map.h"

#include <algorithm>
#include <cmath>

namespace ign {

namespace {

constexpr int kLoadNone = 0, kLoadPressure = 2;
constexpr int32_t kThrottlePoints[kMapRows] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
constexpr int32_t kPercentMax = 100, kVoltMax = 250;
constexpr double kVoltScale = 0.02;

uint8_t Byte(int32_t v) { return uint8_t(std::clamp(v, 0, 255)); }

}  // namespace

void BuildServoSheet(CTabModel& model) {
  model.SetMaxVisible(kMapCols, kMapRows);
  const int s = model.AddSheet("Servo", "RPM", "TP", "STPS[V]", kMapCols, kMapRows, kServoSheetFlags);
  AxisDefinition x;
  x.unit = "RPM";
  x.minimum = 3;
  x.maximum = 250;
  x.scale = 100.0;
  x.step = 1;
  x.gridRules = kRpmGridRules;
  x.editable = true;
  x.options = AxisOption::kNumeric;
  x.count = kMapCols;
  x.collapsible = Collapsible::kByUser;
  x.resizable = true;
  x.preferredIndex = Preferred::kFirst;
  model.DefineAxis(s, AxisMask::kX, x);
  AxisDefinition y;
  y.unit = "TP";
  y.suffix = "%";
  y.minimum = 0;
  y.maximum = 100;
  y.editable = false;
  y.options = AxisOption::kNumeric;
  y.count = kMapRows;
  y.collapsible = Collapsible::kByUser;
  y.resizable = false;
  y.preferredIndex = Preferred::kLast;
  model.DefineAxis(s, AxisMask::kY, y);
  AxisDefinition d;
  d.unit = "U";
  d.suffix = "V";
  d.minimum = 0;
  d.maximum = kVoltMax;
  d.scale = kVoltScale;
  d.editable = true;
  model.DefineAxis(s, AxisMask::kData, d);
  SetServoDataAxis(model.Sheet(s), false);
}

void SetServoDataAxis(CSheet& sheet, bool percent) {
  CAxe& d = sheet.data;
  d.minimum = 0;
  if (percent) {
    d.maximum = kPercentMax;
    d.scale = 1.0;
    d.label = "STPS [%]";
    d.unit = "[%]";
    d.suffix = "%";
    d.colour = kServoPercentColour;
  } else {
    d.maximum = kVoltMax;
    d.scale = kVoltScale;
    d.label = "STPS [V]";
    d.unit = "U";
    d.suffix = "V";
    d.colour = kServoVoltColour;
  }
}

void ConvertServoCells(CSheet& sheet, bool toPercent) {
  const double factor = toPercent ? 0.4 : 2.5;
  for (int32_t& cell : sheet.data.values) cell = int32_t(std::floor(cell * factor + 0.5));
}

void LoadServoSheet(CTabModel& model, const Image& img) {
  const int sensor = img[Adrb::TPSIAP_SENSOR];
  const int mode = img[Adrb::SERVO_MAP];
  CSheet& sheet = model.Sheet(0);
  CAxe& y = sheet.y;
  y.count = kMapRows;
  y.preferredIndex = Preferred::kLast;
  if (sensor == kLoadPressure) {
    y.label = y.unit = "IAP";
    y.suffix = "kPa";
    y.maximum = 999;
    y.editable = 1;
    for (int r = 0; r < kMapRows; ++r) y.values[size_t(r)] = GetWord(img, Adrw::SERVO_IAP + r);
  } else {
    y.label = y.unit = "TP";
    y.suffix = "%";
    y.maximum = 100;
    y.editable = 0;
    std::copy(std::begin(kThrottlePoints), std::end(kThrottlePoints), y.values.begin());
  }
  // Without a load sensor the map is one rpm curve and nothing else is offered.
  y.collapsible = sensor == kLoadNone ? Collapsible::kByOwner : Collapsible::kByUser;
  sheet.x.collapsible = sensor == kLoadNone ? Collapsible::kNo : Collapsible::kByUser;
  const bool twoDimensional = sensor != kLoadNone && mode != ServoMap::kRpmOnly;
  y.collapsed = !twoDimensional;
  sheet.x.collapsed = twoDimensional && mode == ServoMap::kLoadOnly;
  y.UpdateCollapsedIndex();
  sheet.x.UpdateCollapsedIndex();
  sheet.enabled = img[Adrb::SERVO_ENABLE] != 0;
  for (int c = 0; c < kMapCols; ++c) sheet.x.values[size_t(c)] = img[size_t(Adrb::SERVO_RPM + c)];
  sheet.x.count = std::clamp<int>(img[Adrb::SERVO_COLUMNS], 1, kMapCols);
  for (int r = 0; r < kMapRows; ++r)
    for (int c = 0; c < kMapCols; ++c) sheet.Cell(c, r) = img[size_t(Adrb::SERVO + kMapCols * r + c)];
  SetServoDataAxis(sheet, img[Adrb::SERVO_PERCENT] != 0);
  model.NormaliseSheet(0, Change::kAll | Change::kReset);
  model.SelectSheet(0);
}

int ServoMapFromCollapse(const CSheet& sheet) {
  if (sheet.y.collapsed) return ServoMap::kRpmOnly;
  return sheet.x.collapsed ? ServoMap::kLoadOnly : ServoMap::kBoth;
}

void StoreServoMode(const CTabModel& model, Image& img) {
  const int sensor = img[Adrb::TPSIAP_SENSOR];
  if (sensor == kLoadNone) return;
  const CSheet& sheet = model.Sheet(0);
  const int mode = ServoMapFromCollapse(sheet);
  if (mode != ServoMap::kRpmOnly && sensor == kLoadPressure)
    for (int r = 0; r < kMapRows; ++r)
      SetWord(img, Adrw::SERVO_IAP + r, uint16_t(std::clamp(sheet.y.values[size_t(r)], 0, 999)));
  img[Adrb::SERVO_MAP] = uint8_t(mode);
}

void CopyServoSheet(const CTabModel& model, Image& img) {
  const CSheet& sheet = model.Sheet(0);
  for (int c = 0; c < kMapCols; ++c) img[size_t(Adrb::SERVO_RPM + c)] = Byte(sheet.x.values[size_t(c)]);
  const int used = std::clamp(sheet.x.count, 1, kMapCols);
  for (int r = 0; r < kMapRows; ++r)
    for (int c = 0; c < kMapCols; ++c)
      img[size_t(Adrb::SERVO + kMapCols * r + c)] = Byte(sheet.Cell(std::min(c, used - 1), r));
  img[Adrb::SERVO_COLUMNS] = uint8_t(used);
}

}  // namespace ign
