#pragma once
// TTabGraph: the state of the graph views of one editor, read by the 2D,
// switch-map and 3D painters and changed only by the control.
#include <algorithm>
#include <string>

#include "core/mapedit/graph2d.h"
#include "core/mapedit/graph2d_edit.h"
#include "core/mapedit/graph3d.h"
#include "core/mapedit/switch_map.h"

namespace ign {

struct TTabGraph {
  Rect area;              // where the 2D graph is drawn (the view area, or beside the table); empty: none
  Graph2D layout;         // ranges, plot and factors, recomputed before every drawing
  int selectedCurve = 0;  // curve k nearest to the pointer
  GraphTarget hover;
  bool shift = false, ctrl = false;  // keys held at the last pointer move (the hover marks follow them)
  bool dragging = false;
  GraphDrag drag;
  bool banding = false;  // rubber band of a graph selection
  bool bandAdd = false;
  int bandX0 = 0, bandY0 = 0, bandX1 = 0, bandY1 = 0;
  std::string status;  // the status text, shown as the hint

  SwitchLayout switchLayout;  // switch-map view of the compact layout
  SwitchTarget switchHover;
  bool switchDragging = false;
  bool proportional = false;  // boundaries at the axis values

  View3D view3D;  // angles, colouring, value display, hint bits (shared by all sheets)
  Projection3D projection;
  bool rotating = false;
  int rotateX0 = 0, rotateY0 = 0, rotateStartX = 0, rotateStartXY = 0;

  bool white = false;  // Copy graph draws on white

  Rect Band() const {
    return Rect{std::min(bandX0, bandX1), std::min(bandY0, bandY1), std::max(bandX0, bandX1),
                std::max(bandY0, bandY1)};
  }
};

}  // namespace ign
