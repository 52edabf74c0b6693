#pragma once
// Small pick-up sample streams for the curve and measuring tests.
#include <cstdint>
#include <vector>

#include "core/monitor/pickup_sample.h"

namespace ign::test {

struct Sample {
  uint32_t stamp;  // taken modulo 0x1000000
  int state;
};

inline std::vector<uint8_t> StreamBytes(const std::vector<Sample>& samples) {
  std::vector<uint8_t> bytes;
  for (const Sample& s : samples) {
    const uint32_t word = PickupSample::Make(s.stamp, s.state);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
  }
  return bytes;
}

}  // namespace ign::test
