#include "core/mapedit/typed_entry.h"

#include <gtest/gtest.h>

namespace ign {
namespace {

TEST(TypedEntryTest, InsertReplacesTheHighlightAndStopsAtSixteenCharacters) {
  TypedEntry e;
  StartEntry(e, 1, 2, "12.5");
  EXPECT_EQ(e.caret, 4);
  EntryMoveCaret(e, 1, false);
  EntryMoveCaret(e, 3, true);  // highlights "2."
  EXPECT_EQ(e.Highlighted(), "2.");
  EXPECT_TRUE(EntryInsert(e, '7'));
  EXPECT_EQ(e.text, "175");
  EXPECT_EQ(e.caret, 2);
  EXPECT_FALSE(EntryInsert(e, 'x'));
  EXPECT_FALSE(EntryInsert(e, '+'));
  StartEntry(e, 0, 0, "");
  for (int i = 0; i < 20; ++i) EntryInsert(e, '9');
  EXPECT_EQ(e.text.size(), 16u);
  // A full entry still takes a character that replaces a highlight.
  EntryMoveCaret(e, 15, true);
  EXPECT_TRUE(EntryInsert(e, '1'));
  EXPECT_EQ(e.text, "9999999999999991");
}

TEST(TypedEntryTest, BackspaceAndDeleteAtTheEnds) {
  TypedEntry e;
  StartEntry(e, 0, 0, "-12");
  EXPECT_TRUE(EntryErase(e, false));
  EXPECT_EQ(e.text, "-1");
  EXPECT_FALSE(EntryErase(e, true));  // nothing after the caret
  EntryMoveCaret(e, 0, false);
  EXPECT_FALSE(EntryErase(e, false));
  EXPECT_TRUE(EntryErase(e, true));
  EXPECT_EQ(e.text, "1");
  EntryMoveCaret(e, -5, false);
  EXPECT_EQ(e.caret, 0);
  EntryMoveCaret(e, 99, true);
  EXPECT_TRUE(EntryErase(e, true));
  EXPECT_EQ(e.text, "");
  StopEntry(e);
  EXPECT_FALSE(e.active);
  EXPECT_FALSE(EntryInsert(e, '1'));
}

TEST(TypedEntryTest, CaretFromClickTakesTheFirstBoundaryWhoseMidpointIsRightOfTheClick) {
  const std::vector<int> b = {100, 110, 120, 130};  // three characters
  EXPECT_EQ(CaretFromClick(b, 90), 0);
  EXPECT_EQ(CaretFromClick(b, 104), 0);
  EXPECT_EQ(CaretFromClick(b, 105), 1);  // on a midpoint: the next one
  EXPECT_EQ(CaretFromClick(b, 118), 2);
  EXPECT_EQ(CaretFromClick(b, 200), 3);
  EXPECT_EQ(CaretFromClick({100}, 150), 0);
}

}  // namespace
}  // namespace ign
