#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/params/param_state.h"

namespace ign {
namespace {

struct Call {
  int slot;
  std::string text;  // empty: cleared
  int duration;
  uint32_t back;
  int priority;
};

class FakeStatus : public IStatus {
 public:
  void ShowStatus(int slot, const char* packed, int ms, uint32_t, uint32_t back, int prio) override {
    calls.push_back({slot, packed ? packed : "", ms, back, prio});
  }
  void RefreshTitle() override { ++titles; }
  std::vector<Call> calls;
  int titles = 0;
};

TEST(CompareImages, WithoutValidUnitOnlyClearsTheSlot) {
  ParamState s;
  s.edited[10] = 1;  // differs from the unit image, which is not valid
  FakeStatus st;
  CompareImages(s, st);
  EXPECT_EQ(st.titles, 1);
  ASSERT_EQ(st.calls.size(), 1u);
  EXPECT_EQ(st.calls[0].slot, 4);
  EXPECT_TRUE(st.calls[0].text.empty());
  EXPECT_FALSE(s.identicalToUnit);
  EXPECT_FALSE(s.saved);  // the file image is all zero
}

TEST(CompareImages, DifferentUnitShowsYellowWithoutTimeout) {
  ParamState s;
  s.unitValid = true;
  s.unit[1049] = 5;
  FakeStatus st;
  CompareImages(s, st);
  ASSERT_EQ(st.calls.size(), 1u);
  EXPECT_EQ(st.calls[0].text.rfind("###Unit and PC settings are different##", 0), 0u);
  EXPECT_EQ(st.calls[0].duration, -1);
  EXPECT_EQ(st.calls[0].back, Colour::Yellow);
  EXPECT_EQ(st.calls[0].priority, 10);
  EXPECT_FALSE(s.identicalToUnit);
  EXPECT_TRUE(s.saved);
}

TEST(CompareImages, BytesBeyondTheImageNeverCount) {
  ParamState s;
  s.unitValid = true;
  s.edited[1050] = 1;
  s.edited[1051] = 2;
  FakeStatus st;
  CompareImages(s, st);
  EXPECT_TRUE(s.identicalToUnit);
  EXPECT_TRUE(s.saved);
  ASSERT_EQ(st.calls.size(), 1u);
  EXPECT_EQ(st.calls[0].text.rfind("###Unit and PC settings are identical##", 0), 0u);
  EXPECT_EQ(st.calls[0].duration, 4000);
  EXPECT_EQ(st.calls[0].back, Colour::Green);
}

TEST(FeatureFlags, FollowBikeAndInputFunctions) {
  Image img{};
  img[Adrb::RESERVED_389] = 9;
  img[Adrb::BIKE] = 255;
  img[Adrb::INPUT_FUNCTION] = 5;
  img[Adrb::INPUT_FUNCTION + 1] = 11;
  img[Adrb::INPUT_FUNCTION + 2] = 1;  // input 3 does not count
  FeatureFlags f = RefreshFeatureFlags(img);
  EXPECT_EQ(img[Adrb::RESERVED_389], 0);
  const bool expected[12] = {true, false, false, false, false, true, false, false, false, false, false, true};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(f[i], expected[i]) << "flag " << i;
}

}  // namespace
}  // namespace ign
