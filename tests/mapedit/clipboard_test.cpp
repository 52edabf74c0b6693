#include "core/mapedit/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/mapedit/selection.h"
#include "core/text/language.h"
#include "core/text/relabel.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

using test::SetValues;
using test::Values;

// A map of columns x rows: X rpm (scale 100), Y load, data with the given
// scale and limits; cells 0.
CTabModel Generic(int columns, int rows, double dataScale = 1.0, int32_t dataMin = -100000,
                  int32_t dataMax = 100000) {
  CTabModel m(test::kAdvanceEditorFlags, 0);
  m.AddSheet("Map", "RPM", "TP", "ADV", columns, rows, 0);
  AxisDefinition x;
  x.unit = "RPM";
  x.maximum = 250;
  x.scale = 100.0;
  x.count = columns;
  x.options = AxisOption::kNumeric;
  m.DefineAxis(0, AxisMask::kX, x);
  AxisDefinition y;
  y.unit = "TP";
  y.count = rows;
  y.collapsible = Collapsible::kByUser;
  m.DefineAxis(0, AxisMask::kY, y);
  AxisDefinition d;
  d.unit = "ADV";
  d.scale = dataScale;
  d.minimum = dataMin;
  d.maximum = dataMax;
  m.DefineAxis(0, AxisMask::kData, d);
  for (int i = 0; i < columns; ++i) m.Sheet(0).x.values[static_cast<std::size_t>(i)] = 10 * (i + 1);
  for (int i = 0; i < rows; ++i) m.Sheet(0).y.values[static_cast<std::size_t>(i)] = 50 * i;
  m.NormaliseSheet(0, Change::kAll | Change::kReset);
  m.SelectSheet(0);
  return m;
}

TEST(ClipboardCopy, SelectionWithHolesLeavesEmptyFields) {
  CTabModel m = test::MakeAdvanceEditor();
  CSheet& s = m.Sheet(0);
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 15; ++c) s.Cell(c, r) = c + r;
  Select(s, SelKind::kCells, 1, 1, 1, 1);
  Select(s, SelKind::kCells, 3, 1, 3, 1, true);
  Select(s, SelKind::kCells, 2, 2, 2, 2, true);
  EXPECT_EQ(SelectionText(s, false), "2\t\t4\n\t4\t");
  Select(s, SelKind::kXPoints, 0, -1, 0, -1);
  Select(s, SelKind::kXPoints, 2, -1, 2, -1, true);
  EXPECT_EQ(SelectionText(s, false), "1 000\t\t2 000");
  Select(s, SelKind::kYPoints, -1, 1, -1, 2);
  EXPECT_EQ(SelectionText(s, false), "10\n20");
}

TEST(ClipboardCopy, TableOfThreePointsAndTwoRowsPlainAndPrivate) {
  CTabModel m = Generic(3, 2);
  CSheet& s = m.Sheet(0);
  const int32_t cells[2][3] = {{10, 12, 15}, {11, 13, 16}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) s.Cell(c, r) = cells[r][c];
  EXPECT_EQ(TablePlainText(s, false), "\t1 000\t2 000\t3 000\n0\t10\t12\t15\n50\t11\t13\t16");
  EXPECT_EQ(TablePrivateText(s, false),
            "Label:\tMap\nLabelX:\tRPM\nLabelY:\tTP\nLabelData:\tADV\nSizeX:\t3\nSizeY:\t2\nOnlyXY:\t\n"
            "\t1 000\t2 000\t3 000\n0\t10\t12\t15\n50\t11\t13\t16");
  s.y.collapsed = 1;
  s.y.collapsedIndex = 1;
  EXPECT_EQ(TablePlainText(s, false), "1 000\t2 000\t3 000\n11\t13\t16");
  EXPECT_NE(TablePrivateText(s, false).find("\nOnlyXY:\tY\n\t1 000\t2 000\t3 000\n0\t10"), std::string::npos);
}

