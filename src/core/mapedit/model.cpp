#include "core/mapedit/model.h"

#include <algorithm>
#include <cmath>

#include "core/mapedit/format.h"
#include "core/mapedit/geometry.h"
#include "core/mapedit/normalise.h"
#include "core/mapedit/selection.h"
#include "core/text/language.h"
#include "core/text/lngstr.h"
#include "core/text/message_box.h"

namespace ign {

namespace {

int32_t ClampMarker(int32_t value, double low, double high) {
  const auto lo = static_cast<int32_t>(low);
  const auto hi = static_cast<int32_t>(high);
  return std::max(std::min(value, hi), lo);
}

double Limit(double v) { return std::clamp(v, -2147483648.0, 2147483647.0); }

}  // namespace

CTabModel::CTabModel(uint32_t editorFlags, int identifier)
    : editorFlags_(editorFlags), identifier_(identifier) {
  sheets_.reserve(kMaxSheets);
}

int CTabModel::AddSheet(std::string_view name, std::string_view xLabel, std::string_view yLabel,
                        std::string_view dataLabel, int columns, int rows, uint32_t sheetFlags) {
  if (SheetCount() >= kMaxSheets) return -1;
  CSheet& sheet = sheets_.emplace_back(columns, rows);
  sheet.flags = sheetFlags;
  sheet.name = CutText(name, kMaxNameBytes);
  sheet.x.label = CutText(xLabel, kMaxNameBytes);
  sheet.y.label = CutText(yLabel, kMaxNameBytes);
  sheet.data.label = CutText(dataLabel, kMaxNameBytes);
  sheet.compactCells = Compact();
  if (Compact()) {
    sheet.titleTextSize = -10;
    sheet.x.fontSize = sheet.y.fontSize = sheet.data.fontSize = -9;
  }
  const int index = SheetCount() - 1;
  NormaliseSheet(index, Change::kAll | Change::kReset);
  if (active_ < 0) active_ = index;
  return index;
}

void CTabModel::DefineAxis(int sheetIndex, unsigned which, const AxisDefinition& d) {
  if (sheetIndex < 0 || sheetIndex >= SheetCount()) return;
  CSheet& sheet = Sheet(sheetIndex);
  for (unsigned bit : {AxisMask::kX, AxisMask::kY, AxisMask::kData}) {
    if (!(which & bit)) continue;
    CAxe& a = bit == AxisMask::kX ? sheet.x : bit == AxisMask::kY ? sheet.y : sheet.data;
    a.unit = CutText(d.unit, kMaxUnitBytes);
    a.suffix = CutText(d.suffix, kMaxSuffixBytes);
    a.minimum = d.minimum;
    a.maximum = d.maximum;
    a.scale = d.scale;
    a.SetGridRules(d.gridRules);
    a.editable = d.editable;
    a.numeric = bit == AxisMask::kData ? 1 : (d.options & AxisOption::kNumeric ? 1 : 0);
    a.fullRange = d.options & AxisOption::kFullRange ? 1 : 0;
    a.overlayGroup = d.overlayGroup;
    a.colour = d.colour;
    a.secondColour = d.secondColour;
    if (bit == AxisMask::kData) continue;
    a.step = d.step;
    a.minCount = std::clamp(d.minCount, 1, a.capacity);
    a.count = std::clamp(d.count, a.minCount, a.capacity);
    a.collapsible = d.collapsible;
    a.collapsed = d.collapsed;
    a.resizable = d.resizable;
    a.preferredIndex = d.preferredIndex;
    a.UpdateCollapsedIndex();
  }
}

bool CTabModel::SelectSheet(int index) {
  if (index < 0 || index >= SheetCount()) return false;
  if (index != active_) previous_ = active_;
  active_ = index;
  CSheet& sheet = Sheet(index);
  ClampCounts(sheet.x);
  ClampCounts(sheet.y);
  sheet.x.UpdateCollapsedIndex();
  sheet.y.UpdateCollapsedIndex();
  RecountSelection(sheet);
  RefreshLiveCell();
  return true;
}

void CTabModel::Normalise(unsigned mask) {
  if (active_ >= 0) NormaliseSheet(active_, mask);
}

void CTabModel::NormaliseSheet(int index, unsigned mask) {
  if (index < 0 || index >= SheetCount()) return;
  CSheet& sheet = Sheet(index);
  ClampMarkers(sheet);
  const bool reset = mask & Change::kReset;
  if (mask & Change::kX) NormaliseAxis(sheet.x, reset);
  if (mask & Change::kY) NormaliseAxis(sheet.y, reset);
  if (mask & Change::kData) ClampData(sheet);
}

void CTabModel::ClampMarkers(const CSheet& sheet) {
  if (sheet.x.label != "RPM") return;
  const CAxe& d = sheet.data;
  const CAxe& x = sheet.x;
  if (sheet.flags & SheetFlag::kBaseAdvanceMarker) {
    markers_.baseAdvance =
        ClampMarker(markers_.baseAdvance, Limit(d.minimum * d.scale), Limit(d.maximum * d.scale));
  }
  const double low = Limit(x.minimum * x.scale), high = Limit(x.maximum * x.scale);
  if (sheet.flags & SheetFlag::kLimiterMarker) markers_.limiter = ClampMarker(markers_.limiter, low, high);
  if (sheet.flags & SheetFlag::kStartLimiterMarker) {
    markers_.startLimiter = ClampMarker(markers_.startLimiter, low, high);
  }
}

void CTabModel::SetMaxVisible(int columns, int rows) {
  maxVisibleColumns_ = std::clamp(columns, 1, kMaxColumns);
  maxVisibleRows_ = std::clamp(rows, 1, kMaxRows);
}

bool CTabModel::RefreshLiveCell() {
  CSheet* sheet = Active();
  if (!sheet) return false;
  const LiveCell now = ComputeLiveCell(*sheet, active_, live_);
  const LiveCell before{sheet->liveColumn, sheet->liveRow, sheet->liveState};
  if (now == before) return false;
  sheet->liveColumn = now.column;
  sheet->liveRow = now.row;
  sheet->liveState = now.state;
  if (Autoscroll() && now.state != 0) {
    CAxe& x = sheet->x;
    CAxe& y = sheet->y;
    if (!x.collapsed && now.column >= 0) {
      x.firstVisible = ScrollIntoView(x.firstVisible, VisibleCount(x.count, maxVisibleColumns_, false),
                                      x.count, now.column);
    }
    if (!y.collapsed && now.row >= 0) {
      y.firstVisible =
          ScrollIntoView(y.firstVisible, VisibleCount(y.count, maxVisibleRows_, false), y.count, now.row);
    }
  }
  return true;
}

void CTabModel::NotifyChange(unsigned mask, BatchId id, int32_t nowTick) {
  if (id == Batch::kEndGesture && openBatch_ != Batch::kGesture) return;
  pendingMask_ |= mask & ~Change::kReset;
  Normalise(mask);
  if (openBatch_ != Batch::kReportNow && openBatch_ != id) {
    id = Batch::kReportNow;
  } else {
    deadline_ = nowTick + Batch::kReportDelayTicks;
  }
  openBatch_ = id;
  if (id == Batch::kReportNow) Report();
}

void CTabModel::Report() {
  const unsigned changed = pendingMask_;
  pendingMask_ = 0;
  openBatch_ = Batch::kReportNow;
  deadline_ = 0;
  if (changed && onSheetChanged_) onSheetChanged_(*this, changed);
}

bool CTabModel::ReportDue(int32_t nowTick) {
  if (!pendingMask_ || openBatch_ == Batch::kGesture || nowTick < deadline_) return false;
  Report();
  return true;
}

CTabModel::TickResult CTabModel::UpdateLive(int32_t nowTick, bool shown, const TickHooks& hooks) {
  TickResult result;
  ++tickCount_;
  const auto run = [](const std::function<void()>& step) {
    if (step) step();
  };
  if (Active() && shown) {
    run(hooks.sampleKeys);
    run(hooks.autoRepeat);
    run(hooks.blinkCaret);
    result.liveRpmChanged = live_.rpm != live_.previousRpm;
    result.liveCellChanged = RefreshLiveCell();
    run(hooks.refreshToolbar);
    run(hooks.dragAutoscroll);
    result.languageChanged = lastLanguage_ != CurrentLanguage();
    lastLanguage_ = CurrentLanguage();
  }
  live_.previousRpm = live_.rpm;
  result.reported = ReportDue(nowTick);
  return result;
}

namespace {

struct TypedTarget {
  CAxe* axis = nullptr;
  int32_t* value = nullptr;
  unsigned mask = 0;
};

TypedTarget FindTypedTarget(CSheet* sheet, int column, int row) {
  if (!sheet || !sheet->Usable()) return {};
  if (row == -1 && column >= 0 && column < sheet->x.count)
    return {&sheet->x, &sheet->x.values[static_cast<std::size_t>(column)], Change::kX};
  if (column == -1 && row >= 0 && row < sheet->y.count)
    return {&sheet->y, &sheet->y.values[static_cast<std::size_t>(row)], Change::kY};
  if (sheet->InCells(column, row)) return {&sheet->data, &sheet->Cell(column, row), Change::kData};
  return {};
}

}  // namespace

bool CTabModel::StoreTypedValue(int column, int row, std::string_view text, int32_t nowTick,
                                TypedOutcome* outcome) {
  if (outcome) *outcome = {};
  const int sheetIndex = ActiveIndex();
  const TypedTarget target = FindTypedTarget(Active(), column, row);
  if (!target.value || !target.axis->editable) return false;
  const std::optional<int32_t> value = ParseTypedValue(text, target.axis->scale);
  if (!value) return false;
  *target.value = *value;
  const int32_t minimum = target.axis->minimum, maximum = target.axis->maximum;
  NotifyChange(target.mask, Batch::kReportNow, nowTick);
  if (outcome) {
    // The owner took the report and may have loaded the sheet again: what
    // the target holds now is what the table shows.
    const TypedTarget now = FindTypedTarget(
        sheetIndex >= 0 && sheetIndex < SheetCount() ? &Sheet(sheetIndex) : nullptr, column, row);
    *outcome = {true, *value, now.value ? *now.value : *value, minimum, maximum};
  }
  return true;
}

void CTabModel::ShowUserMessage(const char* packed) const {
  const std::string text = LngStr(packed);
  if (messageSink_) {
    messageSink_(text);
  } else {
    MessageBox().ShowMessage(text);
  }
}

}  // namespace ign
