// Inserting and deleting columns and rows, in linked sheets as well.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/mapedit/commands.h"
#include "core/mapedit/geometry.h"
#include "core/mapedit/normalise.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"

namespace ign {

namespace {

// One orientation of a sheet: the axis whose points are inserted or
// deleted, and the cells as (index along that axis, index across it).
struct Lines {
  CSheet& sheet;
  bool alongX;

  CAxe& Axis() const { return alongX ? sheet.x : sheet.y; }
  int Used() const { return alongX ? sheet.UsedColumns() : sheet.UsedRows(); }
  int Limit() const { return alongX ? kMaxColumns : kMaxRows; }
  // Cells across the axis: the used ones only, nothing beyond the counts moves.
  int Across() const { return alongX ? sheet.UsedRows() : sheet.UsedColumns(); }
  int32_t& At(int i, int k) const { return alongX ? sheet.Cell(i, k) : sheet.Cell(k, i); }
  unsigned Mask() const { return (alongX ? Change::kX : Change::kY) | Change::kData | Change::kReset; }
};

int64_t Sum(int32_t a, int32_t b) { return static_cast<int64_t>(a) + b; }

// Inserts point b (0 <= b <= count < capacity) with its cells.
void InsertLine(const Lines& l, int b) {
  CAxe& a = l.Axis();
  const int n = a.count;
  const int usedBefore = l.Used();
  std::vector<int32_t>& v = a.values;
  const auto at = [&](int i) -> int32_t& { return v[static_cast<std::size_t>(i)]; };

  if (b < n) {
    for (int i = n; i > b; --i) {
      at(i) = at(i - 1);
      a.pointFlags[static_cast<std::size_t>(i)] = a.pointFlags[static_cast<std::size_t>(i - 1)];
    }
    at(b) = b == 0 ? at(b + 1) : static_cast<int32_t>(Sum(at(b - 1), at(b + 1)) / 2);
  } else if (at(b) <= at(b - 1)) {
    // A value left behind by an earlier removal is kept when it still fits.
    at(b) = at(b - 1);
  }

  const int last = std::min(usedBefore, l.Limit() - 1);
  const bool cellFollows = b < usedBefore;
  for (int k = 0; k < l.Across(); ++k) {
    for (int i = last; i > b; --i) l.At(i, k) = l.At(i - 1, k);
    if (!cellFollows) {
      l.At(b, k) = l.At(b - 1, k);
    } else if (b == 0) {
      l.At(b, k) = l.At(b + 1, k);
    } else {
      l.At(b, k) = static_cast<int32_t>(Sum(l.At(b - 1, k), l.At(b + 1, k)) / 2);
    }
  }
  a.count = n + 1;
}

// Deletes point i (0 <= i < count); values beyond the count stay stored.
void DeleteLine(const Lines& l, int i) {
  CAxe& a = l.Axis();
  const int used = l.Used();
  for (int j = i; j + 1 < a.count; ++j) {
    a.values[static_cast<std::size_t>(j)] = a.values[static_cast<std::size_t>(j + 1)];
    a.pointFlags[static_cast<std::size_t>(j)] = a.pointFlags[static_cast<std::size_t>(j + 1)];
  }
  for (int k = 0; k < l.Across(); ++k) {
    for (int j = i; j + 1 < used; ++j) l.At(j, k) = l.At(j + 1, k);
  }
  --a.count;
}

// Runs change on every other sheet of the active sheet's linked group.
void ForLinked(CTabModel& model, const std::function<void(int index, CSheet&)>& change) {
  const int group = model.Active()->linkedGroup;
  if (group == 0) return;
  for (int s = 0; s < model.SheetCount(); ++s) {
    if (s != model.ActiveIndex() && model.Sheet(s).linkedGroup == group) change(s, model.Sheet(s));
  }
}

bool Insert(CTabModel& model, bool alongX, int b, int32_t nowTick) {
  CSheet* sheet = model.Active();
  if (!sheet || !sheet->Usable()) return false;
  const Lines lines{*sheet, alongX};
  CAxe& axis = lines.Axis();
  ClampCounts(axis);
  if (!axis.resizable || axis.collapsed) return false;
  if (axis.count >= axis.capacity) {
    model.ShowUserMessage(alongX ? MapText::kColumnsFull : MapText::kRowsFull);
    return false;
  }
  b = std::clamp(b, 0, axis.count);

  model.NotifyChange(0, Batch::kGesture, nowTick);
  ClearSelection(sheet->sel);
  InsertLine(lines, b);
  CAxe& other = alongX ? sheet->y : sheet->x;
  if (other.collapsed) {
    const int k = other.collapsedIndex;
    Select(*sheet, SelKind::kCells, alongX ? b : k, alongX ? k : b, alongX ? b : k, alongX ? k : b);
  } else {
    Select(*sheet, alongX ? SelKind::kColumns : SelKind::kRows, b, b, b, b);
  }
  const int maxVisible = alongX ? model.MaxVisibleColumns() : model.MaxVisibleRows();
  axis.firstVisible =
      ScrollIntoView(axis.firstVisible, VisibleCount(axis.count, maxVisible, false), axis.count, b);
  model.NotifyChange(lines.Mask(), Batch::kGesture, nowTick);

  ForLinked(model, [&](int index, CSheet& linked) {
    const Lines l{linked, alongX};
    ClampCounts(l.Axis());
    if (l.Axis().count >= l.Axis().capacity) return;
    ClearSelection(linked.sel);
    InsertLine(l, std::min(b, l.Axis().count));
    model.NormaliseSheet(index, l.Mask());
  });
  model.NotifyChange(0, Batch::kEndGesture, nowTick);
  return true;
}

int Delete(CTabModel& model, bool alongX, std::vector<int> indices, int32_t nowTick) {
  CSheet* sheet = model.Active();
  if (!sheet || !sheet->Usable() || indices.empty()) return 0;
  const Lines lines{*sheet, alongX};
  ClampCounts(lines.Axis());
  if (!lines.Axis().resizable || lines.Axis().collapsed) return 0;

  std::sort(indices.rbegin(), indices.rend());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  model.NotifyChange(0, Batch::kGesture, nowTick);
  int deleted = 0;
  for (int i : indices) {
    if (lines.Axis().count <= lines.Axis().minCount) break;
    if (i < 0 || i >= lines.Axis().count) continue;
    DeleteLine(lines, i);
    ++deleted;
    ForLinked(model, [&](int, CSheet& linked) {
      const Lines l{linked, alongX};
      ClampCounts(l.Axis());
      if (i < l.Axis().count && l.Axis().count > l.Axis().minCount) DeleteLine(l, i);
    });
  }
  ClearSelection(sheet->sel);
  CAxe& axis = lines.Axis();
  const int maxVisible = alongX ? model.MaxVisibleColumns() : model.MaxVisibleRows();
  axis.firstVisible =
      ClampFirstVisible(axis.firstVisible, axis.count, VisibleCount(axis.count, maxVisible, false));
  if (deleted > 0) {
    model.NotifyChange(lines.Mask(), Batch::kGesture, nowTick);
    ForLinked(model, [&](int index, CSheet& linked) {
      ClearSelection(linked.sel);
      model.NormaliseSheet(index, Lines{linked, alongX}.Mask());
    });
  }
  model.NotifyChange(0, Batch::kEndGesture, nowTick);
  return deleted;
}

}  // namespace

bool InsertColumn(CTabModel& model, int b, int32_t nowTick) { return Insert(model, true, b, nowTick); }
bool InsertRow(CTabModel& model, int b, int32_t nowTick) { return Insert(model, false, b, nowTick); }

int DeleteSelectedColumns(CTabModel& model, int32_t nowTick) {
  const CSheet* sheet = model.Active();
  return sheet ? Delete(model, true, FullySelectedColumns(*sheet), nowTick) : 0;
}

int DeleteSelectedRows(CTabModel& model, int32_t nowTick) {
  const CSheet* sheet = model.Active();
  return sheet ? Delete(model, false, FullySelectedRows(*sheet), nowTick) : 0;
}

bool RemoveLastColumn(CTabModel& model, int32_t nowTick) {
  const CSheet* sheet = model.Active();
  return sheet && Delete(model, true, {sheet->x.count - 1}, nowTick) > 0;
}

}  // namespace ign