TEST(ClipboardCopy, CompactMapCarriesTheExtraColumnAndRow) {
  CTabModel m = test::MakeSwitchEditor();
  CSheet& s = m.Sheet(0);
  SetValues(s.x, {20, 40, 60});
  SetValues(s.y, {30, 70});
  const int32_t cells[3][4] = {{0, 1, 1, 0}, {0, 1, 2, 1}, {1, 0, 0, 1}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) s.Cell(c, r) = cells[r][c];
  EXPECT_EQ(TablePlainText(s, false), "\t2 000\t4 000\t6 000\n30\t0\t1\t1\t0\n70\t0\t1\t2\t1\n\t1\t0\t0\t1");
  EXPECT_EQ(TablePrivateText(s, false),
            "Label:\t1\nLabelX:\tRPM\nLabelY:\tTP\nLabelData:\tPO\nSizeX:\t3\nSizeY:\t2\nOnlyXY:\t\n"
            "\t2 000\t4 000\t6 000\n30\t0\t1\t1\t0\n70\t0\t1\t2\t1\n\t1\t0\t0\t1");
}

TEST(ClipboardCopy, CzechInterfaceWritesCommas) {
  CTabModel m = Generic(2, 1, 0.1);
  CSheet& s = m.Sheet(0);
  s.Cell(0, 0) = 25;
  s.Cell(1, 0) = -7;
  EXPECT_EQ(TablePlainText(s, true), "\t1 000\t2 000\n0\t2,5\t-0,7");
}

struct PasteCase {
  const char* name;
  std::string text;
  double scale;
  int32_t maximum;
  std::vector<int32_t> row0;  // the first row after pasting at cell (0, 0)
};

TEST(ClipboardPaste, TextIntoCells) {
  const PasteCase cases[] = {
      {"digit group", "1 234", 1.0, 100000, {1234, 0, 0, 0}},
      {"blank separates", "12 5", 1.0, 100000, {12, 5, 0, 0}},
      {"millivolts are thousandths", "3300", 0.001, 5000, {3300, 0, 0, 0}},
      {"volts", "3.3", 0.001, 5000, {3300, 0, 0, 0}},
      {"no thousandths without a positive maximum", "3300", 0.001, 0, {0, 0, 0, 0}},
      {"decimal comma", "2,5\t-1,25", 0.1, 1000, {25, -13, 0, 0}},
      {"brace list", "x = {{1,2},{3,4}};", 1.0, 100, {1, 2, 0, 0}},
      {"spreadsheet CR LF", "7\t8\r\n9\t10\r\n", 1.0, 100, {7, 8, 0, 0}},
      {"non-numbers skipped", "a\t\t5x\t-", 1.0, 100, {0, 0, 5, 0}},
      {"fields beyond the area skipped", "1\t2\t3\t4\t5\t6", 1.0, 100, {1, 2, 3, 4}},
      {"huge values clamp", "99999999999999999999", 1.0, 100, {100, 0, 0, 0}},
  };
  for (const PasteCase& c : cases) {
    CTabModel m = Generic(4, 3, c.scale, c.maximum > 0 ? -c.maximum : -5000, c.maximum);
    Select(m.Sheet(0), SelKind::kCells, 0, 0, 0, 0);
    PasteText(m, c.text, 1);
    std::vector<int32_t> row0;
    for (int col = 0; col < 4; ++col) row0.push_back(m.Sheet(0).Cell(col, 0));
    EXPECT_EQ(row0, c.row0) << c.name;
  }
}

TEST(ClipboardPaste, BraceRowsAndABlockIntoTheMiddleSelectThePastedCells) {
  CTabModel m = Generic(4, 3);
  CSheet& s = m.Sheet(0);
  Select(s, SelKind::kCells, 0, 0, 0, 0);
  ASSERT_TRUE(PasteText(m, "{{1,2},{3,4}}", 1));
  EXPECT_EQ(s.Cell(0, 1), 3);
  EXPECT_EQ(s.Cell(1, 1), 4);

  Select(s, SelKind::kCells, 1, 1, 2, 2);
  ASSERT_TRUE(PasteText(m, "11\t12\t13\n14\t15\t16", 2));
  EXPECT_EQ(s.Cell(1, 1), 11);
  EXPECT_EQ(s.Cell(3, 1), 13);
  EXPECT_EQ(s.Cell(3, 2), 16);
  EXPECT_EQ(s.Cell(0, 1), 3);  // left of the start
  EXPECT_EQ(s.sel.selectedCount, 6);
  EXPECT_EQ(s.sel.boxX0, 1);
  EXPECT_EQ(s.sel.boxX1, 3);
}

