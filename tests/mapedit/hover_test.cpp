#include "core/mapedit/hover.h"

#include <gtest/gtest.h>

#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

// The advance map at 1000 x 450 (view top 36): cell (1, 1) spans
// 148..207 x 117..151 (see geometry_test).
class HoverTest : public ::testing::Test {
 protected:
  TableLayout Layout() { return ComputeTableLayout(*m.Active(), frame); }
  CSheet& Sheet() { return *m.Active(); }
  CTabModel m = test::MakeAdvanceEditor();
  TableFrame frame{1000, 450, 36, 96, test::kAdvanceEditorFlags, 15, 10};
};

TEST_F(HoverTest, PlusMinusButtonsSitAtTheRightEndOfAnEditableValue) {
  const TableLayout t = Layout();
  const PlusMinus pm = PlusMinusButtons(CellRect(t, 1, 1));
  EXPECT_EQ(pm.plus, (Rect{192, 117, 207, 134}));
  EXPECT_EQ(pm.minus, (Rect{192, 134, 207, 151}));
  EXPECT_EQ(HoverAt(t, Sheet(), 200, 120), (Hover{HoverKind::kPlus, {HitKind::kCell, 1, 1}}));
  EXPECT_EQ(HoverAt(t, Sheet(), 200, 148), (Hover{HoverKind::kMinus, {HitKind::kCell, 1, 1}}));
  EXPECT_EQ(HoverAt(t, Sheet(), 160, 130), (Hover{HoverKind::kValue, {HitKind::kCell, 1, 1}}));
  // X header values are editable, the Y axis of the advance map is not.
  EXPECT_EQ(HoverAt(t, Sheet(), 200, 40).kind, HoverKind::kPlus);
  EXPECT_EQ(HoverAt(t, Sheet(), 70, 120).kind, HoverKind::kNone);
}

TEST_F(HoverTest, NothingIsOfferedOnADisabledSheetOrNonEditableData) {
  Sheet().enabled = 0;
  EXPECT_EQ(HoverAt(Layout(), Sheet(), 200, 120).kind, HoverKind::kNone);
  Sheet().enabled = 1;
  Sheet().data.editable = 0;
  Select(Sheet(), SelKind::kCells, 1, 1, 3, 3);
  const TableLayout t = Layout();
  const Rect f = SelectionFrame(t, Sheet());
  EXPECT_EQ(HoverAt(t, Sheet(), f.right, f.bottom).kind, HoverKind::kNone);
  EXPECT_EQ(HoverAt(t, Sheet(), f.left + 3, f.top + 3).kind, HoverKind::kNone);
}

TEST_F(HoverTest, FillHandleBeforeBorderBeforeTrianglesBeforeButtons) {
  Select(Sheet(), SelKind::kCells, 1, 1, 3, 3);
  const TableLayout t = Layout();
  const Rect f = SelectionFrame(t, Sheet());
  EXPECT_EQ(f, (Rect{CellRect(t, 1, 1).left, CellRect(t, 1, 1).top, CellRect(t, 3, 3).right,
                     CellRect(t, 3, 3).bottom}));
  struct Case {
    int x, y;
    HoverKind kind;
  } cases[] = {
      {f.right + 5, f.bottom + 5, HoverKind::kFillHandle},  // reach of the handle
      {f.right - 5, f.bottom - 5, HoverKind::kFillHandle},
      {f.right + 6, f.bottom + 6, HoverKind::kValue},  // cell (4, 4), beyond the handle's reach
      {f.left - 2, f.top + 40, HoverKind::kBorder},
      {f.left + 2, f.top + 40, HoverKind::kBorder},
      {(f.left + f.right) / 2, f.top - 2, HoverKind::kBorder},
      {f.left + 5, f.top + 5, HoverKind::kInterpolation},
      {f.right - 6, f.top + 5, HoverKind::kInterpolation},
      {(f.left + f.right) / 2 - 20, (f.top + f.bottom) / 2, HoverKind::kValue},
  };
  for (const Case& c : cases) EXPECT_EQ(HoverAt(t, Sheet(), c.x, c.y).kind, c.kind) << c.x << "," << c.y;
}

TEST_F(HoverTest, ARunOfTwoHasNoTriangles) {
  Select(Sheet(), SelKind::kCells, 1, 1, 2, 1);
  std::array<Triangle, 4> triangles{};
  EXPECT_FALSE(InterpolationTriangles(Layout(), Sheet(), triangles));
  Select(Sheet(), SelKind::kXPoints, 2, -1, 6, -1);
  ASSERT_TRUE(InterpolationTriangles(Layout(), Sheet(), triangles));
  const Rect f = SelectionFrame(Layout(), Sheet());
  EXPECT_EQ(f.top, 36);
  EXPECT_EQ(f.bottom, 69);
  EXPECT_TRUE(triangles[0].Contains(f.left + 2, f.top + 2));
  EXPECT_FALSE(triangles[0].Contains(f.left + 30, f.top + 30));
}

}  // namespace
}  // namespace ign
