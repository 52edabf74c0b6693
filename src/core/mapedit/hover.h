#pragma once
// What the pointer is over in the table view besides plain cells: the fill
// handle and the frame of the selection, the interpolation triangles of a
// rectangle, and the +/- buttons of an editable value. Pure functions of a
// sheet and its layout.
#include <array>

#include "core/mapedit/geometry.h"
#include "core/mapedit/sheet.h"

namespace ign {

inline constexpr int kPlusMinusWidth = 15;
inline constexpr int kFillHandleReach = 5;  // px around the selection's bottom-right corner
inline constexpr int kBorderReach = 2;      // px around the selection's frame

enum class HoverKind {
  kNone,
  kFillHandle,
  kBorder,
  kInterpolation,
  kPlus,
  kMinus,
  kValue,  // an editable value without its buttons under the pointer
};

struct Hover {
  HoverKind kind = HoverKind::kNone;
  Hit target;  // the value the +/- buttons belong to (kPlus, kMinus, kValue)
  bool operator==(const Hover&) const = default;
};

// The +/- buttons at the right end of a value's rectangle: 15 px wide, the
// upper half +, the lower half -.
struct PlusMinus {
  Rect plus, minus;
};
PlusMinus PlusMinusButtons(const Rect& value);

// The rectangle of a value a hit names (cell, X header or Y header); empty
// for other hits.
Rect ValueRect(const TableLayout& layout, const Hit& hit);
// Whether a hit names a value the user may change (usable sheet, editable
// part, inside the counts).
bool ValueEditable(const CSheet& sheet, const Hit& hit);

// The pixel frame of the selection's bounding box (cells, X or Y header
// cells); empty without a selection.
Rect SelectionFrame(const TableLayout& layout, const CSheet& sheet);

// A right triangle: the corner with the right angle and the two leg ends.
struct Triangle {
  int x0, y0, x1, y1, x2, y2;
  bool Contains(int x, int y) const;
};
// The four interpolation triangles in the corners of a rectangle selection
// (legs of one cell height, or of the header height on axis runs).
bool InterpolationTriangles(const TableLayout& layout, const CSheet& sheet, std::array<Triangle, 4>& out);

// The hover state at (x, y): fill handle, then border (both only where the
// gestures are offered), then the interpolation triangles (editable
// rectangles), then the +/- buttons of an editable value under the pointer.
Hover HoverAt(const TableLayout& layout, const CSheet& sheet, int x, int y);

}  // namespace ign
