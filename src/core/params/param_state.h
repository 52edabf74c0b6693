#pragma once
// Comparisons and flags derived from a settings image.
#include <array>

#include "core/params/image.h"

namespace ign {

// Number of bytes 0..1049 in which a and b differ.
int CountDifferences(const Image& a, const Image& b);

// Twelve flags derived from the edited image that show or hide page controls.
// Forces RESERVED_389 to 0.
using FeatureFlags = std::array<bool, 12>;
FeatureFlags RefreshFeatureFlags(Image& img);

}  // namespace ign
