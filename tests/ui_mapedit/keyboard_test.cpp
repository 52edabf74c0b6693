// Keyboard of the map editor on the advance-map host: cursor moves through
// the headers, the Enter walk, typed entries, sheet switching and the keys
// the main window routes to the focused editor.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>

#include "core/mapedit/selection.h"
#include "tests/ui_mapedit/host.h"

namespace ign {
namespace {

using test::Key;
using test::Type;

class TabKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override { h = test::MakeAdvanceHost(); }
  Cursor At() const { return Cursor{h->Sheet().sel.currentX, h->Sheet().sel.currentY}; }
  void Select(int c, int r) { test::Click(h->editor, test::CellCentre(*h, c, r)); }
  std::unique_ptr<test::EditorHost> h;
};

TEST_F(TabKeyboardTest, LeftFromTheFirstCellGoesToTheYHeaderAndOnToTheLastCell) {
  Select(0, 3);
  Key(h->editor, Qt::Key_Left);
  EXPECT_EQ(At(), (Cursor{-1, 3}));
  EXPECT_EQ(h->Sheet().sel.kind, SelKind::kYPoints);
  Key(h->editor, Qt::Key_Left);
  EXPECT_EQ(At(), (Cursor{14, 3}));
  EXPECT_TRUE(CellSelected(h->Sheet(), 14, 3));
  EXPECT_EQ(h->Sheet().sel.selectedCount, 1);
  Key(h->editor, Qt::Key_Right);
  EXPECT_EQ(At(), (Cursor{-1, 3}));
  Key(h->editor, Qt::Key_Up);  // along the Y header, never into the corner
  Key(h->editor, Qt::Key_Up);
  Key(h->editor, Qt::Key_Up);
  Key(h->editor, Qt::Key_Up);
  EXPECT_EQ(At(), (Cursor{-1, 0}));
}

TEST_F(TabKeyboardTest, EnterWalksDownTheColumnsThroughTheXHeaders) {
  Select(13, 8);
  const Cursor expected[] = {{13, 9}, {14, -1}, {14, 0}};
  for (const Cursor& c : expected) {
    Key(h->editor, Qt::Key_Return);
    EXPECT_EQ(At(), c);
  }
  Select(14, 9);
  Key(h->editor, Qt::Key_Enter);
  EXPECT_EQ(At(), (Cursor{-1, 0}));
}

TEST_F(TabKeyboardTest, ShiftExtendsAndStopsAtTheEdges) {
  Select(13, 8);
  for (int i = 0; i < 4; ++i) Key(h->editor, Qt::Key_Right, Qt::ShiftModifier);
  Key(h->editor, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(h->Sheet().sel.selectedCount, 4);
  EXPECT_EQ(h->Sheet().sel.boxX1, 14);
  Key(h->editor, Qt::Key_PageUp, Qt::ShiftModifier);
  EXPECT_EQ(h->Sheet().sel.selectedCount, 18);  // rows 0 .. 8 from the anchor (13, 8)
  Key(h->editor, Qt::Key_Escape);
  EXPECT_TRUE(h->Sheet().sel.Empty());
}

TEST_F(TabKeyboardTest, TypingThenEscLeavesTheValueAndTypingThenClickingElsewhereStoresIt) {
  Select(2, 2);
  Type(h->editor, "12");
  EXPECT_TRUE(h->editor->ViewState().entry.active);
  Key(h->editor, Qt::Key_Escape);
  EXPECT_FALSE(h->editor->ViewState().entry.active);
  EXPECT_EQ(h->Sheet().Cell(2, 2), 4);
  EXPECT_TRUE(h->reports.empty());

  Type(h->editor, "12");
  test::Click(h->editor, test::CellCentre(*h, 5, 5));
  EXPECT_EQ(h->Sheet().Cell(2, 2), 12);
  ASSERT_EQ(h->reports.size(), 1u);  // a typed entry reports at once
  EXPECT_EQ(h->reports[0], Change::kData);
}

struct EntryCase {
  const char* typed;
  int key;
  int32_t stored;
};

TEST_F(TabKeyboardTest, TypedEntriesCommitOnTheirKeysAndDropWhatIsNotANumber) {
  const EntryCase cases[] = {
      {"7", Qt::Key_Return, 7},   {"-5", Qt::Key_Down, -5},
      {"99", Qt::Key_Up, 60},                                  // clamped to the maximum
      {",", Qt::Key_PageDown, 4}, {"1.6", Qt::Key_PageUp, 2},  // rounded half away
  };
  for (const EntryCase& c : cases) {
    Select(2, 2);
    h->Sheet().Cell(2, 2) = 4;
    Key(h->editor, Qt::Key_Delete);  // starts an empty entry
    // The minus key is decrement, so a negative number is typed inside an entry.
    Type(h->editor, c.typed);
    Key(h->editor, c.key);
    EXPECT_FALSE(h->editor->ViewState().entry.active) << c.typed;
    EXPECT_EQ(h->Sheet().Cell(2, 2), c.stored) << c.typed;
  }
}

TEST_F(TabKeyboardTest, InsertStartsWithTheCurrentTextAndSixteenCharactersAtMost) {
  Select(3, 4);
  Key(h->editor, Qt::Key_Insert);
  const TypedEntry& e = h->editor->ViewState().entry;
  ASSERT_TRUE(e.active);
  EXPECT_EQ(e.text, "7");
  EXPECT_EQ(e.caret, 1);
  Type(h->editor, "12345678901234567890");
  EXPECT_EQ(e.text.size(), 16u);
  Key(h->editor, Qt::Key_Home);
  Key(h->editor, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(e.Highlighted(), "7");
}

TEST_F(TabKeyboardTest, NoTypedEntryOnAxesTheUserCannotChange) {
  Select(0, 3);
  Key(h->editor, Qt::Key_Left);  // the Y header: TP is not editable here
  Type(h->editor, "5");
  EXPECT_FALSE(h->editor->ViewState().entry.active);
  Key(h->editor, Qt::Key_Right);
  Key(h->editor, Qt::Key_Up);
  Key(h->editor, Qt::Key_Up);
  Key(h->editor, Qt::Key_Up);
  Key(h->editor, Qt::Key_Up);  // the X header of column 0: rpm is editable
  ASSERT_EQ(h->Sheet().sel.kind, SelKind::kXPoints);
  Type(h->editor, "1500");
  Key(h->editor, Qt::Key_Return);
  EXPECT_EQ(h->Sheet().x.values[0], 15);  // 1500 rpm stored as 15
}

TEST_F(TabKeyboardTest, TabShiftTabAndCtrlTabSwitchSheetsAndKeepTheFocus) {
  ASSERT_TRUE(h->editor->hasFocus());
  Key(h->editor, Qt::Key_Tab);
  EXPECT_EQ(h->editor->Model().ActiveIndex(), 1);
  Key(h->editor, Qt::Key_Tab);
  EXPECT_EQ(h->editor->Model().ActiveIndex(), 0);
  Key(h->editor, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(h->editor->Model().ActiveIndex(), 1);
  Key(h->editor, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(h->editor->Model().ActiveIndex(), 0);
  h->editor->Model().Sheet(1).hidden = 1;
  Key(h->editor, Qt::Key_Tab);
  EXPECT_EQ(h->editor->Model().ActiveIndex(), 0);
  EXPECT_TRUE(h->editor->hasFocus());
}

TEST_F(TabKeyboardTest, SwitchingSheetsCommitsATypedEntry) {
  Select(1, 1);
  Type(h->editor, "9");
  Key(h->editor, Qt::Key_Tab);
  EXPECT_EQ(h->editor->Model().Sheet(0).Cell(1, 1), 9);
}

// The main window's filter offers Tab, Enter, Space and the arrows to the
// focused editor before the focused control sees them.
class RouterLikeFilter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(e);
    const int k = key->key();
    if (k != Qt::Key_Tab && k != Qt::Key_Return && k != Qt::Key_Space && k != Qt::Key_Left &&
        k != Qt::Key_Right && k != Qt::Key_Up && k != Qt::Key_Down)
      return false;
    ++offered;
    return TTab::RouteToFocusedEditor(key);
  }
  int offered = 0;
};

TEST_F(TabKeyboardTest, RoutedKeysReachTheFocusedEditorOnce) {
  RouterLikeFilter filter;
  qApp->installEventFilter(&filter);
  Select(4, 4);
  Key(h->editor, Qt::Key_Right);
  EXPECT_EQ(At(), (Cursor{5, 4}));
  Key(h->editor, Qt::Key_Space, {}, " ");  // starts an entry holding a blank
  EXPECT_TRUE(h->editor->ViewState().entry.active);
  Type(h->editor, "3");
  Key(h->editor, Qt::Key_Return);
  EXPECT_EQ(h->Sheet().Cell(5, 4), 3);
  EXPECT_EQ(At(), (Cursor{5, 5}));
  h->editor->clearFocus();
  EXPECT_EQ(TTab::FocusedMapEditor(), nullptr);
  EXPECT_FALSE(TTab::RouteToFocusedEditor(nullptr));
  qApp->removeEventFilter(&filter);
  EXPECT_GE(filter.offered, 3);
}

TEST_F(TabKeyboardTest, AdvanceMinusAndPlusStepTheFocusedEditor) {
  QAction minus("Advance -"), plus("Advance +");
  QObject::connect(&minus, &QAction::triggered, [] { TTab::StepFocusedEditor(-1); });
  QObject::connect(&plus, &QAction::triggered, [] { TTab::StepFocusedEditor(+1); });
  Select(6, 6);
  plus.trigger();
  plus.trigger();
  minus.trigger();
  EXPECT_EQ(h->Sheet().Cell(6, 6), 13);
  Key(h->editor, Qt::Key_Plus, {}, "+");
  EXPECT_EQ(h->Sheet().Cell(6, 6), 14);
  EXPECT_TRUE(h->reports.empty());  // a stepping batch reports 5 ticks after its last step
  h->Tick(6);
  EXPECT_EQ(h->reports.size(), 1u);
  h->editor->clearFocus();
  EXPECT_FALSE(TTab::StepFocusedEditor(1));
}

}  // namespace
}  // namespace ign
