#pragma once
// The 2D graph of a sheet as pure functions: axis ranges, the plot
// geometry, point positions and their inverse, and the graph number format
// of axis labels. The horizontal axis is X (or Y with SheetFlag::kSwapAxes);
// every point of the other axis, the curve axis, gives one curve.
#include <cstdint>
#include <string>

#include "core/mapedit/geometry.h"
#include "core/mapedit/model.h"

namespace ign {

// The label of a graph axis value v at label spacing b: "%.2lfm", "%.0lfm",
// "%.2lf", "%.1lf", "%.0lf", "%.0lfk" or "%.0lfM" by the size of b.
std::string GraphNumber(double spacing, double value);

// The spacing rule of an axis for a range width in display units: the rule
// in force, or, for axes without rules, 1, 2 or 5 times a power of ten so
// that the range holds at most ten steps.
CAxeGridRule GraphRule(const CAxe& axis, double rangeWidth);

// One axis range of the graph, in stored units.
struct GraphRange {
  int32_t low = 0;
  int32_t high = 1;
  double scale = 1.0;
  bool numeric = true;
  CAxeGridRule rule;
  int32_t Width() const { return high - low; }
};

// Outward rounding to the range unit M (display units) with a 0.2 M margin:
// low = M floor((s low - 0.2 M) / M) / s, kept >= 0 when nonNegative;
// high = M ceil((s high + 0.2 M) / M) / s, kept <= 0 when nonPositive; each
// rounded to the nearest stored unit.
void RoundOutwards(GraphRange& range, double unit, bool nonNegative, bool nonPositive);

// Steps 3, 5 and 6 for a range holding the values (markers included):
// widened to max(2, grid spacing / scale) stored units (downwards when
// asked), the rule in force chosen, and numeric ranges rounded outwards.
void FinishGraphRange(GraphRange& range, const CAxe& axis, bool downwards);

struct Graph2D {
  bool valid = false;
  bool swap = false;   // the horizontal axis is the sheet's Y axis
  int pointFirst = 0;  // horizontal indices shown: pointFirst .. pointFirst + points - 1
  int points = 0;
  int curveFirst = 0;  // curve-axis index of the first curve
  int curves = 0;
  bool rpm = false;         // horizontal axis is the rpm axis (markers apply)
  bool baseMarker = false;  // lead-ins at the base advance
  bool limiterMarker = false;
  bool startMarker = false;
  GraphRange h, c, d;
  int32_t curveOffset = 0;  // stored data units between stacked curves
  int32_t dataTop = 1;      // top of the data range (stacked family)
  Rect area;                // the view area the graph fills
  int left = 0, bottom = 0, width = 1, height = 1;
  double hf = 1.0, vf = 1.0;  // pixels per stored unit
};

// The axes of the graph of a sheet.
const CAxe& HorizontalAxis(const CSheet& sheet, const Graph2D& g);
CAxe& HorizontalAxis(CSheet& sheet, const Graph2D& g);
const CAxe& CurveAxis(const CSheet& sheet, const Graph2D& g);
// The cell of horizontal index i on curve-axis index ci.
int CellIndexOf(const Graph2D& g, int i, int ci);
inline int CurveIndex(const Graph2D& g, int k) { return g.curveFirst + k; }

// Ranges, geometry and factors of the active sheet's graph in a view area
// (left, top, right, bottom: the control less its margins).
Graph2D ComputeGraph2D(const CTabModel& model, const Rect& area);

// Positions (unrounded; the drawn pixel is truncated).
double XOfValue(const Graph2D& g, int32_t value);
double YOfValue(const Graph2D& g, int32_t value, int k);
// Horizontal position of index i (its value on a numeric axis).
double PointX(const Graph2D& g, const CSheet& sheet, int i);
double PointY(const Graph2D& g, const CSheet& sheet, int i, int k);
// The lead-in's height value: the base advance (stored) when it applies,
// else the curve's first value.
int32_t LeadInValue(const Graph2D& g, const CTabModel& model, int k);

// Inverse of the positions: the stored values a pixel stands for.
int32_t HorizontalValueAt(const Graph2D& g, double x);
int32_t DataValueAt(const Graph2D& g, double y, int k);

}  // namespace ign
