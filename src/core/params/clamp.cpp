#include "core/params/clamp.h"

#include <cstdint>

namespace ign {
namespace {

template <typename Get, typename Set>
void ClampRun(int mode, int minimum, int maximum, int count, int step, Get get, Set set) {
  int order = mode >= 99 ? mode - 100 : mode;
  order = order > 0 ? 1 : order < 0 ? -1 : 0;
  const bool isSigned = mode >= 99;
  auto value = [&](int i) { return get(i, isSigned); };
  for (int i = 0; i < count; ++i) {
    int lo = minimum, hi = maximum;
    if (order > 0) {
      lo = minimum + step * i;
      hi = maximum - step * (count - 1 - i);
    } else if (order < 0) {
      lo = minimum + step * (count - 1 - i);
      hi = maximum - step * i;
    }
    int v = value(i);
    if (v < lo) v = lo;
    if (v > hi) v = hi;
    set(i, v);
  }
  for (int i = 1; i < count; ++i) {
    if (order > 0 && value(i - 1) >= value(i)) set(i, value(i - 1) + step);
    if (order < 0 && value(i) >= value(i - 1)) set(i, value(i - 1) - step);
  }
}

}  // namespace

void ClampRange(Image& img, int mode, int base, int index, int minimum, int maximum, int count, int step) {
  const int first = base + index;
  ClampRun(
      mode, minimum, maximum, count, step,
      [&](int i, bool s) { return s ? int(int8_t(img[first + i])) : int(img[first + i]); },
      [&](int i, int v) { img[first + i] = uint8_t(v); });
}

void ClampRangeW(Image& img, int mode, int wordBase, int index, int minimum, int maximum, int count,
                 int step) {
  const int first = wordBase + index;
  ClampRun(
      mode, minimum, maximum, count, step,
      [&](int i, bool s) { return s ? int(int16_t(GetWord(img, first + i))) : int(GetWord(img, first + i)); },
      [&](int i, int v) { SetWord(img, first + i, uint16_t(v)); });
}

void FillUnusedColumns(Image& img, int base, int used) {
  if (used < 1 || used > kMapCols) return;
  for (int r = 0; r < kMapRows; ++r)
    for (int c = used; c < kMapCols; ++c) img[base + kMapCols * r + c] = img[base + kMapCols * r + used - 1];
}

}  // namespace ign
