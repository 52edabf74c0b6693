#include "core/mapedit/navigation.h"

#include <algorithm>

namespace ign {

namespace {

struct Span {
  int first, last;
};

Span Columns(const CSheet& s) {
  if (s.x.collapsed) return {s.x.collapsedIndex, s.x.collapsedIndex};
  return {0, std::max(std::min(s.x.count, kMaxColumns) - 1, 0)};
}

Span Rows(const CSheet& s) {
  if (s.y.collapsed) return {s.y.collapsedIndex, s.y.collapsedIndex};
  return {0, std::max(std::min(s.y.count, kMaxRows) - 1, 0)};
}

// One step along a line whose header sits before its first point: header,
// first .. last, header again. Headers of the other direction stay put.
int Step(int at, int delta, Span span) {
  if (at == -1) return delta < 0 ? span.last : span.first;
  const int next = at + delta;
  return (next < span.first || next > span.last) ? -1 : next;
}

}  // namespace

Cursor MoveCursor(const CSheet& sheet, Cursor c, NavKey key) {
  const Span cols = Columns(sheet);
  const Span rows = Rows(sheet);
  c.column = c.column == -1 ? -1 : std::clamp(c.column, cols.first, cols.last);
  c.row = c.row == -1 ? -1 : std::clamp(c.row, rows.first, rows.last);
  if (c.column == -1 && c.row == -1) c = Cursor{cols.first, rows.first};
  switch (key) {
    case NavKey::kLeft:
    case NavKey::kRight: {
      const int delta = key == NavKey::kLeft ? -1 : +1;
      if (c.IsXHeader()) {
        c.column = std::clamp(c.column + delta, cols.first, cols.last);
      } else {
        c.column = Step(c.column, delta, cols);
      }
      return c;
    }
    case NavKey::kUp:
    case NavKey::kDown: {
      const int delta = key == NavKey::kUp ? -1 : +1;
      if (c.IsYHeader()) {
        c.row = std::clamp(c.row + delta, rows.first, rows.last);
      } else {
        c.row = Step(c.row, delta, rows);
      }
      return c;
    }
    case NavKey::kHome: return Cursor{cols.first, c.row};
    case NavKey::kEnd: return Cursor{cols.last, c.row};
    case NavKey::kPageUp: return Cursor{c.column, rows.first};
    case NavKey::kPageDown: return Cursor{c.column, rows.last};
    case NavKey::kEnter:
      if (c.IsXHeader()) return Cursor{c.column, rows.first};
      if (c.IsYHeader()) return Cursor{cols.first, c.row};
      if (c.row < rows.last) return Cursor{c.column, c.row + 1};
      if (c.column < cols.last) return Cursor{c.column + 1, -1};
      return Cursor{-1, rows.first};
  }
  return c;
}

Cursor ExtendCursor(const CSheet& sheet, Cursor c, NavKey key) {
  const Span cols = Columns(sheet);
  const Span rows = Rows(sheet);
  c.column = std::clamp(c.column, cols.first, cols.last);
  c.row = std::clamp(c.row, rows.first, rows.last);
  switch (key) {
    case NavKey::kLeft: c.column = std::max(c.column - 1, cols.first); break;
    case NavKey::kRight: c.column = std::min(c.column + 1, cols.last); break;
    case NavKey::kUp: c.row = std::max(c.row - 1, rows.first); break;
    case NavKey::kDown: c.row = std::min(c.row + 1, rows.last); break;
    case NavKey::kHome: c.column = cols.first; break;
    case NavKey::kEnd: c.column = cols.last; break;
    case NavKey::kPageUp: c.row = rows.first; break;
    case NavKey::kPageDown: c.row = rows.last; break;
    case NavKey::kEnter: break;
  }
  return c;
}

}  // namespace ign
