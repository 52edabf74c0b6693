// Pick-up sample streams the unit sends after a monitor answer when asked to.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/image_layout.h"

namespace ign::sim {

struct PickupStream {
  std::uint8_t type = 0;            // 1 synchronised (crank degrees), 2 time mode
  std::uint8_t cycleCode = 1;       // 0: 720, 2: 180, 3: 120, else 360 degrees
  std::vector<std::uint8_t> bytes;  // 32-bit little-endian samples
  std::uint8_t Xor() const;
  std::uint8_t Sum() const;
};

struct StreamInput {
  int rpm = 0;
  bool synchronised = false;        // full synchronisation: crank-degree stream
  std::array<double, 4> advance{};  // degrees before top dead centre per channel
  bool cut = false;                 // limiter cuts every other spark
  std::uint32_t startStamp = 0;     // free-running time stamp at the start (0.4 us units)
  int cycleCode = -1;               // -1: by the image (0 four-stroke, 1 two-stroke)
};

// Degrees of one cycle for a cycle code.
double CycleDegrees(int cycleCode);

// Samples: bits 0..23 time stamp (0.4 us), bits 24..25 reference counter (one step per
// cycle), bit 26 pick-up 1 level, bit 27 pick-up 2 level, bits 28..31 ignition of channels 1..4.
PickupStream BuildPickupStream(const Image& im, const StreamInput& in);

// Pick-up systems whose second pick-up carries its own signal.
bool HasSecondPickup(int system);

}  // namespace ign::sim
