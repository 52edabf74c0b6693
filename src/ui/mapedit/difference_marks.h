#pragma once
// Cells of a map editor marked as different from another set of settings,
// while a difference view is open: a cell (column and row), an rpm point
// (row -1, its column header) or a load point (column -1, its row header) of
// one sheet. Drawn over the table as a frame in the mark colour; a cell whose
// row or column the table does not show (a collapsed axis) marks the header
// of the one it does.
#include <QPainter>
#include <vector>

#include "core/mapedit/geometry.h"
#include "core/mapedit/sheet.h"

namespace ign {

struct DifferenceMark {
  int sheet = 0;
  int column = -1;
  int row = -1;
};

// The marks of the active sheet (index sheetIndex) that the table shows.
void PaintDifferenceMarks(QPainter& p, const TableLayout& layout, int sheetIndex,
                          const std::vector<DifferenceMark>& marks);

}  // namespace ign
