#pragma once
// The switch masks of a power output and the regions of its switch map.
//
// A power output switches by rpm and load: its three rpm points bound four
// rpm regions (columns 0..3) and its two load points three load regions
// (rows 0..2). Mask byte r of the output (POWER_OUT_MASK + 3 x output + r)
// holds bit c set when the output is on in region (r, c); bits 4..7 have no
// region and are never set. A region's value is on when it is odd, so a
// value that marks a region specially (3) stores as on.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/params/image.h"

namespace ign {

constexpr int kPowerOutputs = 2;  // outputs the image holds
constexpr int kSwitchRows = 3;
constexpr int kSwitchColumns = 4;

// [row][column]: 0 off, 1 on (and any other value when kept by a map).
using SwitchRegions = std::array<std::array<int32_t, kSwitchColumns>, kSwitchRows>;

// The regions of output (0 or 1): region (r, c) = bit c of mask r.
SwitchRegions SwitchRegionsOf(const Image& img, int output);
// The three mask bytes of the output from the regions: bit c of mask r set
// when region (r, c) is odd. Nothing else of the image changes.
void StoreSwitchRegions(Image& img, int output, const SwitchRegions& regions);

}  // namespace ign
