#include "ui/pages/servo_map.h"

#include <algorithm>
#include <cmath>

#include "ui/pages/map_axes.h"

namespace ign {

namespace {

constexpr int32_t kPercentMax = 100, kVoltMax = 250;
constexpr double kVoltScale = 0.02;

uint8_t Byte(int32_t v) { return uint8_t(std::clamp(v, 0, 255)); }

}  // namespace

void BuildServoSheet(CTabModel& model) {
  model.SetMaxVisible(kMapCols, kMapRows);
  const int s = model.AddSheet("Servo", "RPM", "TP", "STPS[V]", kMapCols, kMapRows, kServoSheetFlags);
  AxisDefinition x = RpmPointsAxis(kMapCols);
  x.gridRules = kRpmGridRules;
  x.options = AxisOption::kNumeric;
  x.collapsible = Collapsible::kByUser;
  x.resizable = true;
  model.DefineAxis(s, AxisMask::kX, x);
  AxisDefinition y = ThrottlePointsAxis(kMapRows, false);
  y.options = AxisOption::kNumeric;
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
  FollowLoadSensor(y, sensor, img, Adrw::SERVO_IAP);
  // Without a load sensor the map is one rpm curve and nothing else is offered.
  y.collapsible = sensor == LoadSensor::kNone ? Collapsible::kByOwner : Collapsible::kByUser;
  sheet.x.collapsible = sensor == LoadSensor::kNone ? Collapsible::kNo : Collapsible::kByUser;
  const bool twoDimensional = sensor != LoadSensor::kNone && mode != ServoMap::kRpmOnly;
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
  const CSheet& sheet = model.Sheet(0);
  // Without a load sensor the map is one rpm curve: the unit reads no load.
  const int mode = sensor == LoadSensor::kNone ? ServoMap::kRpmOnly : ServoMapFromCollapse(sheet);
  if (mode != ServoMap::kRpmOnly && sensor == LoadSensor::kPressure)
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
