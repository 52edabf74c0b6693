// Increment and decrement, use only / use both, enable, view choice and
// the dispatcher of the data commands.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"

namespace ign {

namespace {

int32_t Add(int32_t value, int64_t delta) {
  return static_cast<int32_t>(std::clamp<int64_t>(value + delta, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

bool BelowFirstColumnWithBase(const CTabModel& model, const CSheet& sheet) {
  return (sheet.flags & SheetFlag::kBaseAdvanceMarker) && sheet.x.label == "RPM" && !sheet.x.collapsed &&
         LiveIndex(sheet.x, model.Live(), sheet.flags, sheet.liveAfr) == kLiveBelowBase;
}

}  // namespace

StepTarget StepActsOn(const CTabModel& model) {
  const CSheet* sheet = model.Active();
  if (!sheet || !sheet->Usable()) return StepTarget::kNone;
  if (!sheet->sel.Empty()) return StepTarget::kSelection;
  if (!(sheet->flags & SheetFlag::kFollowsLive) || sheet->liveState <= 0) return StepTarget::kNone;
  if (BelowFirstColumnWithBase(model, *sheet)) return StepTarget::kBaseAdvance;
  if (sheet->InCells(sheet->liveColumn, sheet->liveRow) && sheet->data.editable) return StepTarget::kLiveCell;
  return StepTarget::kNone;
}

bool StepValues(CTabModel& model, int step, int32_t nowTick, std::optional<BatchId> batch) {
  CSheet* sheet = model.Active();
  switch (StepActsOn(model)) {
    case StepTarget::kNone: return false;
    case StepTarget::kBaseAdvance: {
      Markers& markers = model.MarkerValues();
      const double delta = std::round(step * sheet->data.scale);
      markers.baseAdvance = Add(markers.baseAdvance, static_cast<int64_t>(std::clamp(delta, -1e9, 1e9)));
      model.NotifyChange(Change::kMarkers, batch.value_or(StepBatch(StepTarget::kBaseAdvance, -1, -1)),
                         nowTick);
      return true;
    }
    case StepTarget::kLiveCell: {
      int32_t& cell = sheet->Cell(sheet->liveColumn, sheet->liveRow);
      cell = Add(cell, step);
      model.NotifyChange(Change::kData,
                         batch.value_or(StepBatch(StepTarget::kLiveCell, sheet->liveColumn, sheet->liveRow)),
                         nowTick);
      return true;
    }
    case StepTarget::kSelection: break;
  }
  const TSel& sel = sheet->sel;
  unsigned mask = 0;
  if (sel.kind == SelKind::kXPoints && sheet->x.editable) {
    for (int i = 0; i < std::min(sheet->x.count, kMaxColumns); ++i) {
      if (!(sel.xState[static_cast<std::size_t>(i)] & SelBit::kSelected)) continue;
      sheet->x.values[static_cast<std::size_t>(i)] = Add(sheet->x.values[static_cast<std::size_t>(i)], step);
      mask |= Change::kX;
    }
  } else if (sel.kind == SelKind::kYPoints && sheet->y.editable) {
    for (int i = 0; i < std::min(sheet->y.count, kMaxRows); ++i) {
      if (!(sel.yState[static_cast<std::size_t>(i)] & SelBit::kSelected)) continue;
      sheet->y.values[static_cast<std::size_t>(i)] = Add(sheet->y.values[static_cast<std::size_t>(i)], step);
      mask |= Change::kY;
    }
  } else if (SelKind::OnCells(sel.kind) && sheet->data.editable) {
    for (int r = 0; r < sheet->UsedRows(); ++r) {
      for (int c = 0; c < sheet->UsedColumns(); ++c) {
        if (!CellSelected(*sheet, c, r)) continue;
        sheet->Cell(c, r) = Add(sheet->Cell(c, r), step);
        mask |= Change::kData;
      }
    }
  }
  if (!mask) return false;
  model.NotifyChange(mask, batch.value_or(StepBatch(StepTarget::kSelection, sel.boxX0, sel.boxY0)), nowTick);
  return true;
}

bool UseDimensions(CTabModel& model, int code, int32_t nowTick) {
  CSheet* sheet = model.Active();
  if (!sheet || !sheet->Usable()) return false;
  CAxe& x = sheet->x;
  CAxe& y = sheet->y;
  if (code == Cmd::kUseOnlyX) {
    if (y.collapsible != Collapsible::kByUser) return false;
    x.collapsed = 0;
    y.collapsed = 1;
  } else if (code == Cmd::kUseOnlyY) {
    if (x.collapsible != Collapsible::kByUser) return false;
    x.collapsed = 1;
    y.collapsed = 0;
  } else if (code == Cmd::kUseBoth) {
    if (x.collapsible == Collapsible::kByOwner || y.collapsible == Collapsible::kByOwner) return false;
    if (x.collapsible != Collapsible::kByUser && y.collapsible != Collapsible::kByUser) return false;
    x.collapsed = 0;
    y.collapsed = 0;
  } else {
    return false;
  }
  // Marks on lines that are no longer shown would let commands reach cells
  // the user cannot see.
  ClearSelection(sheet->sel);
  model.NotifyChange(Change::kAll, Batch::kGesture, nowTick);
  model.SelectSheet(model.ActiveIndex());
  model.NotifyChange(0, Batch::kEndGesture, nowTick);
  return true;
}

bool ToggleEnabled(CTabModel& model, int32_t nowTick) {
  CSheet* sheet = model.Active();
  if (!sheet || !(sheet->flags & SheetFlag::kCanDisable)) return false;
  sheet->enabled = !(sheet->enabled && sheet->available);
  model.NotifyChange(Change::kAll, Batch::kReportNow, nowTick);
  return true;
}

int OfferedViews(uint32_t editorFlags) {
  int views = 0;
  if (editorFlags & EditorFlag::kTableView) views |= View::kTable;
  if (editorFlags & EditorFlag::kGraph2DView) views |= View::kGraph2D;
  if (editorFlags & EditorFlag::kGraph3DView) views |= View::kGraph3D;
  return views;
}

int NextOfferedView(int requested, uint32_t editorFlags) {
  const int offered = OfferedViews(editorFlags);
  if (!offered) return View::kTable;
  constexpr int kOrder[] = {View::kTable, View::kGraph2D, View::kGraph3D};
  int start = 0;
  for (int i = 0; i < 3; ++i) {
    if (kOrder[i] == requested) start = i;
  }
  for (int k = 0; k < 3; ++k) {
    const int view = kOrder[(start + k) % 3];
    if (offered & view) return view;
  }
  return View::kTable;
}

bool ExecuteDataCommand(CTabModel& model, int code, int32_t nowTick) {
  switch (code) {
    case Cmd::kIncrement: return StepValues(model, +1, nowTick);
    case Cmd::kDecrement: return StepValues(model, -1, nowTick);
    case Cmd::kUseOnlyX:
    case Cmd::kUseOnlyY:
    case Cmd::kUseBoth: return UseDimensions(model, code, nowTick);
    case Cmd::kEnable: return ToggleEnabled(model, nowTick);
    case Cmd::kAddColumn: {
      const CSheet* sheet = model.Active();
      return sheet && InsertColumn(model, sheet->x.count, nowTick);
    }
    case Cmd::kRemoveColumn: return RemoveLastColumn(model, nowTick);
    case Cmd::kInterpolate: return Interpolate(model, nowTick);
    default: return false;
  }
}

}  // namespace ign
