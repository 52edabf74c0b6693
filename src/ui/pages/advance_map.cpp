#include "ui/pages/advance_map.h"

#include <algorithm>

#include "ui/pages/map_axes.h"

namespace ign {

namespace {

struct MapAddress {
  int iap;  // word index of the load points
  int mode;
  int rpm;
  int cells;
  int columns;
};
constexpr MapAddress kMaps[2] = {
    {Adrw::ADV_IAP, Adrb::ADV_MAP, Adrb::RPM_ADV, Adrb::ADVANCE, Adrb::ADV_COLUMNS},
    {Adrw::ADV2_IAP, Adrb::ADV2_MAP, Adrb::RPM_ADV2, Adrb::ADVANCE2, Adrb::ADV2_COLUMNS},
};

struct Colours {
  uint32_t curve, light, accent;
};
constexpr Colours kColours[2] = {{0x0000FF, 0xFFC0C0, 0xFF00C0}, {0xFF0000, 0xA0C0FF, 0xC000FF}};

constexpr const char* kNames[2] = {"###Advance 1##Vorzündung 1##Předstih 1",
                                   "###Advance 2##Vorzündung 2##Předstih 2"};

uint8_t Byte(int32_t v) { return uint8_t(std::clamp(v, 0, 255)); }

}  // namespace

void BuildAdvanceSheets(CTabModel& model) {
  model.SetMaxVisible(kMapCols, kMapRows);
  for (int s = 0; s < 2; ++s) {
    const int sheet = model.AddSheet(kNames[s], "RPM", "TP", "###Advance##Vorzündung##Předstih", kMapCols,
                                     kMapRows, kAdvanceSheetFlags);
    AxisDefinition x = RpmPointsAxis(kMapCols);
    x.gridRules = kRpmGridRules;
    x.options = AxisOption::kNumeric;
    x.minCount = 1;
    x.resizable = true;
    x.overlayGroup = kAdvanceOverlayGroup;
    model.DefineAxis(sheet, AxisMask::kX, x);
    AxisDefinition y = ThrottlePointsAxis(kMapRows, false);
    y.options = AxisOption::kNumeric;
    y.overlayGroup = kAdvanceOverlayGroup;
    model.DefineAxis(sheet, AxisMask::kY, y);
    AxisDefinition d;
    d.unit = "ADV";
    d.suffix = "°";
    d.minimum = -30;
    d.maximum = 60;
    d.editable = true;
    model.DefineAxis(sheet, AxisMask::kData, d);
    CSheet& sh = model.Sheet(sheet);
    sh.curveColour = kColours[s].curve;
    sh.lightColour = kColours[s].light;
    sh.accentColour = kColours[s].accent;
  }
  // Each sheet shows the other for comparison.
  for (int s = 0; s < 2; ++s) {
    CSheet& other = model.Sheet(1 - s);
    model.Sheet(s).x.comparison = std::span<const int32_t>(other.x.values.data(), kMapCols);
    model.Sheet(s).data.comparison = std::span<const int32_t>(other.data.values);
  }
}

void LoadAdvanceSheets(CTabModel& model, const Image& img) {
  const int sensor = img[Adrb::TPSIAP_SENSOR];
  for (int s = 0; s < 2 && s < model.SheetCount(); ++s) {
    const MapAddress& a = kMaps[s];
    CSheet& sheet = model.Sheet(s);
    CAxe& y = sheet.y;
    FollowLoadSensor(y, sensor, img, a.iap);
    y.collapsible = sensor == LoadSensor::kNone ? Collapsible::kByOwner : Collapsible::kByUser;
    y.collapsed = sensor == LoadSensor::kNone || img[size_t(a.mode)] == 0;
    y.UpdateCollapsedIndex();
    for (int c = 0; c < kMapCols; ++c) sheet.x.values[size_t(c)] = img[size_t(a.rpm + c)];
    sheet.x.count = std::clamp<int>(img[size_t(a.columns)], 1, kMapCols);
    for (int r = 0; r < kMapRows; ++r)
      for (int c = 0; c < kMapCols; ++c) sheet.Cell(c, r) = img[size_t(a.cells + kMapCols * r + c)] - 100;
    model.NormaliseSheet(s, Change::kAll | Change::kReset);
  }
  model.SelectSheet(std::max(0, model.ActiveIndex()));
}

// A sheet that is not collapsed reads load (mode 1). Without a load sensor
// every sheet is collapsed, so the unit is never told to read load from an
// input that has nothing on it.
void StoreAdvanceModes(const CTabModel& model, Image& img) {
  for (int s = 0; s < 2 && s < model.SheetCount(); ++s)
    img[size_t(kMaps[s].mode)] = model.Sheet(s).y.collapsed ? 0 : 1;
}

// The load points the unit runs a two-dimensional sheet on are the ones the
// editor shows: the tuner's kPa points with a pressure sensor, the fixed
// throttle points with a throttle sensor.
void CopyAdvanceSheets(const CTabModel& model, Image& img) {
  StoreAdvanceModes(model, img);
  for (int s = 0; s < 2 && s < model.SheetCount(); ++s) {
    const MapAddress& a = kMaps[s];
    const CSheet& sheet = model.Sheet(s);
    if (img[size_t(a.mode)] == 1)
      for (int r = 0; r < kMapRows; ++r)
        SetWord(img, a.iap + r, uint16_t(std::clamp(sheet.y.values[size_t(r)], 0, 999)));
    for (int c = 0; c < kMapCols; ++c) img[size_t(a.rpm + c)] = Byte(sheet.x.values[size_t(c)]);
    const int used = std::clamp(sheet.x.count, 1, kMapCols);
    for (int r = 0; r < kMapRows; ++r)
      for (int c = 0; c < kMapCols; ++c)
        img[size_t(a.cells + kMapCols * r + c)] = Byte(sheet.Cell(std::min(c, used - 1), r) + 100);
    img[size_t(a.columns)] = uint8_t(used);
  }
}

}  // namespace ign
