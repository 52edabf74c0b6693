#pragma once
// Cursor moves of the table view's keyboard, as pure functions of a sheet.
// A cursor is a cell (column, row), an X header cell (column, -1) or a Y
// header cell (-1, row). Collapsed axes offer their collapsed index only.
#include "core/mapedit/sheet.h"

namespace ign {

struct Cursor {
  int column = 0;
  int row = 0;
  bool IsXHeader() const { return row == -1 && column >= 0; }
  bool IsYHeader() const { return column == -1 && row >= 0; }
  bool operator==(const Cursor&) const = default;
};

enum class NavKey { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown, kEnter };

// The cursor after a key without Shift:
//  - Left from the first column goes to the row's Y header, and from there
//    to the row's last column; Right from the last column goes to the Y
//    header and from there to the first column. Up and Down pass through
//    the X header row likewise. A header never moves into the corner.
//  - Home / End: first / last column; Page Up / Page Down: first / last row.
//  - Enter: one row down; from the last row to the X header of the next
//    column (after the last column to the Y header of the first row); on
//    an X header to the first row of its column, on a Y header to the first
//    column of its row.
Cursor MoveCursor(const CSheet& sheet, Cursor from, NavKey key);

// The cursor after a key with Shift (extending a selection): cells only,
// stopping at the table edges. Enter does not extend.
Cursor ExtendCursor(const CSheet& sheet, Cursor from, NavKey key);

}  // namespace ign
