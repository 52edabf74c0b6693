// The printout's pure parts: the kind table, the prepare rule, the header
// line, the fit of the picture, and the map editor on paper.
#include <gtest/gtest.h>

#include "core/mapedit/model.h"
#include "ui/files/print_header.h"
#include "ui/files/print_kinds.h"
#include "ui/files/print_render.h"
#include "ui/mapedit/print_view.h"

namespace ign {
namespace {

struct KindCase {
  std::vector<std::string_view> classes;
  bool pageOfTabs, picture, lineShape;
  PrintKind kind;
};

TEST(PrintKinds, OurWidgetClassesMapOntoTheKinds) {
  const KindCase cases[] = {
      {{"QLabel", "QFrame", "QWidget"}, false, false, false, PrintKind::kLabel},
      {{"QLabel", "QFrame", "QWidget"}, false, true, false, PrintKind::kImage},
      {{"ign::TUpDown", "QSpinBox", "QAbstractSpinBox", "QWidget"}, false, false, false, PrintKind::kUpDown},
      {{"QDoubleSpinBox", "QAbstractSpinBox", "QWidget"}, false, false, false, PrintKind::kDeciUpDown},
      // The radio group is a group box; its own entry comes first.
      {{"ign::TRadioGroup", "QGroupBox", "QWidget"}, false, false, false, PrintKind::kRadioGroup},
      {{"QGroupBox", "QWidget"}, false, false, false, PrintKind::kGroupBox},
      {{"QRadioButton", "QAbstractButton", "QWidget"}, false, false, false, PrintKind::kRadioButton},
      {{"QCheckBox", "QAbstractButton", "QWidget"}, false, false, false, PrintKind::kCheckBox},
      {{"QComboBox", "QWidget"}, false, false, false, PrintKind::kComboBox},
      {{"QPushButton", "QAbstractButton", "QWidget"}, false, false, false, PrintKind::kButton},
      {{"QPushButton", "QAbstractButton", "QWidget"}, false, true, false, PrintKind::kBitBtn},
      {{"QToolButton", "QAbstractButton", "QWidget"}, false, false, false, PrintKind::kSpeedButton},
      {{"ign::TTab", "QWidget"}, false, false, false, PrintKind::kTab},
      {{"QTabWidget", "QWidget"}, false, false, false, PrintKind::kPageControl},
      {{"QWidget"}, true, false, false, PrintKind::kTabSheet},
      {{"QProgressBar", "QWidget"}, false, false, false, PrintKind::kGauge},
      {{"QLineEdit", "QWidget"}, false, false, false, PrintKind::kEdit},
      {{"QFrame", "QWidget"}, false, false, true, PrintKind::kBevel},
      {{"ign::TLivePanel", "QFrame", "QWidget"}, false, false, false, PrintKind::kNone},
      {{"QStatusBar", "QWidget"}, false, false, false, PrintKind::kStatusBar},
      {{"QPlainTextEdit", "QAbstractScrollArea", "QFrame", "QWidget"}, false, false, false, PrintKind::kMemo},
      {{"QScrollBar", "QAbstractSlider", "QWidget"}, false, false, false, PrintKind::kScrollBar},
      {{"QStackedWidget", "QFrame", "QWidget"}, false, false, false, PrintKind::kNone},
      {{"QWidget"}, false, false, false, PrintKind::kNone},
  };
  for (const KindCase& c : cases) {
    const ControlFacts facts{c.classes, c.pageOfTabs, c.picture, c.lineShape};
    EXPECT_EQ(KindOf(facts), c.kind) << c.classes.front() << " page " << c.pageOfTabs << " picture "
                                     << c.picture;
  }
}

struct RuleCase {
  const char* name;
  PrintKind kind;
  ControlState state;
  PrintAction action;
};

ControlState State(bool shown, bool buttonFace, bool white, bool filled, bool tabShown = false,
                   bool arrows = true) {
  return ControlState{shown, buttonFace, white, filled, tabShown, arrows};
}

TEST(PrintRule, EachKindGetsItsChangeOnlyInTheStateThatNeedsIt) {
  const RuleCase cases[] = {
      {"opaque label in button face", PrintKind::kLabel, State(true, true, false, true),
       PrintAction::kMakeTransparent},
      {"transparent label", PrintKind::kLabel, State(true, true, false, false), PrintAction::kNone},
      {"label with its own colour", PrintKind::kLabel, State(true, false, false, true), PrintAction::kNone},
      {"spin box", PrintKind::kUpDown, State(true, true, false, false), PrintAction::kHideArrows},
      {"spin box without arrows", PrintKind::kUpDown, State(true, true, false, false, false, false),
       PrintAction::kNone},
      {"hidden spin box", PrintKind::kUpDown, State(false, true, false, false), PrintAction::kNone},
      {"button", PrintKind::kButton, State(true, true, false, false), PrintAction::kHide},
      {"hidden button", PrintKind::kButton, State(false, true, false, false), PrintAction::kNone},
      {"gauge", PrintKind::kGauge, State(true, true, false, false), PrintAction::kHide},
      {"picture button", PrintKind::kBitBtn, State(true, true, false, false), PrintAction::kHide},
      {"scroll bar", PrintKind::kScrollBar, State(true, true, false, false), PrintAction::kHide},
      {"hidden scroll bar", PrintKind::kScrollBar, State(false, true, false, false), PrintAction::kNone},
      {"radio group", PrintKind::kRadioGroup, State(true, true, false, false), PrintAction::kSetWhite},
      {"check box in its own colour", PrintKind::kCheckBox, State(true, false, false, true),
       PrintAction::kNone},
      {"check box", PrintKind::kCheckBox, State(true, true, false, false), PrintAction::kSetWhite},
      {"group box", PrintKind::kGroupBox, State(true, false, false, false), PrintAction::kSetWhite},
      {"white group box", PrintKind::kGroupBox, State(true, false, true, false), PrintAction::kNone},
      {"map editor", PrintKind::kTab, State(true, true, false, false), PrintAction::kSetPrintFlag},
      {"hidden map editor", PrintKind::kTab, State(false, true, false, false), PrintAction::kNone},
      {"tab sheet with its tab", PrintKind::kTabSheet, State(false, true, false, true, true),
       PrintAction::kListTab},
      {"tab sheet without tab", PrintKind::kTabSheet, State(true, true, false, true, false),
       PrintAction::kNone},
      {"tool button", PrintKind::kSpeedButton, State(true, true, false, false), PrintAction::kNone},
      {"combo box", PrintKind::kComboBox, State(true, true, false, false), PrintAction::kNone},
      {"edit", PrintKind::kEdit, State(true, true, false, false), PrintAction::kNone},
      {"container", PrintKind::kNone, State(true, true, false, true), PrintAction::kNone},
  };
  for (const RuleCase& c : cases) EXPECT_EQ(PrepareRule(c.kind, c.state), c.action) << c.name;
}

TEST(PrintRule, ActionsAreRememberedAsTheirChange) {
  EXPECT_EQ(ChangeOf(PrintAction::kSetPrintFlag), PrintChange::kPrintFlag);
  EXPECT_EQ(ChangeOf(PrintAction::kMakeTransparent), PrintChange::kTransparency);
  EXPECT_EQ(ChangeOf(PrintAction::kSetWhite), PrintChange::kColour);
  EXPECT_EQ(ChangeOf(PrintAction::kHide), PrintChange::kVisibility);
  EXPECT_EQ(ChangeOf(PrintAction::kHideArrows), PrintChange::kVisibility);
}

TEST(PrintHeaderLine, PartsThatAreThereInOrder) {
  struct Case {
    PrintHeader header;
    const char* line;
  };
  const Case cases[] = {
      {{"&Advance Map", "bike.ign", "2026-05-01 10:00", "IGN 1.0", "IGN150 S/N 7"},
       "Advance Map | bike.ign | 2026-05-01 10:00 | IGN 1.0 | IGN150 S/N 7"},
      {{"Power out", "", "2026-05-01 10:00", "IGN 1.0", ""}, "Power out | 2026-05-01 10:00 | IGN 1.0"},
      {{"Fuel && spark", "", "", "", ""}, "Fuel & spark"},
      {{}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(HeaderLine(c.header), c.line);
}

TEST(PrintFit, PictureFillsOneSideAndIsCentredOnTheOther) {
  struct Case {
    double w, h;
    QRectF area;
    double scale, x, y;
  };
  const Case cases[] = {
      {1000, 700, QRectF(0, 0, 2000, 2000), 2.0, 0, 300},     // wider than the area's aspect
      {500, 1000, QRectF(10, 20, 2000, 1000), 1.0, 760, 20},  // higher
      {100, 100, QRectF(0, 0, 50, 50), 0.5, 0, 0},            // smaller than the picture
      {0, 100, QRectF(0, 0, 50, 50), 0, 0, 0},                // nothing to place
      {100, 100, QRectF(0, 0, 0, 50), 0, 0, 0},
  };
  for (const Case& c : cases) {
    const PlacedPicture p = FitPicture(c.w, c.h, c.area);
    EXPECT_DOUBLE_EQ(p.scale, c.scale) << c.w << "x" << c.h;
    EXPECT_DOUBLE_EQ(p.x, c.x) << c.w << "x" << c.h;
    EXPECT_DOUBLE_EQ(p.y, c.y) << c.w << "x" << c.h;
  }
}

// What belongs to the screen alone is gone on paper; the data stays.
TEST(PrintedMapEditor, LeavesOutLiveMarksHoverCaretAndSelection) {
  CTabModel model(0, 0);
  model.AddSheet("Map", "RPM", "TP", "Advance", 4, 3, 0);
  model.SelectSheet(0);
  CSheet& sheet = model.Sheet(0);
  sheet.Cell(1, 1) = 77;
  sheet.liveState = 1;
  sheet.liveColumn = sheet.liveRow = 1;
  sheet.sel.kind = SelKind::kCells;
  sheet.sel.selectedCount = 2;
  sheet.sel.cellState[0] = SelBit::kSelected;
  TabViewState v;
  v.entry.active = true;
  v.entry.text = "12";
  v.hover.kind = HoverKind::kPlus;
  v.hoverButton = 3;
  v.hoverTab = 0;
  v.gesture = TabViewState::Gesture::kPlusMinus;
  v.toolbar.stepTarget = StepTarget::kSelection;
  v.graph.dragging = true;

  const PrintedView printed = PrintedViewOf(model, v);
  const CSheet& out = printed.model.Sheet(0);
  EXPECT_EQ(out.Cell(1, 1), 77);
  EXPECT_EQ(out.liveState, 0);
  EXPECT_TRUE(out.sel.Empty());
  EXPECT_EQ(out.sel.cellState[0], 0);
  EXPECT_FALSE(printed.view.entry.active);
  EXPECT_EQ(printed.view.hover.kind, HoverKind::kNone);
  EXPECT_EQ(printed.view.hoverButton, -1);
  EXPECT_EQ(printed.view.hoverTab, -1);
  EXPECT_EQ(printed.view.gesture, TabViewState::Gesture::kNone);
  EXPECT_EQ(printed.view.toolbar.stepTarget, StepTarget::kNone);
  EXPECT_FALSE(printed.view.graph.dragging);
  EXPECT_TRUE(printed.view.graph.white);
  // The screen's own state is untouched.
  EXPECT_EQ(model.Sheet(0).liveState, 1);
  EXPECT_TRUE(v.entry.active);
}

}  // namespace
}  // namespace ign
