#pragma once
// The 3D graph as pure functions: the view settings (angles in 5 degree
// units, presets, colouring, value display, hint bits), the projection, the
// height palette, the surface triangles with their grain splitting, and
// which cell values are printed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/mapedit/graph2d.h"

namespace ign {

inline constexpr int kLegendWidth = 140;
inline constexpr int kPaletteSize = 63;
inline constexpr int kPaletteTop = 61;  // vertex colour indices are kept in 0 .. 61

namespace Colouring3D {
inline constexpr int kWire = 0;
inline constexpr int kOneColour = 1;
inline constexpr int kHeight = 2;  // 2 .. 5: height colours with grain 0 .. 3
inline constexpr int kMax = 5;
}  // namespace Colouring3D

namespace Values3D {
inline constexpr int kNone = 0;
inline constexpr int kActive = 1;
inline constexpr int kInteresting = 2;
inline constexpr int kAll = 3;
}  // namespace Values3D

namespace Hint3D {
inline constexpr unsigned kRotated = 1;
inline constexpr unsigned kLegendWheel = 2;
}  // namespace Hint3D

struct View3D {
  int angleX = -5, angleXY = 24, angleXYZ = 0;  // the ISO2 preset
  int colouring = Colouring3D::kMax;
  int values = Values3D::kInteresting;
  unsigned hints = 0;  // Hint3D bits: what the user has already done
};

// An angle wrapped into -35 .. 36 (-175 .. 180 degrees).
int WrapAngle(int angle);
// The preset command (Cmd::kPresetTop .. kPresetIso2) the angles equal, or -1.
int PresetOf(const View3D& view);
// Sets the angles of a preset command; false for other codes.
bool ApplyPreset(View3D& view, int code);
// "X:%i°  XY:%i°  XYZ:%i°" with each angle times 5.
std::string AngleText(const View3D& view);
// Rotation by a drag of (dx, dy) px from the start angles: X = start - dy/10,
// XY = start + dx/10 (integer divisions), wrapped.
void RotateByDrag(View3D& view, int startX, int startXY, int dx, int dy);
// The wheel over the plot: XYZ +-1 (wrapped); with Ctrl the colouring
// (0 .. 5); with Shift the value display (0 .. 3).
void Wheel3D(View3D& view, int sign, bool ctrl, bool shift);

// The height palette (0xRRGGBB), built once from seven key colours.
uint32_t PaletteColour(int index);

struct Projection3D {
  bool valid = false;
  std::array<std::array<double, 3>, 3> m{};  // rows: screen x, screen y (up), depth
  double ox = 0, oy = 0, aspect = 1;
  int originX = 0, originY = 0;  // pixel of offset 0
  int plotWidth = 1, plotHeight = 1;
  bool swap = false;  // the horizontal axis is Y
  GraphRange h, c, d;
  Rect view, legend, plot;
};

// The projection of the active sheet's surface in a view area.
Projection3D ComputeProjection(const CTabModel& model, const View3D& view, const Rect& area);

struct Point3D {
  double x = 0, y = 0, depth = 0;
};
// Projects (a, d, b): horizontal, data and other value, each relative to
// its range's low end.
Point3D Project(const Projection3D& p, double a, double d, double b);

struct Vertex3D {
  Point3D at;
  double colour = 0;  // palette index 0 .. 61
};
struct Triangle3D {
  std::array<Vertex3D, 3> v;  // v[0], v[1]: the outer edge (the cell border); v[2]: the cell centre
  double depth = 0;           // of the outer edge's midpoint
  int from = -1, to = -1;     // cells at the ends of the outer edge
};

// The surface: four triangles per cell, sorted far to near.
std::vector<Triangle3D> SurfaceTriangles(const CTabModel& model, const Projection3D& p);
// A triangle seen from the front (by the sign of its projected area).
bool FacesViewer(const Triangle3D& t);
// Splits t at its edge midpoints while its vertex colours differ by more
// than 0.5, at most grain levels deep (at most 4^grain pieces).
void SplitByGrain(const Triangle3D& t, int grain, std::vector<Triangle3D>& out);
// The palette index of a piece: the rounded mean of its vertex colours.
int TriangleColour(const Triangle3D& t);

// The cells whose values are printed for a value display.
std::vector<int> PrintedCells(const CSheet& sheet, int display);

}  // namespace ign
