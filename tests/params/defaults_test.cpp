#include <gtest/gtest.h>

#include "core/params/bike_presets.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"

namespace ign {
namespace {

TEST(Defaults, StartupImageHoldsDefaultsAndBike20Preset) {
  Image img = StartupImage();
  EXPECT_EQ(img[Adrb::BIKE], 20);
  EXPECT_EQ(img[Adrb::PICKUP_SYSTEM], 1);
  EXPECT_EQ(img[Adrb::LOBE_COUNT], 5);
  EXPECT_EQ(img[Adrb::CHANNEL_COUNT], 2);
  EXPECT_EQ(img[Adrb::PICKUP1_LOBES], 65);
  EXPECT_EQ(img[Adrb::PICKUP2_LOBES + 1], 68);
  EXPECT_EQ(img[Adrb::PICKUP1_LOBES + 2], 0);  // cleared before the preset, not part of it
  EXPECT_EQ(img[Adrb::GEBER_MODE], 1);
  EXPECT_EQ(img[Adrb::LIMITER], 110);
  EXPECT_EQ(img[Adrb::START_LIM], 100);
  EXPECT_EQ(GetWord(img, Adrw::TPS + 1), 3790);
  EXPECT_EQ(img[Adrb::ADVANCE + 15 * 9 + 14], 135);
  EXPECT_EQ(img[Adrb::RPM_ADV2 + 14], 140);
  EXPECT_EQ(img[Adrb::RPM_PULSES], 2);
  EXPECT_EQ(img[Adrb::INPUT_FUNCTION], 2);
  EXPECT_EQ(img[Adrb::POWER_OUT_FUNCTION], 1);
  EXPECT_EQ(img[Adrb::POWER_OUT_MASK], 2);
  EXPECT_EQ(img[Adrb::POWER_OUT_FUNCTION + 1], 2);
  EXPECT_EQ(img[Adrb::POWER_OUT_RPM + 3], 90);
  EXPECT_EQ(img[Adrb::POWER_OUT_MASK + 3], 12);
  EXPECT_EQ(GetWord(img, Adrw::POWER_OUT_TP + 3), 90);
  EXPECT_EQ(img[Adrb::SERVO_RPM], 10);
  EXPECT_EQ(img[Adrb::SERVO + 14], 2900 / 20);
  EXPECT_EQ(GetWord(img, Adrw::IAP_SENSOR + 3), 3756);
  EXPECT_EQ(img[Adrb::TEST_SET], 50);
}

TEST(Defaults, BikeDependentValues) {
  struct Case {
    int bike, rpmPulses, input1;
  } cases[] = {{4, 4, 0},  {7, 1, 0},  {17, 2, 1}, {19, 2, 2},  {22, 77, 0},
               {30, 1, 0}, {33, 2, 0}, {38, 1, 0}, {41, 77, 0}, {43, 77, 0}};
  for (const auto& c : cases) {
    Image img{};
    img[Adrb::BIKE] = uint8_t(c.bike);
    img[Adrb::RPM_PULSES] = 77;
    img[Adrb::INPUT_FUNCTION + 1] = 9;
    CDefaults d;
    d.LoadDefaults(img, Group::All);
    EXPECT_EQ(img[Adrb::RPM_PULSES], c.rpmPulses) << "bike " << c.bike;
    EXPECT_EQ(img[Adrb::INPUT_FUNCTION], c.input1) << "bike " << c.bike;
    EXPECT_EQ(img[Adrb::INPUT_FUNCTION + 1], 0);
  }
  Image img{};
  img[Adrb::BIKE] = 19;
  CDefaults d;
  d.LoadDefaults(img, Group::All);
  EXPECT_EQ(img[Adrb::SERVO_RPM + 2], 41);
  EXPECT_EQ(img[Adrb::SERVO + 15 * 9 + 0], 600 / 20);
  EXPECT_EQ(img[Adrb::SERVO_ENABLE], 1);
}

TEST(Defaults, PageDefaultsOnMiscPageTouchOnlyThatPageAndProprietary) {
  Image img = StartupImage();
  NormaliseImage(img);
  img[Adrb::ADVANCE + 3] = 150;
  img[Adrb::PICKUP1_LOBES] = 3;
  img[Adrb::LIMITER] = 90;
  SetWord(img, Adrw::PROPRIETARY + 4, 1234);
  CDefaults d;
  d.LoadDefaults(img, Group::Misc);
  EXPECT_EQ(img[Adrb::ADVANCE + 3], 150);
  EXPECT_EQ(img[Adrb::PICKUP1_LOBES], 3);
  EXPECT_EQ(img[Adrb::LIMITER], 110);
  EXPECT_EQ(GetWord(img, Adrw::PROPRIETARY + 4), 0);
}

TEST(Defaults, Bikes36And37RewritePickupsWhateverThePage) {
  for (int bike : {36, 37}) {
    Image img = StartupImage();
    img[Adrb::BIKE] = uint8_t(bike);
    img[Adrb::PICKUPS_INTERCHANGE] = 0;
    CDefaults d;
    d.LoadDefaults(img, Group::Misc);
    EXPECT_EQ(img[Adrb::PICKUP_SYSTEM], 12);
    EXPECT_EQ(img[Adrb::LOBE_COUNT], bike == 36 ? 44 : 46);
    EXPECT_EQ(img[Adrb::PICKUP2_LOBES + 3], 71);
    EXPECT_EQ(img[Adrb::PICKUPS_INTERCHANGE], 1);
  }
  Image img = StartupImage();
  img[Adrb::BIKE] = 35;
  img[Adrb::PICKUP_SYSTEM] = 3;
  CDefaults d;
  d.LoadDefaults(img, Group::Misc);
  EXPECT_EQ(img[Adrb::PICKUP_SYSTEM], 3);  // other presets need the bike page
}

TEST(Defaults, UserBikeJustChangedSkipsTheWholeDefaultTable) {
  Image img = StartupImage();
  img[Adrb::BIKE] = kBikeUserDefined;
  img[Adrb::LIMITER] = 90;
  img[Adrb::PICKUP1_LOBES] = 7;
  SetWord(img, Adrw::PROPRIETARY, 5);
  CDefaults d;
  d.SetBikeChanged(true);
  d.LoadDefaults(img, Group::All);
  EXPECT_EQ(img[Adrb::LIMITER], 90);
  EXPECT_EQ(img[Adrb::PICKUP1_LOBES], 7);
  EXPECT_EQ(GetWord(img, Adrw::PROPRIETARY), 5);  // the default table was skipped as a whole
  EXPECT_FALSE(d.BikeChanged());
}

TEST(Defaults, PresetTableCoversEveryBike) {
  for (int bike = 0; bike < kBikePresetCount; ++bike) EXPECT_TRUE(FindBikePreset(bike).has_value()) << bike;
  EXPECT_FALSE(FindBikePreset(44).has_value());
  EXPECT_FALSE(FindBikePreset(255).has_value());
  auto p39 = FindBikePreset(39);
  EXPECT_EQ(p39->system, 14);
  EXPECT_EQ(p39->lobes, 116);
  EXPECT_EQ(p39->pickup1[2], 228);
}

TEST(PowerOutFixed, TableByFunctionAndMode) {
  struct Case {
    int function, mode;
    uint8_t rpm0, mask0;
    uint16_t tp0;
  } cases[] = {
      {2, 0, 11, 12, 7}, {2, 1, 90, 12, 75},  {3, 2, 40, 14, 75}, {3, 0, 11, 14, 7},
      {1, 0, 40, 2, 75}, {255, 1, 40, 2, 75}, {1, 2, 11, 1, 7},   {200, 1, 11, 1, 7},
  };
  for (const auto& c : cases) {
    Image img{};
    img[Adrb::POWER_OUT_FUNCTION + 1] = uint8_t(c.function);
    img[Adrb::POWER_OUT_RPM + 3] = 11;
    img[Adrb::POWER_OUT_MASK + 3] = 1;
    SetWord(img, Adrw::POWER_OUT_TP + 2, 7);
    SetPowerOutFixed(img, 1, c.mode);
    EXPECT_EQ(img[Adrb::POWER_OUT_RPM + 3], c.rpm0) << c.function << "/" << c.mode;
    EXPECT_EQ(img[Adrb::POWER_OUT_MASK + 3], c.mask0) << c.function << "/" << c.mode;
    EXPECT_EQ(GetWord(img, Adrw::POWER_OUT_TP + 2), c.tp0) << c.function << "/" << c.mode;
  }
}

}  // namespace
}  // namespace ign
