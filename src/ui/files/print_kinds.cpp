#include "ui/files/print_kinds.h"

#include <utility>

namespace ign {

namespace {

struct ClassKind {
  std::string_view className;
  PrintKind kind;
};

// Our widget classes by Qt class name; a class that is not listed is looked
// up by its base classes, and a class without a listed base is left alone.
constexpr ClassKind kClassKinds[] = {
    {"QLabel", PrintKind::kLabel},
    {"QSpinBox", PrintKind::kUpDown},
    {"QDoubleSpinBox", PrintKind::kDeciUpDown},
    {"QRadioButton", PrintKind::kRadioButton},
    {"ign::TRadioGroup", PrintKind::kRadioGroup},
    {"QCheckBox", PrintKind::kCheckBox},
    {"QComboBox", PrintKind::kComboBox},
    {"QPushButton", PrintKind::kButton},
    {"QGroupBox", PrintKind::kGroupBox},
    {"ign::TTab", PrintKind::kTab},
    {"QTabWidget", PrintKind::kPageControl},
    {"QProgressBar", PrintKind::kGauge},
    {"QLineEdit", PrintKind::kEdit},
    {"QToolButton", PrintKind::kSpeedButton},
    {"QStatusBar", PrintKind::kStatusBar},
    {"QPlainTextEdit", PrintKind::kMemo},
    {"QTextEdit", PrintKind::kMemo},
    {"QScrollBar", PrintKind::kScrollBar},
};

PrintKind ByClass(std::string_view name) {
  for (const ClassKind& k : kClassKinds)
    if (k.className == name) return k.kind;
  return PrintKind::kNone;
}

}  // namespace

PrintKind KindOf(const ControlFacts& facts) {
  if (facts.pageOfTabs) return PrintKind::kTabSheet;
  for (std::string_view name : facts.classes) {
    const PrintKind kind = ByClass(name);
    if (kind == PrintKind::kLabel && facts.picture) return PrintKind::kImage;
    if (kind == PrintKind::kButton && facts.picture) return PrintKind::kBitBtn;
    if (kind != PrintKind::kNone) return kind;
    // A plain frame is a container; drawn as a line it is a bevel.
    if (name == "QFrame") return facts.lineShape ? PrintKind::kBevel : PrintKind::kNone;
  }
  return PrintKind::kNone;
}

PrintAction PrepareRule(PrintKind kind, const ControlState& s) {
  switch (kind) {
    case PrintKind::kLabel:
      return s.buttonFace && s.filled ? PrintAction::kMakeTransparent : PrintAction::kNone;
    case PrintKind::kUpDown:
    case PrintKind::kDeciUpDown:
      // The edit and its up-down are one control here: the arrows go, the value stays.
      return s.shown && s.arrows ? PrintAction::kHideArrows : PrintAction::kNone;
    case PrintKind::kButton:
    case PrintKind::kGauge:
    case PrintKind::kBitBtn:
    case PrintKind::kScrollBar: return s.shown ? PrintAction::kHide : PrintAction::kNone;
    case PrintKind::kRadioGroup:
    case PrintKind::kCheckBox: return s.buttonFace && !s.white ? PrintAction::kSetWhite : PrintAction::kNone;
    case PrintKind::kGroupBox: return s.white ? PrintAction::kNone : PrintAction::kSetWhite;
    case PrintKind::kTab: return s.shown ? PrintAction::kSetPrintFlag : PrintAction::kNone;
    case PrintKind::kTabSheet: return s.tabShown ? PrintAction::kListTab : PrintAction::kNone;
    default: return PrintAction::kNone;
  }
}

PrintChange ChangeOf(PrintAction action) {
  switch (action) {
    case PrintAction::kMakeTransparent: return PrintChange::kTransparency;
    case PrintAction::kSetWhite: return PrintChange::kColour;
    case PrintAction::kSetPrintFlag: return PrintChange::kPrintFlag;
    default: return PrintChange::kVisibility;
  }
}

bool WalkInto(PrintKind kind) {
  switch (kind) {
    case PrintKind::kNone:
    case PrintKind::kGroupBox:
    case PrintKind::kRadioGroup:
    case PrintKind::kPageControl:
    case PrintKind::kTabSheet: return true;
    default: return false;
  }
}

}  // namespace ign
