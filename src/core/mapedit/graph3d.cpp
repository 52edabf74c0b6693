#include "core/mapedit/graph3d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/base/checked_math.h"
#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"

namespace ign {

namespace {

constexpr int kAxisLabelRoom = 12;

struct Preset {
  int code, x, xy, xyz;
};
constexpr Preset kPresets[] = {
    {Cmd::kPresetTop, -18, 0, 0}, {Cmd::kPresetIso1, -5, 4, 0}, {Cmd::kPresetIso2, -5, 24, 0}};

void Turn(std::array<std::array<double, 3>, 3>& m, int angle, int u, int v) {
  const double theta = angle * 5.0 * std::numbers::pi / 180.0;
  const double c = CheckedCos(theta), s = CheckedSin(theta);
  for (auto& row : m) {
    const double a = row[static_cast<std::size_t>(u)], b = row[static_cast<std::size_t>(v)];
    row[static_cast<std::size_t>(u)] = a * c - b * s;
    row[static_cast<std::size_t>(v)] = a * s + b * c;
  }
}

double NegativeSum(const std::array<double, 3>& row) {
  double sum = 0;
  for (double e : row) sum += e < 0 ? -e : 0;
  return sum;
}

GraphRange AxisRange(const CAxe& axis, int count) {
  GraphRange r;
  r.numeric = axis.numeric != 0;
  r.scale = r.numeric ? axis.scale : 1.0;
  r.low = std::numeric_limits<int32_t>::max();
  r.high = std::numeric_limits<int32_t>::min();
  for (int i = 0; i < count; ++i) {
    const int32_t v = r.numeric ? axis.values[static_cast<std::size_t>(i)] : i;
    r.low = std::min(r.low, v);
    r.high = std::max(r.high, v);
  }
  FinishGraphRange(r, axis, false);
  return r;
}

struct Grid {
  const CSheet& s;
  const Projection3D& p;
  const CAxe& H;
  const CAxe& C;
  int CellOf(int i, int j) const { return p.swap ? CSheet::CellIndex(j, i) : CSheet::CellIndex(i, j); }
  double A(int i) const { return (H.numeric ? H.values[static_cast<std::size_t>(i)] : i) - p.h.low; }
  double B(int j) const { return (C.numeric ? C.values[static_cast<std::size_t>(j)] : j) - p.c.low; }
  double D(int cell) const { return s.data.values[static_cast<std::size_t>(cell)] - p.d.low; }
  double Colour(double d) const {
    const double span = std::max(1, p.d.high - p.d.low);
    return std::clamp(d / span * kPaletteTop, 0.0, static_cast<double>(kPaletteTop));
  }
};

Vertex3D Mid(const Vertex3D& a, const Vertex3D& b) {
  return Vertex3D{{(a.at.x + b.at.x) / 2, (a.at.y + b.at.y) / 2, (a.at.depth + b.at.depth) / 2},
                  (a.colour + b.colour) / 2};
}

}  // namespace

int WrapAngle(int angle) {
  while (angle > 36) angle -= 72;
  while (angle < -35) angle += 72;
  return angle;
}

int PresetOf(const View3D& v) {
  for (const Preset& p : kPresets) {
    if (v.angleX == p.x && v.angleXY == p.xy && v.angleXYZ == p.xyz) return p.code;
  }
  return -1;
}

bool ApplyPreset(View3D& v, int code) {
  for (const Preset& p : kPresets) {
    if (p.code != code) continue;
    v.angleX = p.x;
    v.angleXY = p.xy;
    v.angleXYZ = p.xyz;
    return true;
  }
  return false;
}

std::string AngleText(const View3D& v) {
  return "X:" + std::to_string(v.angleX * 5) + "°  XY:" + std::to_string(v.angleXY * 5) +
         "°  XYZ:" + std::to_string(v.angleXYZ * 5) + "°";
}

void RotateByDrag(View3D& v, int startX, int startXY, int dx, int dy) {
  v.angleX = WrapAngle(startX - dy / 10);
  v.angleXY = WrapAngle(startXY + dx / 10);
  v.hints |= Hint3D::kRotated;
}

void Wheel3D(View3D& v, int sign, bool ctrl, bool shift) {
  if (ctrl) {
    v.colouring = std::clamp(v.colouring + sign, 0, Colouring3D::kMax);
  } else if (shift) {
    v.values = std::clamp(v.values + sign, 0, Values3D::kAll);
  } else {
    v.angleXYZ = WrapAngle(v.angleXYZ + sign);
    v.hints |= Hint3D::kRotated;
  }
}

uint32_t PaletteColour(int index) {
  static const std::array<uint32_t, kPaletteSize> palette = [] {
    constexpr int keys[] = {0, 10, 20, 30, 38, 50, 61};
    constexpr uint32_t colours[] = {0x000055, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xCCCC00, 0xFF0000};
    std::array<uint32_t, kPaletteSize> out{};
    for (int k = 0; k + 1 < 7; ++k) {
      for (int i = keys[k]; i <= keys[k + 1]; ++i) {
        const double t = static_cast<double>(i - keys[k]) / (keys[k + 1] - keys[k]);
        uint32_t c = 0;
        for (int shift : {16, 8, 0}) {
          const double a = (colours[k] >> shift) & 0xFF, b = (colours[k + 1] >> shift) & 0xFF;
          c |= static_cast<uint32_t>(std::lround(a + (b - a) * t)) << shift;
        }
        out[static_cast<std::size_t>(i)] = c;
      }
    }
    out[62] = 0xFF0000;
    return out;
  }();
  return palette[static_cast<std::size_t>(std::clamp(index, 0, kPaletteSize - 1))];
}

Projection3D ComputeProjection(const CTabModel& model, const View3D& view, const Rect& area) {
  Projection3D p;
  const CSheet* sheet = model.Active();
  if (!sheet || area.Empty()) return p;
  const CSheet& s = *sheet;
  p.view = area;
  p.legend = Rect{area.left, area.top, area.left + kLegendWidth, area.bottom};
  p.plot = Rect{area.left + kLegendWidth, area.top, area.right, area.bottom};
  p.swap = (s.flags & SheetFlag::kSwapAxes) != 0;
  const CAxe& H = p.swap ? s.y : s.x;
  const CAxe& C = p.swap ? s.x : s.y;
  const int nh = std::clamp(H.count, 1, H.capacity), nc = std::clamp(C.count, 1, C.capacity);
  p.h = AxisRange(H, nh);
  p.c = AxisRange(C, nc);
  p.d.scale = s.data.scale;
  if (s.data.fullRange) {
    p.d.low = s.data.minimum;
    p.d.high = std::max(s.data.maximum, s.data.minimum + 1);
    p.d.rule = GraphRule(s.data, std::fabs(s.data.scale) * (p.d.high - p.d.low));
  } else {
    p.d.low = std::numeric_limits<int32_t>::max();
    p.d.high = std::numeric_limits<int32_t>::min();
    for (int j = 0; j < nc; ++j) {
      for (int i = 0; i < nh; ++i) {
        const int32_t v = p.swap ? s.Cell(j, i) : s.Cell(i, j);
        p.d.low = std::min(p.d.low, v);
        p.d.high = std::max(p.d.high, v);
      }
    }
    FinishGraphRange(p.d, s.data, s.data.maximum <= 0);
  }

  p.plotWidth = std::max(1, area.Width() - kLegendWidth - 20);
  // 12 px more than the bare plot margin keep the labels of an axis along the top clear of the frame.
  p.plotHeight = std::max(1, area.Height() - 20 - kAxisLabelRoom);
  double aspect = static_cast<double>(p.plotWidth) / p.plotHeight;
  p.m = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  Turn(p.m, view.angleX, 1, 2);
  Turn(p.m, view.angleXY, 0, 2);
  Turn(p.m, view.angleXYZ, 0, 1);
  for (auto& row : p.m) {
    const double sum = std::fabs(row[0]) + std::fabs(row[1]) + std::fabs(row[2]);
    if (sum > 0)
      for (double& e : row) e /= sum;
  }
  p.ox = NegativeSum(p.m[0]) * p.plotWidth / aspect;
  p.oy = NegativeSum(p.m[1]) * p.plotHeight;
  const double height = p.plotHeight;
  const double f[3] = {height / std::max(1, p.h.Width()), height / std::max(1, p.d.Width()),
                       height / std::max(1, p.c.Width())};
  for (int r = 0; r < 2; ++r)
    for (int k = 0; k < 3; ++k) p.m[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] *= f[k];
  p.m[2][0] *= f[0];
  p.m[2][1] = 0;
  p.m[2][2] *= f[2];
  aspect *= 0.95;
  if (aspect >= 0.94 && aspect <= 1.06) aspect = 1.0;
  p.aspect = aspect;
  p.originX = area.left + kLegendWidth + 10;
  p.originY = area.bottom - 10;
  p.valid = true;
  return p;
}

Point3D Project(const Projection3D& p, double a, double d, double b) {
  const auto dot = [&](int r) {
    const auto& row = p.m[static_cast<std::size_t>(r)];
    return row[0] * a + row[1] * d + row[2] * b;
  };
  return Point3D{p.originX + (p.ox + dot(0)) * p.aspect, p.originY - p.oy - dot(1), dot(2)};
}

std::vector<Triangle3D> SurfaceTriangles(const CTabModel& model, const Projection3D& p) {
  std::vector<Triangle3D> out;
  const CSheet* sheet = model.Active();
  if (!sheet || !p.valid) return out;
  const Grid g{*sheet, p, p.swap ? sheet->y : sheet->x, p.swap ? sheet->x : sheet->y};
  const int nh = std::clamp(g.H.count, 1, g.H.capacity), nc = std::clamp(g.C.count, 1, g.C.capacity);
  out.reserve(static_cast<std::size_t>(std::max(0, (nh - 1) * (nc - 1) * 4)));
  for (int j = 0; j + 1 < nc; ++j) {
    for (int i = 0; i + 1 < nh; ++i) {
      const int qi[4] = {i, i + 1, i + 1, i}, qj[4] = {j, j, j + 1, j + 1};
      Vertex3D q[4];
      int cells[4];
      double ca = 0, cd = 0, cb = 0;
      for (int k = 0; k < 4; ++k) {
        cells[k] = g.CellOf(qi[k], qj[k]);
        const double a = g.A(qi[k]), d = g.D(cells[k]), b = g.B(qj[k]);
        q[k] = Vertex3D{Project(p, a, d, b), g.Colour(d)};
        ca += a / 4, cd += d / 4, cb += b / 4;
      }
      const Vertex3D centre{Project(p, ca, cd, cb), g.Colour(cd)};
      for (int k = 0; k < 4; ++k) {
        Triangle3D t;
        t.v = {q[k], q[(k + 1) % 4], centre};
        t.depth = (q[k].at.depth + q[(k + 1) % 4].at.depth) / 2;
        t.from = cells[k];
        t.to = cells[(k + 1) % 4];
        out.push_back(t);
      }
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const Triangle3D& a, const Triangle3D& b) { return a.depth < b.depth; });
  return out;
}

bool FacesViewer(const Triangle3D& t) {
  // Screen y grows downwards; the front winds clockwise on the screen.
  const Point3D &a = t.v[0].at, &b = t.v[1].at, &c = t.v[2].at;
  const double area = (b.x - a.x) * (a.y - c.y) - (a.y - b.y) * (c.x - a.x);
  return area < 0;
}

void SplitByGrain(const Triangle3D& t, int grain, std::vector<Triangle3D>& out) {
  const double lo = std::min({t.v[0].colour, t.v[1].colour, t.v[2].colour});
  const double hi = std::max({t.v[0].colour, t.v[1].colour, t.v[2].colour});
  if (grain <= 0 || hi - lo <= 0.5) {
    out.push_back(t);
    return;
  }
  const Vertex3D m01 = Mid(t.v[0], t.v[1]), m12 = Mid(t.v[1], t.v[2]), m20 = Mid(t.v[2], t.v[0]);
  const std::array<std::array<Vertex3D, 3>, 4> parts = {
      {{t.v[0], m01, m20}, {m01, t.v[1], m12}, {m20, m12, t.v[2]}, {m01, m12, m20}}};
  for (const auto& part : parts) {
    Triangle3D piece = t;
    piece.v = part;
    SplitByGrain(piece, grain - 1, out);
  }
}

int TriangleColour(const Triangle3D& t) {
  const double mean = (t.v[0].colour + t.v[1].colour + t.v[2].colour) / 3.0;
  return std::clamp(static_cast<int>(std::floor(mean + 0.5)), 0, kPaletteTop);
}

std::vector<int> PrintedCells(const CSheet& s, int display) {
  std::vector<int> out;
  const int nx = std::clamp(s.x.count, 1, s.x.capacity), ny = std::clamp(s.y.count, 1, s.y.capacity);
  const bool live =
      s.liveState > 0 && s.liveColumn >= 0 && s.liveRow >= 0 && s.liveColumn < nx && s.liveRow < ny;
  if (display <= Values3D::kNone) return out;
  if (live) out.push_back(CSheet::CellIndex(s.liveColumn, s.liveRow));
  if (display == Values3D::kActive) return out;
  const bool onCells = SelKind::OnCells(s.sel.kind);
  for (int r = 0; r < ny; ++r) {
    for (int c = 0; c < nx; ++c) {
      const int cell = CSheet::CellIndex(c, r);
      bool print = display >= Values3D::kAll;
      const uint16_t state = onCells ? s.sel.cellState[static_cast<std::size_t>(cell)] : 0;
      if ((state & SelBit::kCorner) || ((state & SelBit::kSelected) && s.sel.selectedCount < 5)) print = true;
      if (!print) {
        // A local extreme: strictly above, or strictly below, every neighbour along the axes in use.
        const int32_t v = s.Cell(c, r);
        bool above = true, below = true, any = false;
        const auto look = [&](int cc, int rr) {
          if (cc < 0 || rr < 0 || cc >= nx || rr >= ny) return;
          any = true;
          above = above && v > s.Cell(cc, rr);
          below = below && v < s.Cell(cc, rr);
        };
        look(c - 1, r), look(c + 1, r), look(c, r - 1), look(c, r + 1);
        print = any && (above || below);
      }
      if (print && std::find(out.begin(), out.end(), cell) == out.end()) out.push_back(cell);
    }
  }
  return out;
}

}  // namespace ign
