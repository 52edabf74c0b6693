// Interpolate and the preview buffer.
#include <algorithm>
#include <cmath>

#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"

namespace ign {

namespace {

int32_t RoundToStored(double v) {
  return static_cast<int32_t>(std::clamp(std::round(v), -2147483648.0, 2147483647.0));
}

// Position of point i for the weights: its value on a numeric axis, else i.
double Position(const CAxe& axis, int i) {
  if (axis.numeric && i >= 0 && i < static_cast<int>(axis.values.size())) {
    return axis.values[static_cast<std::size_t>(i)];
  }
  return i;
}

double Weight(double at, double from, double to) { return to == from ? 0.5 : (at - from) / (to - from); }

}  // namespace

bool ComputeInterpolation(const CSheet& sheet, std::array<int32_t, kMaxCells>& buffer) {
  const TSel& sel = sheet.sel;
  if (!sel.rectangle) return false;
  if (sel.kind == SelKind::kXPoints || sel.kind == SelKind::kYPoints) {
    const CAxe& axis = sel.kind == SelKind::kXPoints ? sheet.x : sheet.y;
    const int i0 = sel.kind == SelKind::kXPoints ? sel.rectX0 : sel.rectY0;
    const int i1 = sel.kind == SelKind::kXPoints ? sel.rectX1 : sel.rectY1;
    if (i0 < 0 || i1 >= std::min(axis.count, static_cast<int>(axis.values.size())) || i1 < i0) return false;
    const double v0 = axis.values[static_cast<std::size_t>(i0)];
    const double v1 = axis.values[static_cast<std::size_t>(i1)];
    for (int i = i0; i <= i1; ++i) {
      const double g = Weight(i, i0, i1);
      buffer[static_cast<std::size_t>(i)] = RoundToStored(g * v1 + (1 - g) * v0);
    }
    return true;
  }
  const int c0 = sel.rectX0, c1 = sel.rectX1, r0 = sel.rectY0, r1 = sel.rectY1;
  if (c0 < 0 || r0 < 0 || c1 < c0 || r1 < r0 || !sheet.InCells(c1, r1)) return false;
  const double v00 = sheet.Cell(c0, r0), v10 = sheet.Cell(c1, r0);
  const double v01 = sheet.Cell(c0, r1), v11 = sheet.Cell(c1, r1);
  const double x0 = Position(sheet.x, c0), x1 = Position(sheet.x, c1);
  const double y0 = Position(sheet.y, r0), y1 = Position(sheet.y, r1);
  for (int r = r0; r <= r1; ++r) {
    const double h = Weight(Position(sheet.y, r), y0, y1);
    for (int c = c0; c <= c1; ++c) {
      const double g = Weight(Position(sheet.x, c), x0, x1);
      const double v = g * (h * v11 + (1 - h) * v10) + (1 - g) * (h * v01 + (1 - h) * v00);
      buffer[static_cast<std::size_t>(CSheet::CellIndex(c, r))] = RoundToStored(v);
    }
  }
  return true;
}

void FillPreview(const CSheet& sheet, std::array<int32_t, kMaxCells>& buffer) {
  const int kind = sheet.sel.kind;
  const std::vector<int32_t>& source = kind == SelKind::kXPoints   ? sheet.x.values
                                       : kind == SelKind::kYPoints ? sheet.y.values
                                                                   : sheet.data.values;
  const std::size_t n = std::min(source.size(), buffer.size());
  std::copy_n(source.begin(), n, buffer.begin());
  ComputeInterpolation(sheet, buffer);
}

bool Interpolate(CTabModel& model, int32_t nowTick) {
  CSheet* sheet = model.Active();
  if (!sheet || !sheet->Usable() || !sheet->sel.rectangle || sheet->sel.selectedCount < 3) return false;
  const int kind = sheet->sel.kind;
  CAxe& target = kind == SelKind::kXPoints ? sheet->x : kind == SelKind::kYPoints ? sheet->y : sheet->data;
  if (!target.editable) return false;
  std::array<int32_t, kMaxCells> buffer{};
  if (!ComputeInterpolation(*sheet, buffer)) return false;

  const TSel& sel = sheet->sel;
  unsigned mask = Change::kData;
  if (kind == SelKind::kXPoints || kind == SelKind::kYPoints) {
    const bool isX = kind == SelKind::kXPoints;
    mask = isX ? Change::kX : Change::kY;
    for (int i = isX ? sel.rectX0 : sel.rectY0; i <= (isX ? sel.rectX1 : sel.rectY1); ++i) {
      target.values[static_cast<std::size_t>(i)] = buffer[static_cast<std::size_t>(i)];
    }
  } else {
    for (int r = sel.rectY0; r <= sel.rectY1; ++r) {
      for (int c = sel.rectX0; c <= sel.rectX1; ++c)
        sheet->Cell(c, r) = buffer[static_cast<std::size_t>(CSheet::CellIndex(c, r))];
    }
  }
  model.NotifyChange(mask, Batch::kGesture, nowTick);
  ClearSelection(sheet->sel);
  model.NotifyChange(0, Batch::kEndGesture, nowTick);
  return true;
}

}  // namespace ign
