#include "core/mapedit/scrollbar.h"

#include <gtest/gtest.h>

namespace ign {
namespace {

// A horizontal bar 200 px long for 20 columns with 15 visible: arrows of
// 15 px, a track of 170 px, a thumb of 170 * 15 / 20 = 127 px and 43 px to
// travel over positions 0 .. 5.
class ScrollBarTest : public ::testing::Test {
 protected:
  Rect bar{100, 400, 300, 415};
  ScrollBarRange range = ScrollRange(20, 15, false);
};

TEST_F(ScrollBarTest, PartsAndThumbPlacement) {
  ScrollBarParts p = ScrollBarLayout(bar, true, range, 0);
  EXPECT_EQ(p.arrowBack, (Rect{100, 400, 115, 415}));
  EXPECT_EQ(p.arrowForward, (Rect{285, 400, 300, 415}));
  EXPECT_EQ(p.thumb, (Rect{115, 400, 242, 415}));
  p = ScrollBarLayout(bar, true, range, 5);
  EXPECT_EQ(p.thumb, (Rect{158, 400, 285, 415}));
  p = ScrollBarLayout(bar, true, range, 99);  // clamped
  EXPECT_EQ(p.thumb.right, 285);
  p = ScrollBarLayout(bar, true, ScrollRange(15, 15, false), 0);
  EXPECT_TRUE(p.thumb.Empty());
}

TEST_F(ScrollBarTest, PressesMoveByOneOrByAPageAndStayInRange) {
  const ScrollBarParts p = ScrollBarLayout(bar, true, range, 2);
  struct Case {
    int x;
    ScrollPart part;
    int after;
  } cases[] = {
      {105, ScrollPart::kArrowBack, 1}, {295, ScrollPart::kArrowForward, 3}, {120, ScrollPart::kTrackBack, 0},
      {150, ScrollPart::kThumb, 2},     {284, ScrollPart::kTrackForward, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScrollBarHitTest(p, c.x, 405), c.part) << c.x;
    EXPECT_EQ(ScrollAfterPress(c.part, 2, range), c.after) << c.x;
  }
  EXPECT_EQ(ScrollAfterPress(ScrollPart::kArrowForward, 5, range), 5);
  EXPECT_EQ(ScrollAfterPress(ScrollPart::kArrowBack, 0, range), 0);
  EXPECT_EQ(ScrollBarHitTest(p, 150, 420), ScrollPart::kNone);
}

TEST_F(ScrollBarTest, ThumbDragIsProportionalAndClamped) {
  const ScrollBarParts p = ScrollBarLayout(bar, true, range, 0);
  EXPECT_EQ(ThumbDragPosition(p, range, 0, 43), 5);
  EXPECT_EQ(ThumbDragPosition(p, range, 0, 17), 2);
  EXPECT_EQ(ThumbDragPosition(p, range, 3, -500), 0);
  EXPECT_EQ(ThumbDragPosition(p, range, 3, 500), 5);
  const ScrollBarParts vertical = ScrollBarLayout(Rect{0, 0, 15, 100}, false, ScrollRange(30, 10, false), 0);
  EXPECT_EQ(vertical.arrowForward, (Rect{0, 85, 15, 100}));
  EXPECT_EQ(ThumbDragPosition(vertical, ScrollRange(30, 10, false), 0, 1000), 20);
}

TEST(ScrollBarShortTest, ATinyBarKeepsItsPartsInside) {
  const ScrollBarParts p = ScrollBarLayout(Rect{0, 0, 20, 15}, true, ScrollRange(20, 15, false), 3);
  EXPECT_EQ(p.arrowBack.Width(), 10);
  EXPECT_EQ(p.arrowForward.Width(), 10);
  EXPECT_TRUE(p.thumb.Empty());
  EXPECT_EQ(ThumbDragPosition(p, ScrollRange(20, 15, false), 3, 10), 3);
}

}  // namespace
}  // namespace ign
