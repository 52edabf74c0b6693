// The kept inputs of the pick-up fuzz target run through its body again:
// good streams of both modes, wrapping stamps, a wrapping ring, other types
// and noise.
#include <gtest/gtest.h>

#include "fuzz/targets/fuzz_pickup.h"
#include "tests/monitor/kept_inputs.h"

namespace ign::fuzz {
namespace {

TEST(PickupCorpus, KeptInputsRunCleanly) {
  const auto inputs = test::KeptInputs("pickup");
  EXPECT_GE(inputs.size(), 5u);  // the seeds are there
  for (const auto& [name, data] : inputs) {
    SCOPED_TRACE(name);
    EXPECT_EQ(PickupStreams(data.data(), data.size()), 0);
  }
}

}  // namespace
}  // namespace ign::fuzz
