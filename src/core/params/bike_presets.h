#pragma once
// Pick-up configurations of the preset bikes.
#include <cstdint>
#include <optional>

namespace ign {

struct BikePreset {
  int system = -1;  // -1: no preset at all (bike 22)
  int lobes = 0;
  int channels = 0;
  int geberMode = -1;  // -1: left unchanged
  int lobeCount = 0;   // number of channels whose lobe bytes are given
  uint8_t pickup1[4]{};
  uint8_t pickup2[4]{};
  bool anyMask = false;  // applies whatever the group mask (bikes 36, 37)
};

// The preset of a bike index, or nothing for bikes without one (44.., 255).
std::optional<BikePreset> FindBikePreset(int bike);

}  // namespace ign
