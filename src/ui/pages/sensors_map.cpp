#include "ui/pages/sensors_map.h"

#include <algorithm>

namespace ign {

namespace {

constexpr const char* kVoltage = "###Voltage##Spannung##Napětí";

// X of the calibration sheets: two points the program keeps collapsed to the first.
void DefineCalibrationX(CTabModel& model, int sheet) {
  AxisDefinition x;
  x.minimum = 0;
  x.maximum = 1;
  x.editable = false;
  x.count = 2;
  x.collapsible = Collapsible::kByOwner;
  x.collapsed = true;
  model.DefineAxis(sheet, AxisMask::kX, x);
  CAxe& axis = model.Sheet(sheet).x;
  axis.values[0] = 0;
  axis.values[1] = 1;
}

void DefineVoltageData(CTabModel& model, int sheet) {
  AxisDefinition d;
  d.unit = "U";
  d.suffix = "V";
  d.minimum = 0;
  d.maximum = kSensorMaxMillivolts;
  d.scale = 0.001;
  d.editable = true;
  model.DefineAxis(sheet, AxisMask::kData, d);
}

int32_t Millivolts(int32_t v) { return std::clamp(v, 0, kSensorMaxMillivolts); }

// A row's value in both columns, so the hidden column never differs.
void SetRow(CSheet& sheet, int row, int32_t value) {
  for (int c = 0; c < 2; ++c) sheet.Cell(c, row) = value;
}

int32_t RowValue(const CSheet& sheet, int row) { return sheet.Cell(sheet.x.collapsedIndex, row); }

uint16_t Word(int32_t v) { return uint16_t(std::clamp(v, 0, 0xFFFF)); }

}  // namespace

void BuildThrottleSheet(CTabModel& model) {
  model.SetMaxVisible(2, 2);
  const int s = model.AddSheet("TP sensor", "", "TP", kVoltage, 2, 2, kSensorSheetFlags);
  DefineCalibrationX(model, s);
  AxisDefinition y;
  y.unit = "TP";
  y.minimum = 0;
  y.maximum = 100;
  y.editable = false;
  y.count = 2;
  model.DefineAxis(s, AxisMask::kY, y);
  CAxe& axis = model.Sheet(s).y;
  axis.values[0] = 0;
  axis.values[1] = 100;
  DefineVoltageData(model, s);
  model.NormaliseSheet(s, Change::kAll | Change::kReset);
  model.SelectSheet(s);
}

void BuildPressureSheet(CTabModel& model) {
  model.SetMaxVisible(2, 2);
  const int s = model.AddSheet("###IAP sensor##IAP sensor##Snímač IAP", "", "###Pressure##Druck##Tlak",
                               kVoltage, 2, 2, kSensorSheetFlags);
  DefineCalibrationX(model, s);
  AxisDefinition y;
  y.unit = "P";
  y.suffix = "kPa";
  y.minimum = 0;
  y.maximum = kSensorMaxKilopascals;
  y.editable = true;
  y.count = 2;
  model.DefineAxis(s, AxisMask::kY, y);
  DefineVoltageData(model, s);
  model.NormaliseSheet(s, Change::kAll | Change::kReset);
  model.SelectSheet(s);
}

void BuildLambdaSheet(CTabModel& model) {
  constexpr int kRows = 6;
  model.SetMaxVisible(2, kRows);
  const int s = model.AddSheet("Lambda sensor", "", "AFR", "Voltage", 2, kRows, kSensorSheetFlags);
  DefineCalibrationX(model, s);
  AxisDefinition y;
  y.unit = "AFR";
  y.minimum = 0;
  y.maximum = 250;
  y.scale = 0.1;
  y.editable = true;
  y.count = kRows;
  model.DefineAxis(s, AxisMask::kY, y);
  AxisDefinition d;
  d.unit = "U";
  d.minimum = 0;
  d.maximum = kSensorMaxMillivolts * 1000;  // microvolts
  d.scale = 0.001;
  d.editable = true;
  model.DefineAxis(s, AxisMask::kData, d);
  model.NormaliseSheet(s, Change::kAll | Change::kReset);
  model.SelectSheet(s);
}

void LoadThrottleSheet(CTabModel& model, const Image& img) {
  CSheet& sheet = model.Sheet(0);
  SetRow(sheet, kSensorTpRow0, GetWord(img, Adrw::TPS));
  SetRow(sheet, kSensorTpRow100, GetWord(img, Adrw::TPS + 1));
  model.NormaliseSheet(0, Change::kAll | Change::kReset);
}

void CopyThrottleSheet(const CTabModel& model, Image& img) {
  const CSheet& sheet = model.Sheet(0);
  SetWord(img, Adrw::TPS, Word(Millivolts(RowValue(sheet, kSensorTpRow0))));
  SetWord(img, Adrw::TPS + 1, Word(Millivolts(RowValue(sheet, kSensorTpRow100))));
}

void LoadPressureSheet(CTabModel& model, const Image& img) {
  CSheet& sheet = model.Sheet(0);
  for (int r = 0; r < 2; ++r) {
    sheet.y.values[size_t(r)] = GetWord(img, Adrw::IAP_SENSOR + 2 * r);
    SetRow(sheet, r, GetWord(img, Adrw::IAP_SENSOR + 2 * r + 1));
  }
  model.NormaliseSheet(0, Change::kAll | Change::kReset);
}

void CopyPressureSheet(const CTabModel& model, Image& img) {
  const CSheet& sheet = model.Sheet(0);
  for (int r = 0; r < 2; ++r) {
    SetWord(img, Adrw::IAP_SENSOR + 2 * r,
            Word(std::clamp(sheet.y.values[size_t(r)], 0, kSensorMaxKilopascals)));
    SetWord(img, Adrw::IAP_SENSOR + 2 * r + 1, Word(Millivolts(RowValue(sheet, r))));
  }
}

void SetThrottleCell(CTabModel& model, int row, int32_t millivolts) {
  SetRow(model.Sheet(0), row, Millivolts(millivolts));
}

}  // namespace ign
