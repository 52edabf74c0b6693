// Mouse of the 2D graph: hover and status text, dragging points and
// markers, the rubber band, right click and the wheel.
#include <QCursor>

#include "core/mapedit/commands.h"
#include "core/mapedit/texts.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

namespace {

using G = TabViewState::Gesture;

Rect PlotRect(const Graph2D& g) { return Rect{g.left, g.bottom - g.height, g.left + g.width, g.bottom}; }

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

void TTab::UpdateGraphArea() {
  const TableLayout& t = v_.layout;
  Rect area;
  if (model_.Compact()) {
    // The regions fill the table's cell area before its half-cell shift.
    const Rect plot{t.cellLeft - static_cast<int>(t.cellWidth / 2),
                    t.cellTop - static_cast<int>(t.cellHeight / 2), width() - t.rightMargin,
                    height() - t.bottomMargin};
    v_.graph.area = Rect{};
    v_.graph.switchLayout =
        model_.Active() ? ComputeSwitchLayout(*model_.Active(), plot, v_.graph.proportional) : SwitchLayout{};
    return;
  } else if (v_.view == View::kGraph3D) {
    v_.graph.area = Rect{};
    v_.graph.layout = Graph2D{};
    v_.graph.projection = ComputeProjection(
        model_, v_.graph.view3D,
        Rect{t.leftMargin, v_.frame.viewTop, width() - t.rightMargin, height() - t.bottomMargin});
    return;
  } else if (v_.view == View::kGraph2D) {
    area = Rect{t.leftMargin, v_.frame.viewTop, width() - t.rightMargin, height() - t.bottomMargin};
  } else if (v_.view == View::kTable && v_.besideGraph.place != GraphPlace::kNone) {
    area = v_.besideGraph.area;
  }
  v_.graph.area = area;
  RecomputeGraph();
}

void TTab::RecomputeGraph() {
  TTabGraph& gs = v_.graph;
  if (model_.Compact() && model_.Active()) {
    gs.switchLayout = ComputeSwitchLayout(*model_.Active(), gs.switchLayout.plot, gs.proportional);
    return;
  }
  if (v_.view == View::kGraph3D) {
    gs.projection = ComputeProjection(model_, gs.view3D, gs.projection.view);
    return;
  }
  if (gs.area.Empty() || !model_.Active()) {
    gs.layout = Graph2D{};
    return;
  }
  gs.layout = ComputeGraph2D(model_, gs.area);
  if (gs.selectedCurve >= gs.layout.curves) gs.selectedCurve = gs.layout.curves - 1;
  if (gs.selectedCurve < 0) gs.selectedCurve = 0;
}

bool TTab::PointerInGraph(int x, int y) const {
  if (v_.view == View::kGraph3D) return v_.graph.projection.valid && v_.graph.projection.view.Contains(x, y);
  if (model_.Compact()) {
    const Rect& p = v_.graph.switchLayout.plot;
    return v_.graph.switchLayout.valid &&
           Rect{p.left - 5, p.top - 5, p.right + 5, p.bottom + 5}.Contains(x, y);
  }
  return v_.graph.layout.valid && v_.graph.area.Contains(x, y);
}

bool TTab::PressSwitch(int x, int y) {
  TTabGraph& gs = v_.graph;
  CSheet* sheet = model_.Active();
  if (!sheet || !PointerInGraph(x, y)) return false;
  const SwitchTarget t = SwitchHoverAt(gs.switchLayout, x, y);
  if (t.axis != 0) {
    const CAxe& axis = t.axis == 1 ? sheet->x : sheet->y;
    if (!sheet->Usable() || !axis.editable) return true;
    gs.switchHover = t;
    gs.switchDragging = true;
    model_.NotifyChange(0, Batch::kGesture, nowTick_);
    v_.gesture = G::kGraph;
    gs.status = SwitchStatusText(*sheet, t, true);
    SetHintText(QString::fromStdString(gs.status));
  } else if (sheet->Usable() && sheet->data.editable) {
    gs.banding = true;
    gs.bandX0 = gs.bandX1 = x;
    gs.bandY0 = gs.bandY1 = y;
    v_.gesture = G::kGraph;
  }
  RequestRepaint();
  return true;
}

bool TTab::PressGraph(int x, int y, Qt::KeyboardModifiers mods) {
  if (model_.Compact()) return PressSwitch(x, y);
  if (v_.view == View::kGraph3D) return Press3D(x, y);
  if (!PointerInGraph(x, y)) return false;
  TTabGraph& gs = v_.graph;
  RecomputeGraph();
  const GraphHover h = GraphHoverAt(model_, gs.layout, x, y);
  if (h.target.corner) {
    Execute(Cmd::kInterpolate);
    return true;
  }
  if (h.target.kind != GraphTargetKind::kNone) {
    if (BeginGraphDrag(model_, gs.layout, h.target, x, y, mods & Qt::ShiftModifier,
                       mods & Qt::ControlModifier, nowTick_, gs.drag)) {
      gs.dragging = true;
      v_.gesture = G::kGraph;
      gs.status = GraphStatusText(model_, gs.layout, gs.drag.target, true);
      SetHintText(QString::fromStdString(gs.status));
      RequestRepaint();
    }
    return true;
  }
  const Rect plot = PlotRect(gs.layout);
  if (!plot.Contains(x, y)) return true;
  gs.banding = true;
  gs.bandAdd = (mods & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
  gs.bandX0 = gs.bandX1 = x;
  gs.bandY0 = gs.bandY1 = y;
  v_.gesture = G::kGraph;
  RequestRepaint();
  return true;
}

void TTab::DragGraph(int x, int y) {
  TTabGraph& gs = v_.graph;
  if (gs.rotating) {
    RotateByDrag(gs.view3D, gs.rotateStartX, gs.rotateStartXY, x - gs.rotateX0, y - gs.rotateY0);
    RecomputeGraph();
    RefreshToolbar();
  } else if (gs.switchDragging) {
    DragSwitchBoundary(model_, gs.switchLayout, gs.switchHover, x, y, nowTick_);
    RecomputeGraph();
    gs.status = SwitchStatusText(*model_.Active(), gs.switchHover, true);
    SetHintText(QString::fromStdString(gs.status));
  } else if (gs.banding && model_.Compact()) {
    gs.bandX1 = x;
    gs.bandY1 = y;
  } else if (gs.dragging) {
    const Graph2D before = gs.layout;
    GraphDragStep(model_, gs.layout, gs.drag, x, y, nowTick_);
    RecomputeGraph();
    double px = 0, py = 0;
    if ((before.hf != gs.layout.hf || before.vf != gs.layout.vf || before.h.low != gs.layout.h.low ||
         before.d.low != gs.layout.d.low) &&
        GraphTargetPosition(model_, gs.layout, gs.drag.target, px, py)) {
      // Keep the pointer on the dragged point at the same grab offset.
      QCursor::setPos(
          mapToGlobal(QPoint(static_cast<int>(px + gs.drag.grabX), static_cast<int>(py + gs.drag.grabY))));
    }
    gs.status = GraphStatusText(model_, gs.layout, gs.drag.target, true);
    SetHintText(QString::fromStdString(gs.status));
  } else if (gs.banding) {
    const Rect plot = PlotRect(gs.layout);
    gs.bandX1 = Clamp(x, plot.left, plot.right);
    gs.bandY1 = Clamp(y, plot.top, plot.bottom);
  }
  RequestRepaint();
}

void TTab::ReleaseGraph(int, int) {
  TTabGraph& gs = v_.graph;
  gs.rotating = false;
  if (gs.dragging || gs.switchDragging) {
    gs.dragging = gs.switchDragging = false;
    EndGraphDrag(model_, nowTick_);
  }
  if (gs.banding && model_.Compact()) {
    gs.banding = false;
    ToggleSwitchRegions(model_, gs.switchLayout, gs.Band(), nowTick_);
  } else if (gs.banding) {
    gs.banding = false;
    if (CSheet* sheet = model_.Active()) SelectGraphBand(*sheet, gs.layout, gs.Band(), gs.bandAdd);
    UpdateTabStop();
  }
  RequestRepaint();
}

bool TTab::HoverGraph(int x, int y) {
  TTabGraph& gs = v_.graph;
  if (v_.view == View::kGraph3D) return Hover3D(x, y);
  if (model_.Compact()) {
    const SwitchTarget t = PointerInGraph(x, y) ? SwitchHoverAt(gs.switchLayout, x, y) : SwitchTarget{};
    if (t != gs.switchHover) RequestRepaint();
    gs.switchHover = t;
    gs.status = model_.Active() ? SwitchStatusText(*model_.Active(), t, false) : std::string();
    return t.axis != 0;
  }
  if (!PointerInGraph(x, y)) {
    if (gs.hover.kind != GraphTargetKind::kNone) RequestRepaint();
    gs.hover = GraphTarget{};
    gs.status.clear();
    return false;
  }
  const GraphHover h = GraphHoverAt(model_, gs.layout, x, y);
  if (h.nearestCurve >= 0 && h.nearestCurve != gs.selectedCurve) {
    gs.selectedCurve = h.nearestCurve;
    RequestRepaint();
  }
  if (h.target != gs.hover) RequestRepaint();
  gs.hover = h.target;
  gs.status = GraphStatusText(model_, gs.layout, gs.hover, false);
  return true;
}

bool TTab::WheelGraph(int x, int y, int sign, Qt::KeyboardModifiers mods) {
  if (v_.view == View::kGraph3D) return Wheel3DAt(x, y, sign, mods);
  if (model_.Compact() || !PointerInGraph(x, y)) return false;
  const GraphHover h = GraphHoverAt(model_, v_.graph.layout, x, y);
  if (GraphWheel(model_, v_.graph.layout, h.target, sign, nowTick_)) RequestRepaint();
  return true;
}

bool TTab::RightPressGraph(int x, int y) {
  CSheet* sheet = model_.Active();
  if (!sheet || model_.Compact() || !PointerInGraph(x, y)) return false;
  if (v_.view == View::kGraph3D) return true;  // the 3D view shows the selection; it never changes it
  const GraphHover h = GraphHoverAt(model_, v_.graph.layout, x, y);
  if (GraphRightPress(*sheet, v_.graph.layout, h.target)) {
    UpdateTabStop();
    RequestRepaint();
  }
  return true;
}

}  // namespace ign
