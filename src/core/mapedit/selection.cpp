#include "core/mapedit/selection.h"

#include <algorithm>

namespace ign {

namespace {

constexpr uint16_t kMarkBits = SelBit::kMarking | SelBit::kCorner;

void Order(int& a, int& b) {
  if (a > b) std::swap(a, b);
}

template <typename Array>
void ForgetBits(Array& states, uint16_t bits) {
  for (uint16_t& s : states) s = static_cast<uint16_t>(s & ~bits);
}

}  // namespace

void ClearSelection(TSel& sel) {
  sel.xState.fill(0);
  sel.yState.fill(0);
  sel.cellState.fill(0);
  sel.building = SelKind::kNone;
  sel.kind = SelKind::kNone;
  sel.rectangle = false;
  sel.rectX0 = sel.rectX1 = sel.rectY0 = sel.rectY1 = -1;
  sel.boxX0 = sel.boxX1 = sel.boxY0 = sel.boxY1 = -2;
  sel.selectedCount = 0;
}

void MarkSelection(CSheet& sheet, int kind, int c0, int r0, int c1, int r1) {
  TSel& sel = sheet.sel;
  Order(c0, c1);
  Order(r0, r1);
  sel.building = kind;
  if (kind == SelKind::kXPoints) {
    const int n = std::min(sheet.x.count, kMaxColumns);
    for (int i = std::max(c0, 0); i <= std::min(c1, n - 1); ++i)
      sel.xState[static_cast<std::size_t>(i)] |= SelBit::kMarking;
    return;
  }
  if (kind == SelKind::kYPoints) {
    const int n = std::min(sheet.y.count, kMaxRows);
    for (int i = std::max(r0, 0); i <= std::min(r1, n - 1); ++i)
      sel.yState[static_cast<std::size_t>(i)] |= SelBit::kMarking;
    return;
  }
  if (!SelKind::OnCells(kind)) return;
  if (kind == SelKind::kColumns) {
    r0 = sheet.ShownRowBegin();
    r1 = sheet.ShownRowEnd() - 1;
  } else if (kind == SelKind::kRows) {
    c0 = sheet.ShownColumnBegin();
    c1 = sheet.ShownColumnEnd() - 1;
  }
  const int cEnd = std::min(c1, sheet.UsedColumns() - 1);
  const int rEnd = std::min(r1, sheet.UsedRows() - 1);
  for (int r = std::max(r0, 0); r <= rEnd; ++r) {
    for (int c = std::max(c0, 0); c <= cEnd; ++c) {
      sel.cellState[static_cast<std::size_t>(CSheet::CellIndex(c, r))] |= SelBit::kMarking;
    }
  }
}

void CommitSelection(CSheet& sheet) {
  TSel& sel = sheet.sel;
  const auto promote = [](auto& states) {
    for (uint16_t& s : states) {
      if (s & SelBit::kMarking) s |= SelBit::kSelected;
    }
  };
  promote(sel.xState);
  promote(sel.yState);
  promote(sel.cellState);
  if (sel.building != SelKind::kNone) sel.kind = sel.building;
  sel.building = SelKind::kNone;
  RecountSelection(sheet);
}

void RecountSelection(CSheet& sheet) {
  TSel& sel = sheet.sel;
  ForgetBits(sel.xState, kMarkBits);
  ForgetBits(sel.yState, kMarkBits);
  ForgetBits(sel.cellState, kMarkBits);
  sel.rectangle = false;
  sel.rectX0 = sel.rectX1 = sel.rectY0 = sel.rectY1 = -1;
  sel.boxX0 = sel.boxX1 = sel.boxY0 = sel.boxY1 = -2;
  sel.selectedCount = 0;

  int x0 = kMaxColumns, x1 = -1, y0 = kMaxRows, y1 = -1, n = 0;
  const auto take = [&](int c, int r) {
    x0 = std::min(x0, c), x1 = std::max(x1, c), y0 = std::min(y0, r), y1 = std::max(y1, r);
    ++n;
  };
  if (sel.kind == SelKind::kXPoints) {
    for (int i = 0; i < std::min(sheet.x.count, kMaxColumns); ++i) {
      if (sel.xState[static_cast<std::size_t>(i)] & SelBit::kSelected) take(i, -1);
    }
  } else if (sel.kind == SelKind::kYPoints) {
    for (int i = 0; i < std::min(sheet.y.count, kMaxRows); ++i) {
      if (sel.yState[static_cast<std::size_t>(i)] & SelBit::kSelected) take(-1, i);
    }
  } else if (SelKind::OnCells(sel.kind)) {
    for (int r = 0; r < sheet.UsedRows(); ++r) {
      for (int c = 0; c < sheet.UsedColumns(); ++c) {
        if (CellSelected(sheet, c, r)) take(c, r);
      }
    }
  }
  if (n == 0) {
    if (sel.building == SelKind::kNone) sel.kind = SelKind::kNone;
    return;
  }
  sel.boxX0 = x0, sel.boxX1 = x1, sel.boxY0 = y0, sel.boxY1 = y1;
  sel.selectedCount = n;

  const int width = x1 - x0 + 1;
  const int height = y1 - y0 + 1;
  if (n != width * height || std::max(width, height) < 3) return;
  sel.rectangle = true;
  sel.rectX0 = x0, sel.rectX1 = x1, sel.rectY0 = y0, sel.rectY1 = y1;
  if (sel.kind == SelKind::kXPoints) {
    sel.xState[static_cast<std::size_t>(x0)] |= SelBit::kCorner;
    sel.xState[static_cast<std::size_t>(x1)] |= SelBit::kCorner;
  } else if (sel.kind == SelKind::kYPoints) {
    sel.yState[static_cast<std::size_t>(y0)] |= SelBit::kCorner;
    sel.yState[static_cast<std::size_t>(y1)] |= SelBit::kCorner;
  } else {
    for (int r : {y0, y1}) {
      for (int c : {x0, x1})
        sel.cellState[static_cast<std::size_t>(CSheet::CellIndex(c, r))] |= SelBit::kCorner;
    }
  }
}

void Select(CSheet& sheet, int kind, int c0, int r0, int c1, int r1, bool add) {
  if (!add || kind != sheet.sel.kind) ClearSelection(sheet.sel);
  MarkSelection(sheet, kind, c0, r0, c1, r1);
  CommitSelection(sheet);
}

bool CellSelected(const CSheet& sheet, int column, int row) {
  if (column < 0 || row < 0 || column >= kMaxColumns || row >= kMaxRows) return false;
  return sheet.sel.cellState[static_cast<std::size_t>(CSheet::CellIndex(column, row))] & SelBit::kSelected;
}

bool ColumnFullySelected(const CSheet& sheet, int column) {
  if (column < 0 || column >= std::min(sheet.x.count, kMaxColumns)) return false;
  if (sheet.sel.kind == SelKind::kXPoints)
    return sheet.sel.xState[static_cast<std::size_t>(column)] & SelBit::kSelected;
  if (!SelKind::OnCells(sheet.sel.kind)) return false;
  for (int r = sheet.ShownRowBegin(); r < sheet.ShownRowEnd(); ++r) {
    if (!CellSelected(sheet, column, r)) return false;
  }
  return sheet.ShownRowEnd() > sheet.ShownRowBegin();
}

bool RowFullySelected(const CSheet& sheet, int row) {
  if (row < 0 || row >= std::min(sheet.y.count, kMaxRows)) return false;
  if (sheet.sel.kind == SelKind::kYPoints)
    return sheet.sel.yState[static_cast<std::size_t>(row)] & SelBit::kSelected;
  if (!SelKind::OnCells(sheet.sel.kind)) return false;
  for (int c = sheet.ShownColumnBegin(); c < sheet.ShownColumnEnd(); ++c) {
    if (!CellSelected(sheet, c, row)) return false;
  }
  return sheet.ShownColumnEnd() > sheet.ShownColumnBegin();
}

std::vector<int> FullySelectedColumns(const CSheet& sheet) {
  std::vector<int> out;
  for (int c = 0; c < std::min(sheet.x.count, kMaxColumns); ++c) {
    if (ColumnFullySelected(sheet, c)) out.push_back(c);
  }
  return out;
}

std::vector<int> FullySelectedRows(const CSheet& sheet) {
  std::vector<int> out;
  for (int r = 0; r < std::min(sheet.y.count, kMaxRows); ++r) {
    if (RowFullySelected(sheet, r)) out.push_back(r);
  }
  return out;
}

}  // namespace ign
