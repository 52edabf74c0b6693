#pragma once
// Selecting with the mouse: button down sets the anchor (Shift and Ctrl
// rules), dragging marks the rectangle between anchor and current point,
// button up commits. The corner and the right button have rules of their
// own. Pure functions of a sheet (its TSel); only used points are marked.
#include "core/mapedit/geometry.h"
#include "core/mapedit/navigation.h"
#include "core/mapedit/sheet.h"

namespace ign {

// The selection kind a hit picks (SelKind::kNone for corners and misses).
int SelKindOfHit(HitKind kind);

// Button down on a cell, header or selector cell. With neither or both of
// Shift and Ctrl the selection is cleared; a hit of another kind than the
// committed one clears it too (selectors count as cells). The anchor moves
// to the hit unless only Shift is held and an anchor exists. Marks anchor ..
// hit. False (nothing changed) for other hits.
bool BeginMouseSelection(CSheet& sheet, const Hit& hit, bool shift, bool ctrl);
// The current point moved to (column, row): the marks follow the rectangle.
void DragMouseSelection(CSheet& sheet, int column, int row);
// Button up: the marks become the selection.
void EndMouseSelection(CSheet& sheet);
// Drops the marks of an unfinished gesture (the committed selection stays).
void CancelMouseSelection(CSheet& sheet);

// Left click on the corner: the square selects all shown cells, or clears
// the selection when they are all selected; the triangles select all X or
// all Y points. False for other hits.
bool CornerClick(CSheet& sheet, HitKind kind);
// Right button down: corners select as above (never clearing); an item that
// is not selected becomes the selection alone (a selector its whole line,
// unless that line is fully selected already). True when it changed.
bool RightPressSelect(CSheet& sheet, const Hit& hit);
// Whether the item under a hit is selected now.
bool HitSelected(const CSheet& sheet, const Hit& hit);

// The shown point nearest to a pixel, clamped to the shown columns and rows
// (for a drag that leaves the table).
Cursor NearestShownPoint(const TableLayout& layout, int x, int y);
// How far a pixel lies outside the shown cells: negative left / above,
// positive right / below, 0 inside that direction.
struct Outside {
  int dx = 0, dy = 0;
};
Outside OutsideCells(const TableLayout& layout, int x, int y);

}  // namespace ign
