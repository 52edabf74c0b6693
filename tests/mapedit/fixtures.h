#pragma once
// Editors shaped like the program's own: the two-sheet advance map editor
// and a power output's compact switch map.
#include <initializer_list>
#include <vector>

#include "core/mapedit/model.h"
#include "core/mapedit/normalise.h"

namespace ign::test {

inline constexpr uint32_t kAdvanceEditorFlags = 113;  // live, table, 2D, 3D
inline constexpr uint32_t kAdvanceSheetFlags = 0x701;
inline constexpr uint32_t kSwitchEditorFlags = 8240;  // compact, table, 2D

inline void SetValues(CAxe& axis, std::initializer_list<int32_t> values) {
  std::size_t i = 0;
  for (int32_t v : values) axis.values[i++] = v;
}

inline std::vector<int32_t> Values(const CAxe& axis) {
  return std::vector<int32_t>(axis.values.begin(), axis.values.begin() + axis.count);
}

inline void DefineAdvanceSheet(CTabModel& m, int s) {
  AxisDefinition x;
  x.unit = "RPM";
  x.minimum = 3;
  x.maximum = 250;
  x.scale = 100.0;
  x.gridRules = kRpmGridRules;
  x.options = AxisOption::kNumeric;
  x.count = 15;
  x.resizable = true;
  x.overlayGroup = 256;
  m.DefineAxis(s, AxisMask::kX, x);

  AxisDefinition y;
  y.unit = "TP";
  y.suffix = "%";
  y.editable = false;
  y.options = AxisOption::kNumeric;
  y.count = 10;
  y.collapsible = Collapsible::kByUser;
  y.preferredIndex = Preferred::kLast;
  y.overlayGroup = 256;
  m.DefineAxis(s, AxisMask::kY, y);

  AxisDefinition d;
  d.unit = "ADV";
  d.suffix = "°";
  d.minimum = -30;
  d.maximum = 60;
  m.DefineAxis(s, AxisMask::kData, d);

  CSheet& sheet = m.Sheet(s);
  for (int i = 0; i < 15; ++i) sheet.x.values[static_cast<std::size_t>(i)] = 10 + 5 * i;  // 1000 .. 8000 rpm
  for (int i = 0; i < 10; ++i) sheet.y.values[static_cast<std::size_t>(i)] = 10 * i;      // 0 .. 90 %
  m.NormaliseSheet(s, Change::kAll | Change::kReset);
}

// The advance map editor: two 15 x 10 sheets (X rpm 1000..8000, Y 0..90 %).
inline CTabModel MakeAdvanceEditor() {
  CTabModel m(kAdvanceEditorFlags, 0);
  m.AddSheet("###Advance 1##Vorzündung 1##Předstih 1", "RPM", "TP", "###Advance##Vorzündung##Předstih", 15,
             10, kAdvanceSheetFlags);
  m.AddSheet("###Advance 2##Vorzündung 2##Předstih 2", "RPM", "TP", "###Advance##Vorzündung##Předstih", 15,
             10, kAdvanceSheetFlags);
  DefineAdvanceSheet(m, 0);
  DefineAdvanceSheet(m, 1);
  m.SelectSheet(0);
  return m;
}

// A power output's switch map's sheet: 3 rpm points, 2 load rows.
inline void DefineSwitchSheet(CTabModel& m) {
  m.AddSheet("1", "RPM", "TP", "Pout1", 3, 2, 1);
  AxisDefinition x;
  x.unit = "RPM";
  x.minimum = 3;
  x.maximum = 250;
  x.scale = 100.0;
  x.count = 3;
  m.DefineAxis(0, AxisMask::kX, x);
  AxisDefinition y;
  y.unit = "TP";
  y.suffix = "%";
  y.count = 2;
  y.collapsible = Collapsible::kByUser;
  y.preferredIndex = Preferred::kLast;
  m.DefineAxis(0, AxisMask::kY, y);
  AxisDefinition d;
  d.unit = "PO";
  d.maximum = 2;
  d.editable = false;
  m.DefineAxis(0, AxisMask::kData, d);
}

// A power output's switch map: compact layout with that sheet.
inline CTabModel MakeSwitchEditor() {
  CTabModel m(kSwitchEditorFlags, 25);
  DefineSwitchSheet(m);
  m.SelectSheet(0);
  return m;
}

}  // namespace ign::test
