// The switch masks of the power outputs and the regions of their switch maps.
#include <gtest/gtest.h>

#include "core/params/power_out_masks.h"

namespace ign {
namespace {

// Every combination of the low four bits of an output's three masks comes
// back unchanged through the regions, for both outputs, and the other
// output's masks are never touched.
TEST(PowerOutMasks, EveryCombinationOfTheThreeMasksRoundTrips) {
  for (int output = 0; output < kPowerOutputs; ++output) {
    for (unsigned combo = 0; combo < 4096; ++combo) {
      Image img{};
      img.fill(0xA5);
      const uint8_t masks[3] = {uint8_t(combo & 15), uint8_t((combo >> 4) & 15), uint8_t(combo >> 8)};
      for (int r = 0; r < 3; ++r) img[size_t(Adrb::POWER_OUT_MASK + 3 * output + r)] = masks[r];
      const Image before = img;
      const SwitchRegions regions = SwitchRegionsOf(img, output);
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
          ASSERT_EQ(regions[size_t(r)][size_t(c)], int((masks[r] >> c) & 1)) << combo << " " << r << c;
      img.fill(0xA5);
      StoreSwitchRegions(img, output, regions);
      ASSERT_EQ(img, before) << "output " << output << " masks " << combo;
    }
  }
}

// Only bit 0 of a region is stored: a marked region (3) is on, 2 is off,
// and the mask bits above the four regions are cleared.
TEST(PowerOutMasks, OnlyTheLowBitOfARegionIsStored) {
  Image img{};
  img[Adrb::POWER_OUT_MASK + 3] = 0xF0;  // output 2, row 0: no region bits, only high bits
  SwitchRegions regions{};
  regions[0] = {0, 3, 2, 1};
  regions[1] = {-1, 0, 0, 0};
  regions[2] = {5, 4, 0, 1};
  StoreSwitchRegions(img, 1, regions);
  EXPECT_EQ(img[Adrb::POWER_OUT_MASK + 3], 0b1010);
  EXPECT_EQ(img[Adrb::POWER_OUT_MASK + 4], 0b0001);
  EXPECT_EQ(img[Adrb::POWER_OUT_MASK + 5], 0b1001);
  for (int b = 0; b < 3; ++b) EXPECT_EQ(img[size_t(Adrb::POWER_OUT_MASK + b)], 0) << b;
  // High bits of a mask byte are no region: reading ignores them.
  img[Adrb::POWER_OUT_MASK] = 0xF4;
  EXPECT_EQ(SwitchRegionsOf(img, 0)[0], (std::array<int32_t, 4>{0, 0, 1, 0}));
}

}  // namespace
}  // namespace ign
