#include "core/mapedit/gesture.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

#include "core/mapedit/selection.h"

namespace ign {

namespace {

bool IsX(int kind) { return kind == SelKind::kXPoints; }
bool IsY(int kind) { return kind == SelKind::kYPoints; }

const CAxe& TargetAxis(const CSheet& sheet) {
  const int kind = sheet.sel.kind;
  return IsX(kind) ? sheet.x : IsY(kind) ? sheet.y : sheet.data;
}

// The points a gesture may reach, inclusive (columns, then rows).
struct Extent {
  int cLo, cHi, rLo, rHi;
};

Extent ExtentOf(const CSheet& sheet) {
  const int kind = sheet.sel.kind;
  if (IsX(kind)) return {0, std::min(sheet.x.count, kMaxColumns) - 1, -1, -1};
  if (IsY(kind)) return {-1, -1, 0, std::min(sheet.y.count, kMaxRows) - 1};
  return {sheet.ShownColumnBegin(), std::min(sheet.ShownColumnEnd(), sheet.UsedColumns()) - 1,
          sheet.ShownRowBegin(), std::min(sheet.ShownRowEnd(), sheet.UsedRows()) - 1};
}

// The gesture's values as a grid: X points are one row, Y points one column.
struct Grid {
  CSheet& sheet;
  int kind;
  int32_t& At(int c, int r) const {
    if (IsX(kind)) return sheet.x.values[static_cast<std::size_t>(c)];
    if (IsY(kind)) return sheet.y.values[static_cast<std::size_t>(r)];
    return sheet.Cell(c, r);
  }
};

// Grid coordinates of a box: axis boxes get 0 in their unused direction.
GestureBox GridBox(const GestureBox& b, int kind) {
  GestureBox g = b;
  if (IsX(kind)) g.r0 = g.r1 = 0;
  if (IsY(kind)) g.c0 = g.c1 = 0;
  return g;
}

int32_t Saturate(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Extends a line of values v[lo..hi] (lo < hi) to index i.
int64_t Continue(int i, int lo, int hi, const std::function<int64_t(int)>& v) {
  if (i < lo) return v(lo) + static_cast<int64_t>(i - lo) * (v(lo + 1) - v(lo));
  if (i > hi) return v(hi) + static_cast<int64_t>(i - hi) * (v(hi) - v(hi - 1));
  return v(i);
}

// Writes value(c, r) into every grid point of target, then reports and
// selects the target.
bool WriteTarget(CTabModel& model, const GestureBox& target,
                 const std::function<std::optional<int64_t>(int c, int r)>& value, int32_t nowTick) {
  CSheet& sheet = *model.Active();
  const int kind = sheet.sel.kind;
  const Grid grid{sheet, kind};
  const GestureBox t = GridBox(target, kind);
  const Extent e = ExtentOf(sheet);
  const GestureBox limit = GridBox(GestureBox{e.cLo, e.rLo, e.cHi, e.rHi}, kind);
  if (t.c0 < limit.c0 || t.c1 > limit.c1 || t.r0 < limit.r0 || t.r1 > limit.r1 || t.c0 > t.c1 ||
      t.r0 > t.r1) {
    return false;
  }
  std::vector<std::pair<int32_t*, int32_t>> writes;
  for (int r = t.r0; r <= t.r1; ++r) {
    for (int c = t.c0; c <= t.c1; ++c) {
      if (const std::optional<int64_t> v = value(c, r)) writes.emplace_back(&grid.At(c, r), Saturate(*v));
    }
  }
  for (const auto& [cell, v] : writes) *cell = v;
  const unsigned mask = IsX(kind) ? Change::kX : IsY(kind) ? Change::kY : Change::kData;
  model.NotifyChange(mask, Batch::kGesture, nowTick);
  Select(sheet, SelKind::OnCells(kind) ? SelKind::kCells : kind, target.c0, target.r0, target.c1, target.r1);
  model.NotifyChange(0, Batch::kEndGesture, nowTick);
  return true;
}

}  // namespace

std::optional<GestureBox> SelectionBox(const CSheet& sheet) {
  const TSel& s = sheet.sel;
  if (s.Empty()) return std::nullopt;
  return GestureBox{s.boxX0, s.boxY0, s.boxX1, s.boxY1};
}

bool GestureAllowed(const CSheet& sheet) {
  if (!sheet.Usable() || sheet.sel.Empty()) return false;
  return TargetAxis(sheet).editable;
}

GestureBox FillTarget(const CSheet& sheet, int dColumns, int dRows) {
  const std::optional<GestureBox> box = SelectionBox(sheet);
  if (!box) return {};
  const Extent e = ExtentOf(sheet);
  GestureBox t = *box;
  const auto stretch = [](int nearEdge, int farEdge, int delta, int lo, int hi, int& outLo, int& outHi) {
    const int far = farEdge + delta;
    outLo = std::clamp(std::min(nearEdge, far), lo, hi);
    outHi = std::clamp(std::max(nearEdge, far), lo, hi);
  };
  if (!IsY(sheet.sel.kind)) stretch(box->c0, box->c1, dColumns, e.cLo, e.cHi, t.c0, t.c1);
  if (!IsX(sheet.sel.kind)) stretch(box->r0, box->r1, dRows, e.rLo, e.rHi, t.r0, t.r1);
  return t;
}

GestureBox CopyTarget(const CSheet& sheet, int dColumns, int dRows) {
  const std::optional<GestureBox> box = SelectionBox(sheet);
  if (!box) return {};
  const Extent e = ExtentOf(sheet);
  GestureBox t = *box;
  const auto shift = [](int& lo, int& hi, int delta, int minLo, int maxHi) {
    lo += delta, hi += delta;
    if (hi > maxHi) lo -= hi - maxHi, hi = maxHi;
    if (lo < minLo) hi += minLo - lo, lo = minLo;
  };
  if (!IsY(sheet.sel.kind)) shift(t.c0, t.c1, dColumns, e.cLo, e.cHi);
  if (!IsX(sheet.sel.kind)) shift(t.r0, t.r1, dRows, e.rLo, e.rHi);
  return t;
}

bool ApplyFill(CTabModel& model, const GestureBox& target, int32_t nowTick) {
  CSheet* sheet = model.Active();
  if (!sheet || !GestureAllowed(*sheet)) return false;
  const int kind = sheet->sel.kind;
  const GestureBox s = GridBox(*SelectionBox(*sheet), kind);
  const Grid grid{*sheet, kind};
  // The source values, taken before anything is written.
  const int w = s.c1 - s.c0 + 1, h = s.r1 - s.r0 + 1;
  std::vector<int64_t> source(static_cast<std::size_t>(w * h));
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) source[static_cast<std::size_t>(r * w + c)] = grid.At(s.c0 + c, s.r0 + r);
  }
  const auto src = [&](int c, int r) {
    return source[static_cast<std::size_t>((r - s.r0) * w + (c - s.c0))];
  };

