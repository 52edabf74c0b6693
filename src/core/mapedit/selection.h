#pragma once
// Building and reading the selection of a sheet (TSel). Marks are only ever
// placed on used points and cells; nothing outside the counts is touched.
#include <vector>

#include "core/mapedit/sheet.h"

namespace ign {

// Clears every mark, the kinds, the rectangle and the bounding box (the
// gesture anchor and cursor stay).
void ClearSelection(TSel& sel);

// Marks the points of a kind between (c0, r0) and (c1, r1) (any corner
// order) as being selected: cells of the rectangle, X points c0..c1, Y
// points r0..r1, whole shown columns c0..c1 or whole shown rows r0..r1.
// The rectangle is clipped to the used part of the sheet.
void MarkSelection(CSheet& sheet, int kind, int c0, int r0, int c1, int r1);

// Commits the marks: marked points become selected, the marking and corner
// bits are cleared, then bounding box, count and the rectangle test are
// recomputed and corner marks set.
void CommitSelection(CSheet& sheet);

// Recomputes bounding box, count, rectangle and corner marks from the
// selected bits (after the selected bits were changed directly).
void RecountSelection(CSheet& sheet);

// Clears (unless adding to a selection of the same kind), marks and commits.
void Select(CSheet& sheet, int kind, int c0, int r0, int c1, int r1, bool add = false);

// A column whose shown cells are all selected (any cell kind), or whose X
// point is selected (X points); rows alike.
bool ColumnFullySelected(const CSheet& sheet, int column);
bool RowFullySelected(const CSheet& sheet, int row);
std::vector<int> FullySelectedColumns(const CSheet& sheet);
std::vector<int> FullySelectedRows(const CSheet& sheet);

bool CellSelected(const CSheet& sheet, int column, int row);

}  // namespace ign
