#include "core/mapedit/typed_entry.h"

#include <gtest/gtest.h>

#include "core/text/lngstr.h"
#include "tests/mapedit/fixtures.h"

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

// A typed cell goes through the sheet's limits; the outcome tells what was
// typed and what the cell holds, so the editor can say so.
TEST(TypedOutcomeTest, CellTypedOutsideTheLimitsIsClampedAndTold) {
  struct Case {
    const char* text;
    int32_t typed, result;
    bool outside, changed;
  };
  const Case cases[] = {
      {"75", 75, 60, true, true},      {"-45", -45, -30, true, true}, {"60", 60, 60, false, false},
      {"-30", -30, -30, false, false}, {"12", 12, 12, false, false},
  };
  for (const Case& c : cases) {
    CTabModel m = test::MakeAdvanceEditor();
    TypedOutcome o;
    ASSERT_TRUE(m.StoreTypedValue(2, 3, c.text, 0, &o)) << c.text;
    EXPECT_TRUE(o.stored);
    EXPECT_EQ(o.typed, c.typed) << c.text;
    EXPECT_EQ(o.result, c.result) << c.text;
    EXPECT_EQ(m.Sheet(0).Cell(2, 3), c.result) << c.text;
    EXPECT_EQ(o.minimum, -30);
    EXPECT_EQ(o.maximum, 60);
    EXPECT_EQ(o.Outside(), c.outside) << c.text;
    EXPECT_EQ(o.Changed(), c.changed) << c.text;
  }
}

TEST(TypedOutcomeTest, AxisPointTypedBeyondItsRoomIsToldWhatItBecame) {
  CTabModel m = test::MakeAdvanceEditor();
  TypedOutcome o;
  // The last rpm point cannot go above 25,000 rpm (stored 250).
  ASSERT_TRUE(m.StoreTypedValue(14, -1, "30000", 0, &o));
  EXPECT_EQ(o.typed, 300);
  EXPECT_EQ(o.result, 250);
  EXPECT_TRUE(o.Outside());
  // Text that is no number stores nothing and leaves the outcome empty.
  TypedOutcome none;
  EXPECT_FALSE(m.StoreTypedValue(2, 3, " ", 0, &none));
  EXPECT_FALSE(none.stored);
  EXPECT_FALSE(none.Changed());
}

std::string Field(const std::string& packed, int language) {
  return CPackedText(packed.c_str()).Resolve(language);
}

TEST(TypedValueNoteTest, NamesTheRangeOrTheStepInEveryLanguage) {
  const std::string outside =
      TypedValueNote("###Limiter##Begrenzer##Omezovač", "25500", "1,000", "25,000", "25,000", true);
  EXPECT_EQ(Field(outside, 0), "Limiter: 25500 is outside 1,000 … 25,000; set to 25,000");
  EXPECT_EQ(Field(outside, 1), "Begrenzer: 25500 liegt außerhalb 1,000 … 25,000; auf 25,000 gesetzt");
  EXPECT_EQ(Field(outside, 2), "Omezovač: 25500 je mimo rozsah 1,000 … 25,000; nastaveno na 25,000");

  const std::string stepped =
      TypedValueNote("Limiter [rpm]", "11550", "1,000", "25,000", "11,500", false, "100");
  EXPECT_EQ(Field(stepped, 0), "Limiter [rpm]: 11550 stored as 11,500 (steps of 100)");
  EXPECT_EQ(Field(stepped, 1), "Limiter [rpm]: 11550 gespeichert als 11,500 (in Schritten von 100)");

  EXPECT_EQ(Field(TypedValueNote("Lobes", "3", "1", "8", "1", false), 0), "Lobes: 3 stored as 1");
  EXPECT_EQ(Field(TypedNotANumberNote("Retard [°]", "-", "4"), 0),
            "Retard [°]: \"-\" is not a number; kept 4");
}

TEST(TypedValueNoteTest, LongOrOddNamesStayOnePackedFieldPerLanguage) {
  // A name holding the language separator must not start a fourth field;
  // an overlong name is cut at a character boundary.
  const std::string odd = TypedValueNote("a##b", "5", "0", "1", "1", true);
  EXPECT_EQ(ParsePacked(odd.c_str()).count, 3);
  EXPECT_EQ(Field(odd, 0), "a# b: 5 is outside 0 … 1; set to 1");
  EXPECT_EQ(ParsePacked(TypedValueNote("x#", "5", "0", "1", "1", false).c_str()).count, 3);
  std::string longName;
  for (int i = 0; i < 100; ++i) longName += "č";
  const std::string cut = TypedValueNote(longName, "5", "0", "1", "1", true);
  const PackedForm form = ParsePacked(cut.c_str());
  ASSERT_EQ(form.kind, PackedForm::Kind::Fields);
  EXPECT_EQ(form.count, 3);
  for (const std::string& f : form.fields) EXPECT_LE(f.size(), kMaxPackedField);
}

}  // namespace
}  // namespace ign
