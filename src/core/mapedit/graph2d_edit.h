#pragma once
// Editing in the 2D graph: what the pointer is over, the status text that
// names it, dragging points and markers, rubber-band and right-click
// selection, and the wheel. Pure functions of the model and a Graph2D.
#include <cstdint>
#include <string>
#include <vector>

#include "core/mapedit/graph2d.h"

namespace ign {

inline constexpr int kGraphReach = 5;  // px: hover distance of points and marker lines

enum class GraphTargetKind { kNone, kPoint, kLeadIn, kLimiter, kStartLimiter };

struct GraphTarget {
  GraphTargetKind kind = GraphTargetKind::kNone;
  int index = -1;       // horizontal index of a point
  int curve = -1;       // curve number k (0 .. curves - 1) of a point or lead-in
  bool corner = false;  // the point is a rectangle corner: the interpolation button
  bool operator==(const GraphTarget&) const = default;
};

struct GraphHover {
  GraphTarget target;
  int nearestCurve = -1;  // curve of the nearest point (becomes the selected curve)
};

// The nearest point (lead-ins included where the base advance applies)
// within kGraphReach px, else a limiter or start-limiter line within
// kGraphReach px horizontally.
GraphHover GraphHoverAt(const CTabModel& model, const Graph2D& g, int x, int y);

// "%s%s = %s; %s = %s" (prefix, horizontal label and value, data label and
// value), with the curve axis first when several curves are drawn, or
// "%s%s = %s" for a marker; the prefix is "Dragging: " while dragging.
std::string GraphStatusText(const CTabModel& model, const Graph2D& g, const GraphTarget& target,
                            bool dragging);

struct GraphDrag {
  GraphTarget target;
  double grabX = 0, grabY = 0;  // pointer minus the exact target position
  bool shift = false, ctrl = false;
};

// Starts a drag when the target may change (usable sheet; a point needs an
// editable horizontal axis or data) and opens the gesture batch.
bool BeginGraphDrag(CTabModel& model, const Graph2D& g, const GraphTarget& target, int x, int y, bool shift,
                    bool ctrl, int32_t nowTick, GraphDrag& drag);
// One pointer move: new values from the pixel, normalised, then the
// followers of Shift, Ctrl and the selection moved by the same amounts.
void GraphDragStep(CTabModel& model, const Graph2D& g, const GraphDrag& drag, int x, int y, int32_t nowTick);
// The points that move with a dragged point, one flag per (index - first
// point) x curves + curve: with Shift its curve, with Ctrl its index on every
// curve, with both every point; a selected target also takes the selection
// (with Shift the curves holding it, with Ctrl the indices holding it).
std::vector<char> GraphFollowers(const CSheet& sheet, const Graph2D& g, const GraphTarget& target, bool shift,
                                 bool ctrl);
// The exact pixel of the dragged target (to keep the pointer on it).
bool GraphTargetPosition(const CTabModel& model, const Graph2D& g, const GraphTarget& target, double& x,
                         double& y);
// Where the value being set is shown while a drag lasts: a box of w x h px
// up and to the right of the dragged target at (x, y), turned to the left
// and below where that would leave bounds, and kept inside bounds.
Rect DragValueBox(double x, double y, int w, int h, const Rect& bounds);
// Closes the drag's batch: the one report of the gesture.
void EndGraphDrag(CTabModel& model, int32_t nowTick);

// Selects the points whose pixels lie inside band (replacing the selection
// unless add).
void SelectGraphBand(CSheet& sheet, const Graph2D& g, const Rect& band, bool add);
// Right button: a point that is not selected becomes the selection alone;
// anywhere else the selection is cleared. True when it changed.
bool GraphRightPress(CSheet& sheet, const Graph2D& g, const GraphTarget& target);
// Wheel over a point that is not selected steps it by sign; otherwise a
// selection of points steps as the +/- commands do.
bool GraphWheel(CTabModel& model, const Graph2D& g, const GraphTarget& target, int sign, int32_t nowTick);

}  // namespace ign
