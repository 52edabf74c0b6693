#pragma once
// The printout's control kinds and its prepare rule, as pure functions: a
// control's kind from its class and a few facts about it, and the change that
// making the window printer-friendly applies to a control of that kind in its
// present state. No widgets here, so the table can be tested on its own.
#include <string_view>
#include <vector>

namespace ign {

// The kind codes of the printout. Our widget classes map onto them: an edit
// with its up-down is one spin box (UpDown), a push button with a picture is
// a BitBtn, a tool button a SpeedButton, a frame drawn as a line a Bevel, a
// progress bar a CGauge, the pages' radio group a RadioGroup.
enum class PrintKind : int {
  kNone = 0,
  kLabel = 1,
  kUpDown = 2,
  kDeciUpDown = 3,
  kRadioButton = 4,
  kRadioGroup = 5,
  kCheckBox = 6,
  kComboBox = 7,
  kButton = 8,
  kGroupBox = 9,
  kTab = 10,  // the map editor
  kPageControl = 15,
  kTabSheet = 16,
  kGauge = 17,
  kImage = 18,
  kEdit = 19,
  kBitBtn = 21,
  kSpeedButton = 22,
  kBevel = 23,
  kStatusBar = 24,
  kMemo = 25,
  kDeciEdit = 26,
  kScrollBar = 27,
};

// What one remembered change was.
enum class PrintChange : int {
  kPrintFlag = 0,     // a map editor's print flag
  kTransparency = 1,  // a label made transparent
  kColour = 2,        // a background set white
  kVisibility = 3,    // a control (or a spin box's arrows) hidden
};

// What a control is, as far as its kind depends on more than its class.
struct ControlFacts {
  // The class and its base classes, most derived first (Qt's class names).
  std::vector<std::string_view> classes;
  bool pageOfTabs = false;  // a page of a tab widget
  bool picture = false;     // a label or push button that shows a picture
  bool lineShape = false;   // a frame drawn as a horizontal or vertical line
};

PrintKind KindOf(const ControlFacts& facts);

// The state the prepare rule looks at, taken before anything was changed.
struct ControlState {
  bool shown = true;       // not hidden by its own flag
  bool buttonFace = true;  // its background is the one an unstyled control shows
  bool white = false;      // its background is white
  bool filled = false;     // it paints its own background (not transparent)
  bool tabShown = false;   // a tab sheet whose tab is shown
  bool arrows = true;      // a spin box that shows its arrows
};

enum class PrintAction {
  kNone,
  kMakeTransparent,  // kTransparency
  kHide,             // kVisibility of the control
  kHideArrows,       // kVisibility of a spin box's arrows; the field stays
  kSetWhite,         // kColour
  kSetPrintFlag,     // kPrintFlag
  kListTab,          // the tab sheet is printed by "Print all"
};

PrintAction PrepareRule(PrintKind kind, const ControlState& state);

// The change an action is remembered as (kNone and kListTab remember nothing).
PrintChange ChangeOf(PrintAction action);

// Whether the walk goes into a control's children: containers yes, controls
// made of parts (spin boxes, combo boxes, memos, map editors) no.
bool WalkInto(PrintKind kind);

}  // namespace ign
