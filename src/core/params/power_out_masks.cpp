#include "core/params/power_out_masks.h"

#include <cstddef>

namespace ign {

namespace {
int MaskAt(int output, int row) { return Adrb::POWER_OUT_MASK + kSwitchRows * output + row; }
}  // namespace

SwitchRegions SwitchRegionsOf(const Image& img, int output) {
  SwitchRegions regions{};
  for (int r = 0; r < kSwitchRows; ++r) {
    const unsigned mask = img[std::size_t(MaskAt(output, r))];
    for (int c = 0; c < kSwitchColumns; ++c)
      regions[std::size_t(r)][std::size_t(c)] = int32_t((mask >> c) & 1u);
  }
  return regions;
}

void StoreSwitchRegions(Image& img, int output, const SwitchRegions& regions) {
  for (int r = 0; r < kSwitchRows; ++r) {
    unsigned mask = 0;
    for (int c = 0; c < kSwitchColumns; ++c)
      if (regions[std::size_t(r)][std::size_t(c)] & 1) mask |= 1u << c;
    img[std::size_t(MaskAt(output, r))] = uint8_t(mask);
  }
}

}  // namespace ign
