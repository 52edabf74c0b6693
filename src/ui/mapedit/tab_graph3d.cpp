// Mouse of the 3D view: rotation by dragging, the wheel over the plot
// (angle, colouring, value display) and over the legend (the live value),
// and the usage hints.
#include "core/mapedit/commands.h"
#include "core/mapedit/texts.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

namespace {
using G = TabViewState::Gesture;
}  // namespace

bool TTab::Press3D(int x, int y) {
  TTabGraph& gs = v_.graph;
  if (!gs.projection.valid || !gs.projection.plot.Contains(x, y)) return gs.projection.view.Contains(x, y);
  gs.rotating = true;
  gs.rotateX0 = x;
  gs.rotateY0 = y;
  gs.rotateStartX = gs.view3D.angleX;
  gs.rotateStartXY = gs.view3D.angleXY;
  v_.gesture = G::kGraph;
  return true;
}

bool TTab::Hover3D(int x, int y) {
  const TTabGraph& gs = v_.graph;
  if (!gs.projection.valid || !gs.projection.view.Contains(x, y)) return false;
  std::string hint;
  if (gs.projection.legend.Contains(x, y)) {
    if (!(gs.view3D.hints & Hint3D::kLegendWheel)) hint = Shown(MapText::kHintLegend3D);
  } else {
    // "%s|%s": the usage hint until the user has rotated, and the long hint on the cost of quality.
    const std::string usage =
        gs.view3D.hints & Hint3D::kRotated ? std::string() : Shown(MapText::kHintRotate3D);
    hint = usage + "|" + Shown(MapText::kHintQuality3D);
  }
  v_.graph.status = hint;
  return true;
}

void TTab::StepLiveValue(int sign) {
  CSheet* sheet = model_.Active();
  if (!sheet) return;
  // The live value steps as the +/- commands do, with the selection set aside.
  const TSel kept = sheet->sel;
  sheet->sel = TSel{};
  StepValues(model_, sign, nowTick_);
  sheet->sel = kept;
}

bool TTab::Wheel3DAt(int x, int y, int sign, Qt::KeyboardModifiers mods) {
  TTabGraph& gs = v_.graph;
  if (!gs.projection.valid || !gs.projection.view.Contains(x, y)) return false;
  if (gs.projection.legend.Contains(x, y)) {
    gs.view3D.hints |= Hint3D::kLegendWheel;
    StepLiveValue(sign);
  } else {
    Wheel3D(gs.view3D, sign, mods & Qt::ControlModifier, mods & Qt::ShiftModifier);
    RecomputeGraph();
    RefreshToolbar();
  }
  Hover3D(x, y);
  RequestRepaint();
  return true;
}

}  // namespace ign
