// The kept inputs of the recording fuzz target run through its body again,
// and the seed recordings are valid files in the spread form.
#include <gtest/gtest.h>

#include "fuzz/targets/fuzz_recording.h"
#include "tests/monitor/kept_inputs.h"

namespace ign::fuzz {
namespace {

TEST(RecordingCorpus, KeptInputsRunCleanly) {
  const auto inputs = test::KeptInputs("recording");
  EXPECT_GE(inputs.size(), 5u);
  for (const auto& [name, data] : inputs) {
    SCOPED_TRACE(name);
    EXPECT_EQ(RecordingReader(data.data(), data.size()), 0);
  }
}

}  // namespace
}  // namespace ign::fuzz
