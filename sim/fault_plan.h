// Line faults the simulated unit can be asked to show.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "sim/sim_unit.h"

namespace ign::sim {

struct FaultSettings {
  int dropEvery = 0;           // leave every k-th answer out
  int corruptEvery = 0;        // spoil the check of every k-th answer
  bool noise = false;          // stray bytes before every answer
  int hangupAfter = 0;         // close the line after k answered frames
  int corruptStreamEvery = 0;  // spoil every k-th pick-up stream
  bool headerFamily = false;   // shapes the noise so that it stays between frames
  std::uint32_t seed = 1;
};

struct Outgoing {
  std::vector<std::uint8_t> bytes;  // what goes on the line (empty: nothing)
  bool hangup = false;              // close the line once these bytes are out
};

class FaultPlan {
 public:
  explicit FaultPlan(FaultSettings s) : s_(s), rng_(s.seed) {}

  Outgoing Shape(Reply reply);

  std::uint64_t answers() const { return answers_; }
  std::uint64_t sent() const { return sent_; }

 private:
  FaultSettings s_;
  std::mt19937 rng_;
  std::uint64_t answers_ = 0;
  std::uint64_t sent_ = 0;
  std::uint64_t streams_ = 0;
};

}  // namespace ign::sim
