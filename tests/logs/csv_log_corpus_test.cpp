// The kept inputs of the CSV log fuzz target run through its body again.
#include <gtest/gtest.h>

#include "fuzz/targets/fuzz_csv_log.h"
#include "tests/monitor/kept_inputs.h"

namespace ign::fuzz {
namespace {

TEST(CsvLogCorpus, KeptInputsRunCleanly) {
  const auto inputs = test::KeptInputs("csv_log");
  EXPECT_GE(inputs.size(), 5u);
  for (const auto& [name, data] : inputs) {
    SCOPED_TRACE(name);
    EXPECT_EQ(CsvLogReader(data.data(), data.size()), 0);
  }
}

}  // namespace
}  // namespace ign::fuzz
