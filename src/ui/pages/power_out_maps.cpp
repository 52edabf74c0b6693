#include "ui/pages/power_out_maps.h"

#include <algorithm>

#include "core/params/power_out_masks.h"
#include "ui/pages/map_axes.h"

namespace ign {

namespace {

constexpr int kSwitchRpmPoints = 3, kSwitchLoadPoints = 2;
constexpr int kPwmRpmPoints = 6, kPwmLoadPoints = 4;
constexpr int kPwmMaxPeriod = 200;  // 10 s in 50 ms steps

uint8_t Byte(int32_t v) { return uint8_t(std::clamp(v, 0, 255)); }
uint16_t Word(int32_t v) { return uint16_t(std::clamp(v, 0, 0xFFFF)); }

// An output editor's only sheet (index 0) over rpm and throttle points (the load sensor
// changes the Y axis later), with its data axis.
CSheet& AddOutputSheet(CTabModel& model, int rpmPoints, int loadPoints, const AxisDefinition& data) {
  const int sheet = model.AddSheet("1", "RPM", "TP", "Pout1", rpmPoints, loadPoints, 1);
  model.DefineAxis(sheet, AxisMask::kX, RpmPointsAxis(rpmPoints));
  model.DefineAxis(sheet, AxisMask::kY, ThrottlePointsAxis(loadPoints, true));
  model.DefineAxis(sheet, AxisMask::kData, data);
  return model.Sheet(sheet);
}

// Fonts set, the sheet normalised and in front.
void FinishOutputSheet(CTabModel& model) {
  model.NormaliseSheet(0, Change::kAll | Change::kReset);
  model.SelectSheet(0);
}

}  // namespace

void BuildSwitchSheet(CTabModel& model) {
  model.SetMaxVisible(4, 3);
  AxisDefinition d;
  d.unit = "PO";
  d.minimum = 0;
  d.maximum = 2;
  d.editable = false;
  CSheet& sh = AddOutputSheet(model, kSwitchRpmPoints, kSwitchLoadPoints, d);
  sh.titleTextSize = 10;
  sh.x.fontSize = sh.y.fontSize = 8;
  FinishOutputSheet(model);
}

void BuildPwmSheet(CTabModel& model) {
  model.SetMaxVisible(kPwmRpmPoints, kPwmLoadPoints);
  AxisDefinition d;
  d.unit = "PO";
  d.suffix = "%";
  d.minimum = 0;
  d.maximum = 100;
  d.editable = true;
  CSheet& sh = AddOutputSheet(model, kPwmRpmPoints, kPwmLoadPoints, d);
  sh.titleTextSize = 8;
  sh.x.fontSize = sh.y.fontSize = sh.data.fontSize = 8;
  sh.data.suffixInCells = 1;
  FinishOutputSheet(model);
}

void LayOutSwitchMap(CTabModel& model, int function, int loadSensor) {
  using namespace PowerOutFunction;
  if (model.SheetCount() < 1) return;
  CSheet& sheet = model.Sheet(0);
  CAxe& x = sheet.x;
  CAxe& y = sheet.y;
  x.step = function == kShiftLight ? 0 : 1;
  bool forced = false;  // the program collapses the load axis
  switch (function) {
    case kShiftLight:
      x.count = 2;
      sheet.data.editable = 0;
      forced = true;
      break;
    case kThree:
      x.count = 2;
      y.count = 1;
      sheet.data.editable = 0;
      forced = loadSensor == LoadSensor::kNone;
      break;
    case kSpecial:
      x.count = 3;
      y.count = 2;
      sheet.data.editable = 1;
      forced = loadSensor == LoadSensor::kNone;
      break;
    default: return;  // the layout stays as it was
  }
  y.collapsed = forced;
  y.collapsible = forced ? Collapsible::kByOwner : Collapsible::kByUser;
  // The gear shift light shows its first load row, the one whose middle
  // region it marks.
  y.preferredIndex = function == kShiftLight ? Preferred::kFirst : Preferred::kLast;
  y.UpdateCollapsedIndex();
}

void SetLoadAxis(CAxe& y, int loadSensor) {
  const bool pressure = loadSensor == LoadSensor::kPressure;
  y.label = y.unit = pressure ? "IAP" : "TP";
  y.suffix = pressure ? "kPa" : "%";
  y.maximum = pressure ? 999 : 100;
}

void SetPwmData(CTabModel& model, int function, int pulse) {
  if (model.SheetCount() < 1) return;
  CAxe& d = model.Sheet(0).data;
  if (function == PowerOutFunction::kSpecialPulse) {
    d.label = "###Periode##Periode##Perioda";
    d.unit = "T";
    d.suffix = "s";
    d.scale = 0.05;
    d.minimum = (pulse + 9) / 10;
    d.maximum = kPwmMaxPeriod;
  } else {
    d.label = d.unit = "PWM";
    d.suffix = "%";
    d.scale = 1.0;
    d.minimum = 0;
    d.maximum = 100;
  }
}

void LoadSwitchMap(CTabModel& model, const Image& img, int output) {
  if (model.SheetCount() < 1) return;
  CSheet& sheet = model.Sheet(0);
  const int sensor = img[Adrb::TPSIAP_SENSOR];
  SetLoadAxis(sheet.y, sensor);
  for (int i = 0; i < kSwitchRpmPoints; ++i)
    sheet.x.values[size_t(i)] = img[size_t(Adrb::POWER_OUT_RPM + kSwitchRpmPoints * output + i)];
  for (int i = 0; i < kSwitchLoadPoints; ++i) {
    int32_t v = GetWord(img, Adrw::POWER_OUT_TP + kSwitchLoadPoints * output + i);
    if (sensor == LoadSensor::kThrottle) v = std::min(v, i == 0 ? 99 : 100);
    sheet.y.values[size_t(i)] = v;
  }
  const SwitchRegions regions = SwitchRegionsOf(img, output);
  for (int r = 0; r < kSwitchRows; ++r)
    for (int c = 0; c < kSwitchColumns; ++c) sheet.Cell(c, r) = regions[size_t(r)][size_t(c)];
  model.NormaliseSheet(0, Change::kAll | Change::kReset);
  // After the normalisation, which keeps cells inside 0..2.
  if (img[size_t(Adrb::POWER_OUT_FUNCTION + output)] == PowerOutFunction::kShiftLight)
    sheet.Cell(1, 0) = kShiftLightBlink;
  model.SelectSheet(0);
}

void LoadPwmMap(CTabModel& model, const Image& img, int output) {
  if (model.SheetCount() < 1) return;
  CSheet& sheet = model.Sheet(0);
  SetLoadAxis(sheet.y, img[Adrb::TPSIAP_SENSOR]);
  SetPwmData(model, img[size_t(Adrb::POWER_OUT_FUNCTION + output)],
             img[size_t(Adrb::POWER_OUT_SPULSE + output)]);
  for (int i = 0; i < kPwmRpmPoints; ++i)
    sheet.x.values[size_t(i)] = img[size_t(Adrb::POWER_OUT_PWM_RPM + kPwmRpmPoints * output + i)];
  for (int i = 0; i < kPwmLoadPoints; ++i)
    sheet.y.values[size_t(i)] = GetWord(img, Adrw::POWER_OUT_PWM_TP + kPwmLoadPoints * output + i);
  for (int r = 0; r < kPwmLoadPoints; ++r)
    for (int c = 0; c < kPwmRpmPoints; ++c)
      sheet.Cell(c, r) =
          img[size_t(Adrb::POWER_OUT_PWM + kPwmLoadPoints * kPwmRpmPoints * output + kPwmRpmPoints * r + c)];
  model.NormaliseSheet(0, Change::kAll | Change::kReset);
  model.SelectSheet(0);
}

void StoreSwitchMap(const CTabModel& model, Image& img, int output) {
  if (model.SheetCount() < 1) return;
  const CSheet& sheet = model.Sheet(0);
  for (int i = 0; i < kSwitchRpmPoints; ++i)
    img[size_t(Adrb::POWER_OUT_RPM + kSwitchRpmPoints * output + i)] = Byte(sheet.x.values[size_t(i)]);
  for (int i = 0; i < kSwitchLoadPoints; ++i)
    SetWord(img, Adrw::POWER_OUT_TP + kSwitchLoadPoints * output + i, Word(sheet.y.values[size_t(i)]));
  SwitchRegions regions{};
  for (int r = 0; r < kSwitchRows; ++r)
    for (int c = 0; c < kSwitchColumns; ++c) regions[size_t(r)][size_t(c)] = sheet.Cell(c, r);
  StoreSwitchRegions(img, output, regions);
}

void StorePwmMap(const CTabModel& model, Image& img, int output) {
  if (model.SheetCount() < 1) return;
  const CSheet& sheet = model.Sheet(0);
  for (int i = 0; i < kPwmRpmPoints; ++i)
    img[size_t(Adrb::POWER_OUT_PWM_RPM + kPwmRpmPoints * output + i)] = Byte(sheet.x.values[size_t(i)]);
  for (int i = 0; i < kPwmLoadPoints; ++i)
    SetWord(img, Adrw::POWER_OUT_PWM_TP + kPwmLoadPoints * output + i, Word(sheet.y.values[size_t(i)]));
  for (int r = 0; r < kPwmLoadPoints; ++r)
    for (int c = 0; c < kPwmRpmPoints; ++c)
      img[size_t(Adrb::POWER_OUT_PWM + kPwmLoadPoints * kPwmRpmPoints * output + kPwmRpmPoints * r + c)] =
          Byte(sheet.Cell(c, r));
}

}  // namespace ign
