// The descriptors of the number fields against the address map: every value a
// field can show must be a byte the unit can hold, and come back unchanged.
#include <gtest/gtest.h>

#include "core/params/param_descriptors.h"
#include "core/params/value.h"

namespace ign {
namespace {

TEST(ParamDescriptors, EveryFieldValueIsAByteThatReadsBackTheSame) {
  for (const ParamDescriptor& d : Descriptors()) {
    SCOPED_TRACE(d.name);
    ASSERT_NE(d.info, nullptr);
    EXPECT_STREQ(d.info->name, d.name);
    ASSERT_LT(d.minimum, d.maximum);
    ASSERT_GT(d.step, 0);
    EXPECT_EQ((d.maximum - d.minimum) % d.step, 0) << "the maximum is not on a step";
    EXPECT_EQ(d.step % d.Scale(), 0) << "a step falls between two raw values";
    const int lowest = d.info->isSigned ? -128 : 0, highest = d.info->isSigned ? 127 : 255;
    for (int shown = d.minimum; shown <= d.maximum; shown += d.step) {
      const int raw = ShownToRaw(shown, d.Scale(), d.Offset());
      ASSERT_GE(raw, lowest) << shown;
      ASSERT_LE(raw, highest) << shown;
      Image img{};
      WriteByteValue(img, d.info->address, 0, d.Scale(), d.Offset(), shown);
      const int flag = d.info->isSigned ? kSignedFlag : 0;
      ASSERT_EQ(ReadByteValue(img, d.info->address, flag, d.Scale(), d.Offset()), shown);
    }
  }
}

TEST(ParamDescriptors, DescribeFindsTheAddressMapsEntry) {
  const ParamDescriptor& limiter = Describe("LIMITER");
  EXPECT_EQ(limiter.info->address, Adrb::LIMITER);
  EXPECT_EQ(limiter.Scale(), 100);
  EXPECT_STREQ(limiter.unit, "rpm");
  EXPECT_EQ(Describe("CORR_ADVANCE").Offset(), -100);
  EXPECT_EQ(Describe("CORR_ADVANCE").Page(), 3);
}

}  // namespace
}  // namespace ign
