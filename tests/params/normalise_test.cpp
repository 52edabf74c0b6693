#include <gtest/gtest.h>

#include <random>

#include "core/params/address_map.h"
#include "core/params/clamp.h"
#include "core/params/defaults.h"
#include "core/params/lobe.h"
#include "core/params/normalise.h"

namespace ign {
namespace {

Image Normalised(Image img) {
  NormaliseImage(img);
  return img;
}

Image DefaultImage() {
  Image img = StartupImage();
  NormaliseImage(img);
  return img;
}

TEST(Normalise, UnusedColumnsCopyTheLastUsedColumn) {
  Image img = DefaultImage();
  img[Adrb::ADV_COLUMNS] = 10;
  for (int r = 0; r < kMapRows; ++r) img[Adrb::ADVANCE + 15 * r + 9] = uint8_t(100 + r);
  img = Normalised(img);
  for (int r = 0; r < kMapRows; ++r)
    for (int c = 10; c < 15; ++c) EXPECT_EQ(img[Adrb::ADVANCE + 15 * r + c], 100 + r) << r << "," << c;
  EXPECT_EQ(img[Adrb::ADV_COLUMNS], 10);
}

TEST(Normalise, ColumnCountsOutOfRangeBecomeFifteen) {
  Image img = DefaultImage();
  img[Adrb::ADV2_COLUMNS] = 0;
  img[Adrb::SERVO_COLUMNS] = 200;
  img = Normalised(img);
  EXPECT_EQ(img[Adrb::ADV2_COLUMNS], 15);
  EXPECT_EQ(img[Adrb::SERVO_COLUMNS], 15);
}

TEST(Normalise, RpmAxisIsMadeStrictlyAscending) {
  Image img = DefaultImage();
  for (int c = 0; c < 15; ++c) img[Adrb::RPM_ADV + c] = 20;
  for (int c = 0; c < 15; ++c) img[Adrb::RPM_ADV2 + c] = 250;
  img = Normalised(img);
  for (int c = 0; c < 15; ++c) {
    EXPECT_EQ(img[Adrb::RPM_ADV + c], 20 + c);
    EXPECT_EQ(img[Adrb::RPM_ADV2 + c], 236 + c);
  }
}

TEST(Normalise, ClampsSingleValues) {
  struct Case {
    int adrb;
    uint8_t in, out;
  } cases[] = {
      {Adrb::LIMITER, 5, 10},
      {Adrb::LIMITER, 255, 250},
      {Adrb::START_LIM, 0, 10},
      {Adrb::BASE_ADV, 41, 40},
      {Adrb::FOUR_STROKE, 3, 0},
      {Adrb::FOUR_STROKE, 2, 2},
      {Adrb::CHANNEL_COUNT, 0, 1},
      {Adrb::CHANNEL_COUNT, 4, 4},
      {Adrb::CHANNEL_COUNT, 9, 4},
      {Adrb::EXCITATION, 7, 3},
      {Adrb::MAX_LOBE_LEN, 0, 250},
      {Adrb::MAX_LOBE_LEN, 249, 249},
      {Adrb::FLYWHEEL_OPERATION, 9, 1},
      {Adrb::POWER_OUT_FUNCTION, 7, 255},
      {Adrb::POWER_OUT_FUNCTION, 253, 253},
  };
  for (const auto& c : cases) {
    Image img = DefaultImage();
    img[c.adrb] = c.in;
    EXPECT_EQ(Normalised(img)[c.adrb], c.out) << "address " << c.adrb << " value " << int(c.in);
  }
}

TEST(Normalise, LobesAreLimitedAndSecondPickupClearedWhereUnsupported) {
  Image img = DefaultImage();
  img[Adrb::PICKUP_SYSTEM] = 2;
  img[Adrb::LOBE_COUNT] = 6;
  img[Adrb::PICKUP1_LOBES] = 0x80 | 0x40 | 9;  // second pick-up, second edge, lobe 9
  img[Adrb::PICKUP2_LOBES] = 0;
  img = Normalised(img);
  EXPECT_EQ(img[Adrb::PICKUP1_LOBES], 0x40 | 6);
  EXPECT_EQ(img[Adrb::PICKUP2_LOBES], 1);

  img[Adrb::PICKUP_SYSTEM] = 4;  // keeps the second-pick-up flag
  img[Adrb::PICKUP1_LOBES] = 0x80 | 3;
  EXPECT_EQ(Normalised(img)[Adrb::PICKUP1_LOBES], 0x80 | 3);

  img[Adrb::PICKUP_SYSTEM] = kWideLobeSystem;
  img[Adrb::LOBE_COUNT] = 200;
  img[Adrb::PICKUP1_LOBES] = EncodeLobe({119, true, false}, true);
  img = Normalised(img);
  EXPECT_EQ(img[Adrb::LOBE_COUNT], 120);
  EXPECT_EQ(DecodeLobe(img[Adrb::PICKUP1_LOBES], true).number, 119);

  img[Adrb::PICKUP_SYSTEM] = 0;
  img[Adrb::LOBE_COUNT] = 30;
  EXPECT_EQ(Normalised(img)[Adrb::LOBE_COUNT], 1);
}

TEST(Normalise, PowerOutputCellsFollowTheFunction) {
  Image img = DefaultImage();
  img[Adrb::POWER_OUT_FUNCTION + 1] = 253;  // special pulse
  img[Adrb::POWER_OUT_SPULSE + 1] = 41;     // lower bound (41 + 9) / 10 = 5
  img[Adrb::POWER_OUT_PWM + 24] = 0;
  img[Adrb::POWER_OUT_PWM + 25] = 230;
  img[Adrb::POWER_OUT_PWM + 0] = 230;  // output 1 keeps 0..100
  img = Normalised(img);
  EXPECT_EQ(img[Adrb::POWER_OUT_PWM + 24], 5);
  EXPECT_EQ(img[Adrb::POWER_OUT_PWM + 25], 200);
  EXPECT_EQ(img[Adrb::POWER_OUT_PWM + 0], 100);
}

TEST(Normalise, GearShiftLightKeepsEqualRpmPointsAndFixedMasks) {
  Image img = DefaultImage();
  ASSERT_EQ(img[Adrb::POWER_OUT_FUNCTION + 1], 2);
  img[Adrb::POWER_OUT_RPM + 3] = 100;
  img[Adrb::POWER_OUT_RPM + 4] = 100;
  img[Adrb::POWER_OUT_RPM + 5] = 100;
  img[Adrb::POWER_OUT_MASK + 3] = 1;
  img = Normalised(img);
  EXPECT_EQ(img[Adrb::POWER_OUT_RPM + 3], 100);
  EXPECT_EQ(img[Adrb::POWER_OUT_RPM + 5], 100);
  EXPECT_EQ(img[Adrb::POWER_OUT_MASK + 3], 12);
}

TEST(Normalise, ApplicationStateIsKeptSound) {
  Image img = DefaultImage();
  int language = 3, port = 256, next = 0;
  NormaliseImage(img, {&language, &port, &next});
  EXPECT_EQ(language, 0);
  EXPECT_EQ(port, -1);
  EXPECT_EQ(next, 1);
  language = 2, port = -1, next = 255;
  NormaliseImage(img, {&language, &port, &next});
  EXPECT_EQ(language, 2);
  EXPECT_EQ(port, -1);
  EXPECT_EQ(next, 255);
}

TEST(ClampRange, DescendingAndSignedModes) {
  Image img{};
  for (int i = 0; i < 4; ++i) img[300 + i] = uint8_t(10 + i);  // ascending input
  ClampRange(img, -1, 300, 0, 0, 100, 4, 2);
  EXPECT_EQ(img[300], 10);
  EXPECT_EQ(img[301], 8);
  EXPECT_EQ(img[302], 6);
  EXPECT_EQ(img[303], 4);

  img[310] = uint8_t(-50);  // signed -50
  img[311] = 5;
  ClampRange(img, 100, 310, 0, -20, 20, 2, 0);  // signed, no order
  EXPECT_EQ(int8_t(img[310]), -20);
  EXPECT_EQ(img[311], 5);
}

// Every named value in its range, and every normalised image is a fixed point.
void ExpectSound(const Image& img) {
  for (int axis : {Adrw::ADV_IAP, Adrw::ADV2_IAP, Adrw::SERVO_IAP})
    for (int r = 0; r < kMapRows; ++r) {
      EXPECT_LE(GetWord(img, axis + r), 999);
      if (r) {
        EXPECT_GT(GetWord(img, axis + r), GetWord(img, axis + r - 1));
      }
    }
  for (int axis : {Adrb::RPM_ADV, Adrb::RPM_ADV2, Adrb::SERVO_RPM})
    for (int c = 0; c < kMapCols; ++c) {
      EXPECT_GE(img[axis + c], 3);
      EXPECT_LE(img[axis + c], 250);
      if (c) {
        EXPECT_GT(img[axis + c], img[axis + c - 1]);
      }
    }
  for (int i = 0; i < kMapCells; ++i) {
    EXPECT_GE(img[Adrb::ADVANCE + i], 70);
    EXPECT_LE(img[Adrb::ADVANCE + i], 160);
    EXPECT_GE(img[Adrb::ADVANCE2 + i], 70);
    EXPECT_LE(img[Adrb::ADVANCE2 + i], 160);
    EXPECT_LE(img[Adrb::SERVO + i], img[Adrb::SERVO_PERCENT] ? 100 : 250);
  }
  for (int columns : {Adrb::ADV_COLUMNS, Adrb::ADV2_COLUMNS, Adrb::SERVO_COLUMNS}) {
    EXPECT_GE(img[columns], 1);
    EXPECT_LE(img[columns], 15);
  }
  EXPECT_GE(img[Adrb::LIMITER], 10);
  EXPECT_LE(img[Adrb::LIMITER], 250);
  EXPECT_LE(img[Adrb::BASE_ADV], 40);
  EXPECT_GE(img[Adrb::CHANNEL_COUNT], 1);
  EXPECT_LE(img[Adrb::CHANNEL_COUNT], 4);
  EXPECT_LE(img[Adrb::LOBE_COUNT], img[Adrb::PICKUP_SYSTEM] == 14 ? 120 : 58);
  for (int k = 0; k < 2; ++k) {
    int f = img[Adrb::POWER_OUT_FUNCTION + k];
    EXPECT_TRUE(f <= 2 || f >= 253) << f;
  }
  EXPECT_GE(GetWord(img, Adrw::IAP_SENSOR + 2), GetWord(img, Adrw::IAP_SENSOR));
}

TEST(NormaliseProperty, RandomImagesEndSoundStableAndLeaveUnnamedBytes) {
  std::mt19937 rng(1234);
  for (int run = 0; run < 400; ++run) {
    Image img;
    for (auto& b : img) b = uint8_t(rng());
    // Half the runs start near a real image, where the order rules matter most.
    if (run % 2) {
      Image base = DefaultImage();
      for (int i = 0; i < 20; ++i) base[rng() % RS_LEN_EXE] = uint8_t(rng());
      base[1050] = img[1050];
      base[1051] = img[1051];
      img = base;
    }
    const Image before = img;
    NormaliseImage(img);
    SCOPED_TRACE("run " + std::to_string(run));
    ExpectSound(img);
    for (int i = 0; i < kImageBufLen; ++i)
      if (!IsNamedByte(i)) {
        ASSERT_EQ(img[i], before[i]) << "unnamed byte " << i << " changed";
      }
    Image again = img;
    NormaliseImage(again);
    ASSERT_EQ(again, img) << "normalisation is not idempotent";
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace ign
