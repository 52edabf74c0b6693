#include "core/mapedit/menu.h"

#include <bit>

#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"

namespace ign {

namespace {

class MenuBuilder {
 public:
  MenuItem& Add(const char* packed, MenuAction action = MenuAction::kCommand, int code = -1) {
    MenuItem& item = items.emplace_back();
    item.action = action;
    item.code = code;
    item.packed = packed;
    item.text = Shown(packed);
    item.separatorBefore = separator_ && items.size() > 1;
    separator_ = false;
    return item;
  }
  void Separator() { separator_ = true; }

  std::vector<MenuItem> items;

 private:
  bool separator_ = false;
};

std::string Join(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& part : parts) {
    if (!out.empty()) out += ' ';
    out += part;
  }
  return out;
}

int Offered(const CTabModel& model, int offeredViews) {
  return offeredViews >= 0 ? offeredViews & OfferedViews(model.EditorFlags())
                           : OfferedViews(model.EditorFlags());
}

bool TableScrolled(const CTabModel& model, const CSheet& sheet) {
  return (!sheet.x.collapsed && sheet.x.count > model.MaxVisibleColumns()) ||
         (!sheet.y.collapsed && sheet.y.count > model.MaxVisibleRows());
}

void TabMenu(MenuBuilder& m, const CTabModel& model, const MenuContext& c) {
  if (c.tabSheet >= model.SheetCount()) return;
  const CSheet& sheet = model.Sheet(c.tabSheet);
  m.Add(MapText::kMenuCopyTable, MenuAction::kCommand, Cmd::kCopyTable).arg = c.tabSheet;
  if (c.clipboardHasSheet && AnyPartEditable(sheet)) {
    m.Add(MapText::kMenuPasteTable, MenuAction::kCommand, Cmd::kPaste).arg = c.tabSheet;
  }
}

void InsertDeleteItems(MenuBuilder& m, const CTabModel& model, const CSheet& sheet, const MenuContext& c) {
  const TSel& sel = sheet.sel;
  const bool yChangeable = sheet.y.resizable && !sheet.y.collapsed;
  const bool xChangeable = sheet.x.resizable && !sheet.x.collapsed;
  const int row = c.hit.row, column = c.hit.column;
  if (yChangeable && row >= 0 &&
      (RowFullySelected(sheet, row) || c.hit.kind == HitKind::kRowSelector ||
       sel.kind == SelKind::kYPoints)) {
    m.Add(MapText::kMenuInsertRow, MenuAction::kInsertRow).arg = c.insertRow >= 0 ? c.insertRow : row;
  }
  if (xChangeable && column >= 0 &&
      (ColumnFullySelected(sheet, column) || c.hit.kind == HitKind::kColumnSelector ||
       sel.kind == SelKind::kXPoints)) {
    m.Add(MapText::kMenuInsertColumn, MenuAction::kInsertColumn).arg =
        c.insertColumn >= 0 ? c.insertColumn : column;
  }
  const auto deleteItem = [&](int n, int count, const char* one, const char* several, MenuAction action) {
    if (n < 1 || n >= count) return;
    MenuItem& item = m.Add(n > 1 ? several : one, action);
    if (n > 1) item.text += " (" + std::to_string(n) + ")";
  };
  if (yChangeable) {
    deleteItem(static_cast<int>(FullySelectedRows(sheet).size()), sheet.y.count, MapText::kMenuDeleteRow,
               MapText::kMenuDeleteRows, MenuAction::kDeleteRows);
  }
  if (xChangeable) {
    deleteItem(static_cast<int>(FullySelectedColumns(sheet).size()), sheet.x.count,
               MapText::kMenuDeleteColumn, MapText::kMenuDeleteColumns, MenuAction::kDeleteColumns);
  }
  (void)model;
}

void Graph3DItems(MenuBuilder& m, const MenuContext& c) {
  m.Separator();
  const char* presets[] = {MapText::kMenuTopView, MapText::kMenuIso1View, MapText::kMenuIso2View};
  for (int i = 0; i < 3; ++i)
    m.Add(presets[i], MenuAction::kCommand, Cmd::kPresetTop + i).checked = c.preset3D == Cmd::kPresetTop + i;
  m.Separator();
  const char* colourings[] = {MapText::kMenuWireModel,        MapText::kMenuOneColour,
                              MapText::kMenuHeightColours[0], MapText::kMenuHeightColours[1],
                              MapText::kMenuHeightColours[2], MapText::kMenuHeightColours[3]};
  for (int i = 0; i < 6; ++i) {
    MenuItem& item = m.Add(colourings[i], MenuAction::kColouring3D);
    item.arg = i;
    item.checked = c.colouring3D == i;
  }
  m.Separator();
  const char* values[] = {MapText::kMenuNoValues, MapText::kMenuActiveValue, MapText::kMenuInterestingValues,
                          MapText::kMenuAllValues};
  for (int i = 0; i < 4; ++i) {
    MenuItem& item = m.Add(values[i], MenuAction::kValues3D);
    item.arg = i;
    item.checked = c.values3D == i;
  }
}

void UseItems(MenuBuilder& m, const CSheet& sheet) {
  const CAxe& x = sheet.x;
  const CAxe& y = sheet.y;
  const bool ownerControlled =
      x.collapsible == Collapsible::kByOwner || y.collapsible == Collapsible::kByOwner;
  m.Separator();
  if (y.collapsible == Collapsible::kByUser) {
    MenuItem& item = m.Add(MapText::kMenuUseOnly, MenuAction::kCommand, Cmd::kUseOnlyX);
    item.text = Join({item.text, Shown(x.label)});
    item.checked = y.collapsed && !x.collapsed;
  }
  if (x.collapsible == Collapsible::kByUser) {
    MenuItem& item = m.Add(MapText::kMenuUseOnly, MenuAction::kCommand, Cmd::kUseOnlyY);
    item.text = Join({item.text, Shown(y.label)});
    item.checked = x.collapsed && !y.collapsed;
  }
  if ((x.collapsible == Collapsible::kByUser || y.collapsible == Collapsible::kByUser) && !ownerControlled) {
    MenuItem& item = m.Add(MapText::kMenuUse, MenuAction::kCommand, Cmd::kUseBoth);
    item.text = Join({item.text, Shown(x.label), Shown(MapText::kAnd), Shown(y.label)});
    item.checked = !x.collapsed && !y.collapsed;
  }
}

}  // namespace

