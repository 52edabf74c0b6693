#include "ui/mapedit/print_view.h"

#include "ui/mapedit/table_painter.h"

namespace ign {

PrintedView PrintedViewOf(const CTabModel& model, const TabViewState& view) {
  PrintedView out{model, view};
  out.model.SetOnSheetChanged(nullptr);
  out.model.SetMessageSink(nullptr);
  for (int s = 0; s < out.model.SheetCount(); ++s) {
    CSheet& sheet = out.model.Sheet(s);
    sheet.liveState = 0;
    sheet.sel = TSel{};
  }
  TabViewState& v = out.view;
  v.entry = TypedEntry{};
  v.entryBoundaries.clear();
  v.hover = Hover{};
  v.hoverTab = v.hoverButton = v.pressedButton = -1;
  v.hoverPart = ScrollPart::kNone;
  v.gesture = TabViewState::Gesture::kNone;
  v.scrollPart = ScrollPart::kNone;
  v.toolbar.stepTarget = StepTarget::kNone;
  v.graph.hover = GraphTarget{};
  v.graph.switchHover = SwitchTarget{};
  v.graph.white = true;  // paper, not the button face
  v.graph.dragging = v.graph.banding = v.graph.switchDragging = v.graph.rotating = false;
  return out;
}

void PaintPrinted(QPainter& p, const CTabModel& model, const TabViewState& view, const QFont& canvas) {
  const PrintedView printed = PrintedViewOf(model, view);
  PaintEditor(p, printed.model, printed.view, canvas, false);
}

}  // namespace ign
