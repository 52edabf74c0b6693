#include "core/mapedit/navigation.h"

#include <gtest/gtest.h>

#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

struct MoveCase {
  Cursor from;
  NavKey key;
  Cursor to;
};

// On the 15 x 10 advance map.
TEST(MoveCursor, WrapsThroughTheHeaders) {
  CTabModel m = test::MakeAdvanceEditor();
  const MoveCase cases[] = {
      {{0, 3}, NavKey::kLeft, {-1, 3}},   // first column: the row's Y header
      {{-1, 3}, NavKey::kLeft, {14, 3}},  // and on to the row's last column
      {{14, 3}, NavKey::kRight, {-1, 3}},
      {{-1, 3}, NavKey::kRight, {0, 3}},
      {{5, 0}, NavKey::kUp, {5, -1}},
      {{5, -1}, NavKey::kUp, {5, 9}},
      {{5, 9}, NavKey::kDown, {5, -1}},
      {{0, -1}, NavKey::kLeft, {0, -1}},  // never into the corner
      {{-1, 0}, NavKey::kUp, {-1, 0}},
      {{6, 4}, NavKey::kHome, {0, 4}},
      {{6, 4}, NavKey::kEnd, {14, 4}},
      {{6, 4}, NavKey::kPageUp, {6, 0}},
      {{6, 4}, NavKey::kPageDown, {6, 9}},
      {{6, 4}, NavKey::kEnter, {6, 5}},
      {{6, 9}, NavKey::kEnter, {7, -1}},  // last row: the next column's X header
      {{7, -1}, NavKey::kEnter, {7, 0}},
      {{14, 9}, NavKey::kEnter, {-1, 0}},  // after the last column: the first row's Y header
      {{-1, 0}, NavKey::kEnter, {0, 0}},
  };
  for (const MoveCase& c : cases) {
    const Cursor to = MoveCursor(*m.Active(), c.from, c.key);
    EXPECT_EQ(to, c.to) << "from " << c.from.column << "," << c.from.row << " key " << static_cast<int>(c.key)
                        << " gave " << to.column << "," << to.row;
  }
}

TEST(MoveCursor, CollapsedAxisOffersItsIndexOnly) {
  CTabModel m = test::MakeAdvanceEditor();
  m.Active()->y.collapsed = 1;
  m.SelectSheet(0);
  EXPECT_EQ(MoveCursor(*m.Active(), {3, 9}, NavKey::kDown), (Cursor{3, -1}));
  EXPECT_EQ(MoveCursor(*m.Active(), {3, -1}, NavKey::kDown), (Cursor{3, 9}));
  EXPECT_EQ(MoveCursor(*m.Active(), {3, 2}, NavKey::kPageUp), (Cursor{3, 9}));
}

TEST(ExtendCursor, StopsAtTheEdges) {
  CTabModel m = test::MakeAdvanceEditor();
  EXPECT_EQ(ExtendCursor(*m.Active(), {0, 0}, NavKey::kLeft), (Cursor{0, 0}));
  EXPECT_EQ(ExtendCursor(*m.Active(), {14, 9}, NavKey::kDown), (Cursor{14, 9}));
  EXPECT_EQ(ExtendCursor(*m.Active(), {3, 3}, NavKey::kRight), (Cursor{4, 3}));
  EXPECT_EQ(ExtendCursor(*m.Active(), {3, 3}, NavKey::kEnd), (Cursor{14, 3}));
}

}  // namespace
}  // namespace ign
