// The command dispatcher and the context menu of the map editor.
#include <QMenu>

#include "core/mapedit/mouse_select.h"
#include "core/mapedit/selection.h"
#include "ui/mapedit/clipboard_formats.h"
#include "ui/mapedit/map_editor.h"
#include "ui/mapedit/tab_overlay.h"

namespace ign {

namespace {

bool ClipboardCommand(int code) {
  return code == Cmd::kCopy || code == Cmd::kCopyTable || code == Cmd::kPaste || code == Cmd::kCopyGraph;
}

bool CheckGroup(const MenuItem& item) {
  switch (item.action) {
    case MenuAction::kAutoscrollOn:
    case MenuAction::kAutoscrollOff:
    case MenuAction::kColouring3D:
    case MenuAction::kValues3D: return true;
    case MenuAction::kCommand:
      return (item.code >= Cmd::kViewTable && item.code <= Cmd::kView3D) ||
             (item.code >= Cmd::kUseOnlyX && item.code <= Cmd::kPresetIso2);
    default: return false;
  }
}

}  // namespace

void TTab::Execute(int code) {
  CSheet* sheet = model_.Active();
  if (!sheet) return;
  if (ClipboardCommand(code)) {
    if (code != Cmd::kCopy) CommitTypedEntry();
    switch (code) {
      case Cmd::kCopy: CopySelection(); break;
      case Cmd::kCopyTable: CopyTable(-1); break;
      case Cmd::kPaste: PasteFromClipboard(-1); break;
      default: CopyGraph(); break;
    }
  } else if (code >= Cmd::kViewTable && code <= Cmd::kView3D) {
    const int requested = code == Cmd::kViewTable ? View::kTable
                          : code == Cmd::kView2D  ? View::kGraph2D
                                                  : View::kGraph3D;
    const int next = NextOfferedView(requested, model_.EditorFlags());
    if (next & kAvailableViews) v_.view = next;
    CommitTypedEntry();
    CancelGesture();
    v_.hover = Hover{};
    v_.graph.hover = GraphTarget{};
    RequestRelayout();
  } else if (code >= Cmd::kPresetTop && code <= Cmd::kPresetIso2) {
    ApplyPreset(v_.graph.view3D, code);
    RecomputeGraph();
    RefreshToolbar();
    RequestRepaint();
  } else if (code == Cmd::kScrollHorizontal || code == Cmd::kScrollVertical) {
    ScrollBy(code == Cmd::kScrollHorizontal, 1);
  } else {
    CommitTypedEntry();
    if (ExecuteDataCommand(model_, code, nowTick_)) {
      v_.hover = Hover{};
      UpdateTabStop();
      RequestRelayout();
    }
  }
  Flush();
}

std::vector<MenuItem> TTab::PrepareContextMenu(QPoint at) {
  CSheet* sheet = model_.Active();
  if (!sheet) return {};
  CommitTypedEntry();
  MenuContext c;
  c.view = v_.view;
  c.offeredViews = kAvailableViews;
  c.clipboardHasSheet = TClipboardFormats::Instance().HasSheet();
  c.clipboardHasText = TClipboardFormats::Instance().HasText();
  c.typedHighlight = v_.entry.active && v_.entry.HasHighlight();
  c.preset3D = PresetOf(v_.graph.view3D);
  c.colouring3D = v_.graph.view3D.colouring;
  c.values3D = v_.graph.view3D.values;
  for (std::size_t i = 0; i < v_.tabs.size(); ++i) {
    if (v_.tabs[i].Contains(at.x(), at.y())) c.tabSheet = static_cast<int>(i);
  }
  c.pointerInGraph = c.tabSheet < 0 && PointerInGraph(at.x(), at.y());
  if (c.pointerInGraph) {
    RightPressGraph(at.x(), at.y());
  } else if (c.tabSheet < 0 && v_.view == View::kTable) {
    c.hit = HitTest(v_.layout, at.x(), at.y());
    c.pointerOverTable = c.hit.kind != HitKind::kNone;
    if (RightPressSelect(*sheet, c.hit)) UpdateTabStop();
    c.insertColumn = c.hit.column >= 0 ? InsertColumnBoundary(v_.layout, at.x()) : -1;
    c.insertRow = c.hit.row >= 0 ? InsertRowBoundary(v_.layout, at.y()) : -1;
  }
  RequestRepaint();
  return BuildContextMenu(model_, c);
}

void TTab::RunMenuItem(const MenuItem& item) {
  switch (item.action) {
    case MenuAction::kCommand:
      if (item.arg >= 0 && item.code == Cmd::kCopyTable) {
        CopyTable(item.arg);
      } else if (item.arg >= 0 && item.code == Cmd::kPaste) {
        PasteFromClipboard(item.arg);
        Flush();
      } else {
        Execute(item.code);
      }
      return;
    case MenuAction::kInsertRow: InsertRow(model_, item.arg, nowTick_); break;
    case MenuAction::kInsertColumn: InsertColumn(model_, item.arg, nowTick_); break;
    case MenuAction::kDeleteRows: DeleteSelectedRows(model_, nowTick_); break;
    case MenuAction::kDeleteColumns: DeleteSelectedColumns(model_, nowTick_); break;
    case MenuAction::kAutoscrollOn:
      if (bool* flag = model_.AutoscrollFlag()) *flag = true;
      break;
    case MenuAction::kAutoscrollOff:
      if (bool* flag = model_.AutoscrollFlag()) *flag = false;
      break;
    case MenuAction::kColouring3D:
      v_.graph.view3D.colouring = std::clamp(item.arg, 0, Colouring3D::kMax);
      RequestRepaint();
      Flush();
      return;
    case MenuAction::kValues3D:
      v_.graph.view3D.values = std::clamp(item.arg, 0, Values3D::kAll);
      RequestRepaint();
      Flush();
      return;
    default: return;
  }
  if (CSheet* sheet = model_.Active()) {
    const TSel& sel = sheet->sel;
    if (!sel.Empty()) ScrollTo(sel.boxX0 >= 0 ? sel.boxX0 : -1, sel.boxY0 >= 0 ? sel.boxY0 : -1);
  }
  v_.hover = Hover{};
  RequestRelayout();
  Flush();
}

void TTab::OpenContextMenu(QPoint at) {
  lastItems_ = PrepareContextMenu(at);
  Flush();
  if (lastMenu_) lastMenu_->deleteLater();
  if (lastItems_.empty()) return;
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("TTabMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const MenuItem& item : lastItems_) {
    if (item.separatorBefore) menu->addSeparator();
    QAction* action = menu->addAction(QString::fromStdString(item.text));
    action->setCheckable(CheckGroup(item));
    action->setChecked(item.checked);
    const MenuItem copy = item;
    connect(action, &QAction::triggered, this, [this, copy] { RunMenuItem(copy); });
  }
  if (overlay_) overlay_->AddMenuActions(*menu);
  lastMenu_ = menu;
  menu->popup(mapToGlobal(at));
}

}  // namespace ign
