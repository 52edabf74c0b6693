// The toolbar of an editor: which buttons exist, where, and their states.
// Items 1 to 4 (clipboard, +/-, "use", views) exist only in editors that
// show the live point; the others offer them through the context menu.
#include <algorithm>
#include <bit>

#include "core/mapedit/commands.h"
#include "core/mapedit/menu.h"
#include "core/mapedit/texts.h"

namespace ign {

namespace {

int ViewButtons(const CTabModel& model, int offeredViews) {
  int offered = OfferedViews(model.EditorFlags());
  if (offeredViews >= 0) offered &= offeredViews;
  const int n = std::popcount(static_cast<unsigned>(offered));
  return n >= 2 ? n : 0;
}

int UserCollapsibleAxes(const CSheet& sheet) {
  return (sheet.x.collapsible == Collapsible::kByUser ? 1 : 0) +
         (sheet.y.collapsible == Collapsible::kByUser ? 1 : 0);
}

ToolButton& Add(Toolbar& bar, int code, Rect rect, const char* hint) {
  ToolButton& b = bar.buttons.emplace_back();
  b.code = code;
  b.rect = rect;
  b.hint = hint;
  return b;
}

Rect At(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }

}  // namespace

int ToolbarReservedWidth(const CTabModel& model, int offeredViews) {
  int most = 0;
  for (int s = 0; s < model.SheetCount(); ++s) most = std::max(most, UserCollapsibleAxes(model.Sheet(s)));
  return 123 + 75 * (most > 0 ? most + 1 : 0) + 63 * ViewButtons(model, offeredViews);
}

Toolbar BuildToolbar(const CTabModel& model, const ToolbarContext& c) {
  Toolbar bar;
  bar.reservedWidth = ToolbarReservedWidth(model, c.offeredViews);
  bar.left = c.controlWidth - c.rightMargin - bar.reservedWidth;
  const CSheet* sheet = model.Active();
  if (!sheet) return bar;
  const int x0 = bar.left;
  const int y = c.toolbarLine;

  // 1, 2: clipboard and +/-.
  if (model.ShowsLive()) {
    const bool usable = sheet->Usable();
    ToolButton& copy = Add(bar, Cmd::kCopy, At(x0, y, 24, 24), MapText::kHintCopy);
    copy.picture = "CLBRD_COPY";
    copy.disabledPicture = "CLBRD_COPY0";
    copy.enabled = usable && (!sheet->sel.Empty() || c.typedHighlight);
    ToolButton& copyTable = Add(bar, Cmd::kCopyTable, At(x0 + 30, y, 24, 24), MapText::kHintCopyTable);
    copyTable.picture = "CLBRD_COPYSHEET";
    copyTable.enabled = usable;
    ToolButton& paste = Add(bar, Cmd::kPaste, At(x0 + 60, y, 24, 24), MapText::kHintPaste);
    paste.picture = c.clipboardHasSheet ? "CLBRD_PASTSHEET" : "CLBRD_PAST";
    paste.disabledPicture = "CLBRD_PAST0";
    paste.enabled =
        (c.clipboardHasText && SelectionEditable(*sheet)) || (c.clipboardHasSheet && AnyPartEditable(*sheet));

    bar.stepTarget = StepActsOn(model);
    const bool stepEnabled = SelectionEditable(*sheet) || (bar.stepTarget != StepTarget::kNone &&
                                                           bar.stepTarget != StepTarget::kSelection);
    ToolButton& plus = Add(bar, Cmd::kIncrement, At(x0 + 100, y, 24, 12), MapText::kHintIncrement);
    plus.label = "+";
    plus.enabled = stepEnabled;
    ToolButton& minus = Add(bar, Cmd::kDecrement, At(x0 + 100, y + 12, 24, 12), MapText::kHintDecrement);
    minus.label = "-";
    minus.enabled = stepEnabled;
  }

  // 3: "use" radio buttons.
  const CAxe& ax = sheet->x;
  const CAxe& ay = sheet->y;
  const bool ownerControlled =
      ax.collapsible == Collapsible::kByOwner || ay.collapsible == Collapsible::kByOwner;
  if (model.ShowsLive() && UserCollapsibleAxes(*sheet) > 0 && !ownerControlled) {
    int x = x0 + 128;
    const auto use = [&](int code, std::string label, const char* hint, bool checked) {
      ToolButton& b = Add(bar, code, At(x, y, 70, 24), hint);
      b.toggle = true;
      b.label = std::move(label);
      b.checked = checked;
      b.enabled = sheet->Usable();
      x += 75;
    };
    if (ay.collapsible == Collapsible::kByUser) {
      use(Cmd::kUseOnlyX, Shown(MapText::kOnly) + " " + Shown(ax.label), MapText::kHintUseOnly,
          ay.collapsed && !ax.collapsed);
    }
    if (ax.collapsible == Collapsible::kByUser) {
      use(Cmd::kUseOnlyY, Shown(MapText::kOnly) + " " + Shown(ay.label), MapText::kHintUseOnly,
          ax.collapsed && !ay.collapsed);
    }
    use(Cmd::kUseBoth, Shown(ax.label) + " " + Shown(MapText::kAnd) + " " + Shown(ay.label),
        MapText::kHintUseBoth, !ax.collapsed && !ay.collapsed);
  }

  // 4: view buttons at the right end.
  const int views = ViewButtons(model, c.offeredViews);
  if (model.ShowsLive() && views > 0) {
    int offered = OfferedViews(model.EditorFlags());
    if (c.offeredViews >= 0) offered &= c.offeredViews;
    int x = c.controlWidth - c.rightMargin - 63 * views + 5;
    const struct {
      int view, code;
      const char* picture;
      const char* hint;
    } kViews[] = {{View::kTable, Cmd::kViewTable, "BTTAB", MapText::kHintViewTable},
                  {View::kGraph2D, Cmd::kView2D, "BT2D", MapText::kHintView2D},
                  {View::kGraph3D, Cmd::kView3D, "BT3D", MapText::kHintView3D}};
    for (const auto& v : kViews) {
      if (!(offered & v.view)) continue;
      ToolButton& b = Add(bar, v.code, At(x, y, 58, 24), v.hint);
      b.picture = v.picture;
      b.toggle = true;
      b.checked = c.view == v.view;
      x += 63;
    }
  }

  // 5: 3D presets inside the view area.
  if (c.view == View::kGraph3D) {
    const struct {
      int code, dx, w;
      const char* label;
      const char* hint;
    } kPresets[] = {{Cmd::kPresetTop, 10, 45, MapText::kLabelTop, MapText::kHintTop},
                    {Cmd::kPresetIso1, 60, 35, MapText::kLabelIso1, MapText::kHintIso1},
                    {Cmd::kPresetIso2, 100, 35, MapText::kLabelIso2, MapText::kHintIso2}};
    for (const auto& p : kPresets) {
      ToolButton& b = Add(bar, p.code, At(c.viewArea.left + p.dx, c.viewArea.top + 25, p.w, 16), p.hint);
      b.label = Shown(p.label);
      b.checked = c.preset3D == p.code;
    }
  }

  // 6: add and remove column beside the table.
  if ((model.EditorFlags() & EditorFlag::kTableView) && ax.resizable && !ax.collapsed &&
      c.view == View::kTable) {
    ToolButton& add =
        Add(bar, Cmd::kAddColumn, At(c.tableRight + 5, c.tableTop, 15, 15), MapText::kHintAddColumn);
    add.label = "+";
    add.enabled = sheet->Usable() && ax.count < ax.capacity;
    ToolButton& remove = Add(bar, Cmd::kRemoveColumn, At(c.tableRight + 5, c.tableTop + 16, 15, 15),
                             MapText::kHintRemoveColumn);
    remove.label = "-";
    remove.enabled = sheet->Usable() && ax.count > ax.minCount;
  }
  return bar;
}

}  // namespace ign
