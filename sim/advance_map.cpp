#include "sim/advance_map.h"

#include <algorithm>

namespace ign::sim {

double Interpolate(const int* xs, const double* ys, int count, double x) {
  if (count <= 0) return 0;
  if (x <= xs[0]) return ys[0];
  for (int i = 1; i < count; ++i) {
    if (x <= xs[i]) {
      const int dx = xs[i] - xs[i - 1];
      if (dx <= 0) return ys[i];
      return ys[i - 1] + (ys[i] - ys[i - 1]) * (x - xs[i - 1]) / dx;
    }
  }
  return ys[count - 1];
}

double MapAdvance(const Image& im, bool second, int rpm, double load) {
  using namespace adr;
  const int base = second ? kAdvance2 : kAdvance;
  const int axis = second ? kRpmAdv2 : kRpmAdv;
  const int loadAxis = second ? kAdv2IapWord : kAdvIapWord;
  // Without a load sensor, or with the map's mode byte 0, the map is one rpm
  // curve: its last row, the row the advance editor shows and edits then.
  const bool withLoad = im[kTpsIapSensor] != 0 && im[second ? kAdv2Map : kAdvMap] != 0;
  const int cols = std::clamp<int>(im[second ? kAdv2Columns : kAdvColumns], 1, kMapColumns);

  int xs[kMapColumns];
  for (int c = 0; c < cols; ++c) xs[c] = im[axis + c] * 100;
  double rowValue[kMapRows];
  for (int r = 0; r < kMapRows; ++r) {
    double ys[kMapColumns];
    for (int c = 0; c < cols; ++c) ys[c] = static_cast<double>(im[base + 15 * r + c]) - 100.0;
    rowValue[r] = Interpolate(xs, ys, cols, rpm);
  }
  if (!withLoad) return rowValue[kMapRows - 1];
  int loads[kMapRows];
  for (int r = 0; r < kMapRows; ++r) loads[r] = Word(im, loadAxis + r);
  return Interpolate(loads, rowValue, kMapRows, load);
}

}  // namespace ign::sim