bool AnyPartEditable(const CSheet& sheet) {
  return sheet.Usable() && (sheet.x.editable || sheet.y.editable || sheet.data.editable);
}

bool SelectionEditable(const CSheet& sheet) {
  if (!sheet.Usable() || sheet.sel.Empty()) return false;
  const int kind = sheet.sel.kind;
  if (kind == SelKind::kXPoints) return sheet.x.editable;
  if (kind == SelKind::kYPoints) return sheet.y.editable;
  return sheet.data.editable;
}

std::vector<MenuItem> BuildContextMenu(const CTabModel& model, const MenuContext& c) {
  MenuBuilder m;
  if (c.tabSheet >= 0) {
    TabMenu(m, model, c);
    return m.items;
  }
  const CSheet* active = model.Active();
  if (!active) return m.items;
  const CSheet& sheet = *active;
  const bool usable = sheet.Usable();
  const bool table = c.view == View::kTable;
  const bool graph = c.view != View::kTable && c.pointerInGraph;

  if (sheet.flags & SheetFlag::kCanDisable) {
    const bool on = sheet.enabled && sheet.available;
    MenuItem& item =
        m.Add(on ? MapText::kMenuDisable : MapText::kMenuEnable, MenuAction::kCommand, Cmd::kEnable);
    item.text = Join({item.text, Shown(sheet.name)});
    m.Separator();
  }
  if (usable) {
    const bool copy = !sheet.sel.Empty() || c.typedHighlight;
    if (copy) m.Add(MapText::kMenuCopy, MenuAction::kCommand, Cmd::kCopy);
    if (copy || graph) m.Add(MapText::kMenuCopyTable, MenuAction::kCommand, Cmd::kCopyTable);
    if (graph) m.Add(MapText::kMenuCopyGraph, MenuAction::kCommand, Cmd::kCopyGraph);
    if (c.clipboardHasSheet && AnyPartEditable(sheet)) {
      m.Add(MapText::kMenuPasteTable, MenuAction::kCommand, Cmd::kPaste);
    } else if (c.clipboardHasText && SelectionEditable(sheet)) {
      m.Add(MapText::kMenuPaste, MenuAction::kCommand, Cmd::kPaste);
    }
    m.Separator();
    if (sheet.sel.rectangle && SelectionEditable(sheet)) {
      m.Add(MapText::kMenuInterpolate, MenuAction::kCommand, Cmd::kInterpolate);
      m.Separator();
    }
    if (table && c.pointerOverTable) InsertDeleteItems(m, model, sheet, c);
  }
  if (table && c.pointerOverTable && model.ShowsLive() && TableScrolled(model, sheet)) {
    m.Separator();
    m.Add(MapText::kMenuAutoscroll, MenuAction::kAutoscrollOn).checked = model.Autoscroll();
    m.Add(MapText::kMenuNoAutoscroll, MenuAction::kAutoscrollOff).checked = !model.Autoscroll();
  }
  if (c.view == View::kGraph3D && c.pointerInGraph) Graph3DItems(m, c);

  const int offered = Offered(model, c.offeredViews);
  if (std::popcount(static_cast<unsigned>(offered)) >= 2) {
    m.Separator();
    const std::pair<int, const char*> views[] = {{View::kTable, MapText::kMenuViewTable},
                                                 {View::kGraph2D, MapText::kMenuView2D},
                                                 {View::kGraph3D, MapText::kMenuView3D}};
    int code = Cmd::kViewTable;
    for (const auto& [view, text] : views) {
      if (offered & view) m.Add(text, MenuAction::kCommand, code).checked = c.view == view;
      ++code;
    }
  }
  if (usable) UseItems(m, sheet);
  return m.items;
}

}  // namespace ign