TEST(ClipboardPaste, TextIsCutAt9000Bytes) {
  for (const std::size_t blanks : {8999u, 9000u}) {
    CTabModel m = Generic(2, 1);
    Select(m.Sheet(0), SelKind::kCells, 0, 0, 0, 0);
    PasteText(m, std::string(blanks, ' ') + "7", 1);
    EXPECT_EQ(m.Sheet(0).Cell(0, 0), blanks == 8999u ? 7 : 0) << blanks;
  }
}

TEST(ClipboardPaste, DecimalCommaReadsTheSameInEveryLanguage) {
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    ChangeLanguage(language);
    CTabModel m = Generic(1, 1, 0.1, -1000, 1000);
    Select(m.Sheet(0), SelKind::kCells, 0, 0, 0, 0);
    PasteText(m, "2,5", 1);
    EXPECT_EQ(m.Sheet(0).Cell(0, 0), 25) << language;
  }
  ChangeLanguage(LNG_ENGLISH);
}

TEST(ClipboardPaste, NothingWithoutSelectionOrEditableTarget) {
  CTabModel m = Generic(2, 2);
  EXPECT_FALSE(PasteText(m, "5", 1));
  Select(m.Sheet(0), SelKind::kYPoints, -1, 0, -1, 0);
  m.Sheet(0).y.editable = 0;
  EXPECT_FALSE(PasteText(m, "5", 1));
  EXPECT_EQ(m.Sheet(0).y.values[0], 0);
}

TEST(ClipboardPasteTable, TheOtherAdvanceMapReceivesXValuesAndCells) {
  CTabModel m = test::MakeAdvanceEditor();
  CSheet& a = m.Sheet(0);
  SetValues(a.x, {8, 12, 16, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 80});
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 15; ++c) a.Cell(c, r) = (c * 3 + r) % 50;
  m.NormaliseSheet(0, Change::kAll | Change::kReset);
  const std::string text = TablePrivateText(a, false);
  m.SelectSheet(1);
  int reports = 0;
  m.SetOnSheetChanged([&](CTabModel&, unsigned) { ++reports; });
  EXPECT_EQ(PasteTable(m, text, 1), PasteTableResult::kPasted);
  EXPECT_EQ(Values(m.Sheet(1).x), Values(a.x));
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 15; ++c) EXPECT_EQ(m.Sheet(1).Cell(c, r), a.Cell(c, r));
  EXPECT_EQ(reports, 1);
}

std::string Table(int sizeX, const char* onlyXY = "") {
  std::string t = "Label:\tX\nLabelX:\tRPM\nLabelY:\tTP\nLabelData:\tADV\nSizeX:\t" + std::to_string(sizeX) +
                  "\nSizeY:\t10\nOnlyXY:\t" + onlyXY + "\n\t";
  for (int c = 0; c < sizeX; ++c) t += std::to_string(1000 + 500 * c) + (c + 1 < sizeX ? "\t" : "");
  return t;
}

TEST(ClipboardPasteTable, SizeRulesAndTheMismatchMessage) {
  CTabModel m = test::MakeAdvanceEditor();
  std::vector<std::string> messages;
  m.SetMessageSink([&](const std::string& text) { messages.push_back(text); });
  EXPECT_EQ(PasteTable(m, Table(12), 1), PasteTableResult::kPasted);
  EXPECT_EQ(m.Sheet(0).x.count, 12);
  EXPECT_EQ(m.Sheet(0).x.values[11], 65);

  m.Sheet(0).x.resizable = 0;
  EXPECT_EQ(PasteTable(m, Table(15), 2), PasteTableResult::kMismatch);
  EXPECT_EQ(m.Sheet(0).x.count, 12);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0],
            "Table dimensions are not equal and there is unable to change it !\nInsertion canceled...");
}

