#pragma once
// CSheet: one map of an editor (its X axis, Y axis, data and selection) and
// TSel, the selection of a sheet.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/mapedit/axe.h"
#include "core/mapedit/limits.h"

namespace ign {

// Selection kinds; a selection is of one kind at a time.
namespace SelKind {
inline constexpr int kNone = 0;
inline constexpr int kCells = 1;
inline constexpr int kXPoints = 2;
inline constexpr int kYPoints = 4;
inline constexpr int kColumns = 8;  // whole columns, picked on the column selector
inline constexpr int kRows = 16;    // whole rows, picked on the row selector
// Kinds whose marks live on the cells.
constexpr bool OnCells(int kind) { return kind == kCells || kind == kColumns || kind == kRows; }
}  // namespace SelKind

// Per-point selection state bits.
namespace SelBit {
inline constexpr uint16_t kSelected = 1;
inline constexpr uint16_t kMarking = 2;  // being selected by the current mouse gesture
inline constexpr uint16_t kCorner = 4;   // corner of a rectangular selection
}  // namespace SelBit

struct TSel {
  int building = SelKind::kNone;  // kind of the selection being marked
  int kind = SelKind::kNone;      // committed kind
  std::array<uint16_t, kMaxColumns> xState{};
  std::array<uint16_t, kMaxRows> yState{};
  std::array<uint16_t, kMaxCells> cellState{};

  // Set when the committed selection is one filled rectangle (an unbroken
  // run for axes) spanning at least 3 points in some direction.
  bool rectangle = false;
  int rectX0 = -1, rectX1 = -1, rectY0 = -1, rectY1 = -1;

  int anchorX = -1, anchorY = -1;    // mouse gesture anchor (column, row)
  int currentX = -1, currentY = -1;  // and its current point (the cursor)
  int firstHitX = -1, firstHitY = -1;
  int lastHitX = -1, lastHitY = -1;

  // Bounding box: -2 everywhere when empty; the row is -1 for X points and
  // the column is -1 for Y points.
  int boxX0 = -2, boxX1 = -2, boxY0 = -2, boxY1 = -2;
  int selectedCount = 0;

  bool Empty() const { return selectedCount == 0; }
};

class CSheet {
 public:
  // A sheet of columns x rows (each clamped to 1 .. the axis limit).
  CSheet(int columns = 1, int rows = 1);

  uint32_t flags = 0;               // SheetFlag bits
  int32_t enabled = 1;              // the user's switch
  int32_t hidden = 0;               // no tab, skipped when switching sheets
  int32_t available = 1;            // kept by the owner
  uint32_t curveColour = 0x0000FF;  // Windows colour values 0x00BBGGRR
  uint32_t lightColour = 0x808080;
  uint32_t accentColour = 0xFF0000;
  std::string name;   // packed
  int nameWidth = 0;  // pixel width of the tab (set by the view)
  int32_t titleFontSize = 13;
  int32_t titleTextSize = 12;  // same sign rule as CAxe::fontSize

  CAxe x;
  CAxe y;
  CAxe data;

  int liveColumn = -2;  // -2 = unknown
  int liveRow = -2;
  int liveState = 0;    // 0 none, 1 active map, 2 another map, -1 load type mismatch
  int32_t liveAfr = 0;  // air-fuel slot for the unit "AFR" (never filled here)

  TSel sel;
  int32_t linkedGroup = 0;    // sheets with the same non-zero group keep the same size
  bool compactCells = false;  // (X+1) x (Y+1) cells (editors with EditorFlag::kCompact)

  // Drawn and edited only when enabled, available and not hidden.
  bool Usable() const { return enabled && available && !hidden; }

  // Cells in use along each axis: the count, plus one in the compact layout
  // (never more than the row pitch or the row limit).
  int UsedColumns() const;
  int UsedRows() const;
  bool InCells(int column, int row) const {
    return column >= 0 && row >= 0 && column < UsedColumns() && row < UsedRows();
  }

  static constexpr int CellIndex(int column, int row) { return row * kRowPitch + column; }
  int32_t& Cell(int column, int row) { return data.values[static_cast<std::size_t>(CellIndex(column, row))]; }
  int32_t Cell(int column, int row) const {
    return data.values[static_cast<std::size_t>(CellIndex(column, row))];
  }

  // Cell rows and columns shown by the table: the collapsed index alone when
  // an axis is collapsed, else all used ones.
  int ShownRowBegin() const { return y.collapsed ? y.collapsedIndex : 0; }
  int ShownRowEnd() const { return y.collapsed ? y.collapsedIndex + 1 : UsedRows(); }
  int ShownColumnBegin() const { return x.collapsed ? x.collapsedIndex : 0; }
  int ShownColumnEnd() const { return x.collapsed ? x.collapsedIndex + 1 : UsedColumns(); }
};

// Pixel width of a sheet's tab: the widest of the name's three languages,
// measured by textWidth, plus 15.
int SheetNameWidth(std::string_view packedName, const std::function<int(std::string_view)>& textWidth);

}  // namespace ign
