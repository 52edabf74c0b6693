#pragma once
// What the context menu and the toolbar of an editor offer, as plain data:
// the widget renders the items and runs their actions. Texts are resolved
// in the current language when the data is built (menus are rebuilt on
// every right click, the toolbar on every tick).
#include <string>
#include <vector>

#include "core/mapedit/batch.h"
#include "core/mapedit/geometry.h"
#include "core/mapedit/model.h"

namespace ign {

// ---- context menu ----
enum class MenuAction {
  kCommand,        // Execute(code)
  kInsertRow,      // InsertRow(arg)
  kInsertColumn,   // InsertColumn(arg)
  kDeleteRows,     // DeleteSelectedRows
  kDeleteColumns,  // DeleteSelectedColumns
  kAutoscrollOn,   // set the shared autoscroll flag
  kAutoscrollOff,  // clear it
  kColouring3D,    // 3D colouring arg (0..5)
  kValues3D,       // 3D value display arg (0..3)
};

struct MenuItem {
  MenuAction action = MenuAction::kCommand;
  int code = -1;                 // command code (kCommand)
  int arg = -1;                  // insert boundary, 3D mode, or the tab's sheet for kCopyTable/kPaste
  const char* packed = nullptr;  // the item's main packed text
  std::string text;              // the shown text, current language
  bool checked = false;
  bool separatorBefore = false;
};

struct MenuContext {
  int view = View::kTable;
  int offeredViews = -1;           // View bits the widget can show; -1: all the editor flags offer
  bool pointerOverTable = false;   // table view: over the table's cells, headers or strips
  bool pointerInGraph = false;     // graph views: inside the graph
  Hit hit;                         // table view: what the pointer is over
  int insertColumn = -1;           // InsertColumnBoundary under the pointer
  int insertRow = -1;              // InsertRowBoundary under the pointer
  int tabSheet = -1;               // right click on the tab of this sheet
  bool clipboardHasSheet = false;  // the private sheet format
  bool clipboardHasText = false;
  bool typedHighlight = false;  // a typed entry has highlighted text
  int preset3D = -1;            // current 3D preset code (16..18), -1 none
  int colouring3D = 0;          // 0..5
  int values3D = 0;             // 0..3
};

// The items of the context menu for the active sheet (or the tab's sheet).
std::vector<MenuItem> BuildContextMenu(const CTabModel& model, const MenuContext& context);

// Part of the sheet the user may change, and selections that may be edited.
bool AnyPartEditable(const CSheet& sheet);
bool SelectionEditable(const CSheet& sheet);

// ---- toolbar ----
struct ToolButton {
  int code = -1;
  Rect rect;
  bool toggle = false;  // acts on press (radio-like "use" buttons)
  bool enabled = true;
  bool checked = false;
  const char* picture = nullptr;  // resource name, or null for a text button
  const char* disabledPicture = nullptr;
  std::string label;           // current language
  const char* hint = nullptr;  // packed
};

struct ToolbarContext {
  int controlWidth = 500;
  int rightMargin = kRightMargin;
  int toolbarLine = kToolbarLine;
  int view = View::kTable;
  int offeredViews = -1;  // as in MenuContext
  bool clipboardHasSheet = false;
  bool clipboardHasText = false;
  bool typedHighlight = false;
  int preset3D = -1;
  Rect viewArea;       // for the 3D preset buttons
  int tableRight = 0;  // right edge of the last shown column
  int tableTop = 0;    // top of the column headers
};

struct Toolbar {
  std::vector<ToolButton> buttons;
  int left = 0;  // x0 = control width - right margin - reserved width
  int reservedWidth = 0;
  StepTarget stepTarget = StepTarget::kNone;  // frame (selection) or live ring around +/-
};

// Reserved width: 123 + 75 x (the most user-collapsible axes of any sheet,
// plus 1 when not 0) + 63 x (view buttons).
int ToolbarReservedWidth(const CTabModel& model, int offeredViews);
Toolbar BuildToolbar(const CTabModel& model, const ToolbarContext& context);

}  // namespace ign