TEST(ClipboardPasteTable, CollapseRequestsOnlyWhereTheAxisMayCollapse) {
  const struct {
    int collapsible;
    bool collapsedBefore, collapsedAfter;
  } cases[] = {{Collapsible::kByUser, false, true},
               {Collapsible::kNo, false, false},
               {Collapsible::kByOwner, false, false},
               {Collapsible::kByOwner, true, true}};
  for (const auto& c : cases) {
    CTabModel m = test::MakeAdvanceEditor();
    m.Sheet(0).y.collapsible = c.collapsible;
    m.Sheet(0).y.collapsed = c.collapsedBefore;
    EXPECT_EQ(PasteTable(m, Table(15, "Y"), 1), PasteTableResult::kPasted);
    EXPECT_EQ(m.Sheet(0).y.collapsed != 0, c.collapsedAfter) << c.collapsible;
  }
}

TEST(ClipboardPasteTable, BadTablesPasteOnlyWhatTheRulesAllow) {
  const std::string header = "LabelX:\tRPM\nLabelData:\tADV\n";
  const std::string cases[] = {
      "",
      "garbage\x01\xff\n\n",
      header + "SizeX:\t15\nSizeY:\t10\n",                                                  // no table line
      header + "SizeX:\t0\nSizeY:\t10\n\t1\t2",                                             // size 0
      header + "SizeX:\t-4\nSizeY:\t10\n\t1000\t2000",                                      // negative
      header + "SizeX:\t99999999999\nSizeY:\t10\n\t1000\t2000",                             // huge
      header + "SizeX:\tabc\nSizeY:\tdef\n\t1000",                                          // not numbers
      header + "SizeX:\t15\nSizeX:\t15\nSizeY:\t10\n\t1\n" + std::string(200, 'x') + "\n",  // repeated, long
      header +
          "SizeX:\t15\nSizeY:\t10\n\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\t9\n1\t999\t-"
          "999\n\n\n\n"
          "\n\n\n\n\n\n\n\n1\t2\t3",                  // more fields and rows
      header + "SizeX:\t15\nSizeY:\t10\n\t1000\t20",  // cut in the middle
  };
  for (const std::string& text : cases) {
    CTabModel m = test::MakeAdvanceEditor();
    m.SetMessageSink([](const std::string&) {});
    PasteTable(m, text, 1);
    const CSheet& s = m.Sheet(0);
    EXPECT_GE(s.x.count, s.x.minCount);
    EXPECT_LE(s.x.count, s.x.capacity);
    for (int i = 0; i < s.x.count; ++i) {
      EXPECT_GE(s.x.values[static_cast<std::size_t>(i)], s.x.minimum);
      EXPECT_LE(s.x.values[static_cast<std::size_t>(i)], s.x.maximum);
      if (i > 0) {
        EXPECT_GT(s.x.values[static_cast<std::size_t>(i)], s.x.values[static_cast<std::size_t>(i - 1)]);
      }
    }
    for (int r = 0; r < s.y.count; ++r)
      for (int c = 0; c < s.x.count; ++c) {
        EXPECT_GE(s.Cell(c, r), s.data.minimum);
        EXPECT_LE(s.Cell(c, r), s.data.maximum);
      }
  }
}

TEST(ClipboardPaste, IntoATypedEntry) {
  TypedEntry e;
  StartEntry(e, 0, 0, "12");
  EXPECT_TRUE(EntryPaste(e, "3,5 kV\t9"));
  EXPECT_EQ(e.text, "123.5 ");
  EntryMoveCaret(e, 0, false);
  EntryPaste(e, "123456789012345");
  EXPECT_EQ(e.text.size(), 16u);
  EXPECT_EQ(e.text, "1234567890123.5 ");
}

}  // namespace
}  // namespace ign
