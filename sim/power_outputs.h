// Power outputs 1 and 2 switching by their functions and rpm thresholds.
#pragma once

#include <cstdint>

#include "sim/image_layout.h"

namespace ign::sim {

class PowerOutputs {
 public:
  // Updates the output states for the current speed and load; returns bits 0..1.
  // Fuel pump: on while the engine turns. Gear shift light: on from the first rpm point,
  // off below it minus the hysteresis. Other functions: on between the first and the second
  // rpm point (with hysteresis at both ends).
  std::uint8_t Update(const Image& im, int rpm, bool running);
  std::uint8_t bits() const { return bits_; }

 private:
  std::uint8_t bits_ = 0;
};

}  // namespace ign::sim