  return WriteTarget(
      model, target,
      [&](int c, int r) -> std::optional<int64_t> {
        if (w == 1 && h == 1) return src(s.c0, s.r0);
        if (h == 1) return Continue(c, s.c0, s.c1, [&](int i) { return src(i, s.r0); });
        if (w == 1) return Continue(r, s.r0, s.r1, [&](int i) { return src(s.c0, i); });
        if (c >= s.c0 && c <= s.c1 && r >= s.r0 && r <= s.r1) return std::nullopt;  // inside the block
        const int cc = std::clamp(c, s.c0, s.c1), rr = std::clamp(r, s.r0, s.r1);
        const int64_t alongRow = Continue(c, s.c0, s.c1, [&](int i) { return src(i, rr); }) - src(cc, rr);
        const int64_t alongColumn = Continue(r, s.r0, s.r1, [&](int i) { return src(cc, i); }) - src(cc, rr);
        return src(cc, rr) + alongRow + alongColumn;
      },
      nowTick);
}

bool ApplyCopy(CTabModel& model, const GestureBox& target, int32_t nowTick) {
  CSheet* sheet = model.Active();
  if (!sheet || !GestureAllowed(*sheet)) return false;
  const int kind = sheet->sel.kind;
  const GestureBox s = GridBox(*SelectionBox(*sheet), kind);
  const GestureBox t = GridBox(target, kind);
  if (t.c1 - t.c0 != s.c1 - s.c0 || t.r1 - t.r0 != s.r1 - s.r0) return false;
  const Grid grid{*sheet, kind};
  const int w = s.c1 - s.c0 + 1, h = s.r1 - s.r0 + 1;
  std::vector<int64_t> source(static_cast<std::size_t>(w * h));
  for (int r = 0; r < h; ++r) {
    for (int c = 0; c < w; ++c) source[static_cast<std::size_t>(r * w + c)] = grid.At(s.c0 + c, s.r0 + r);
  }
  return WriteTarget(
      model, target,
      [&](int c, int r) -> std::optional<int64_t> {
        return source[static_cast<std::size_t>((r - t.r0) * w + (c - t.c0))];
      },
      nowTick);
}

}  // namespace ign
