// Loading every page and storing every page leaves a sound image as it was,
// apart from the differences the pages' own rules make. A wrong scale, offset
// or encoding anywhere on the pages shows up here.
#include <algorithm>
#include <random>

#include "core/params/normalise.h"
#include "pages_fixture.h"

namespace ign {
namespace {

using test::PagesFixture;

void ClampAt(Image& img, int at, int lo, int hi) {
  img[size_t(at)] = uint8_t(std::clamp<int>(img[size_t(at)], lo, hi));
}

// What storing the pages does to a normalised image, rule by rule.
Image ExpectedAfterStore(Image img) {
  using namespace Adrb;
  // The Miscellaneous page always clears excitation and dwell.
  for (int b : {179, 180, 181, 182, 183, 185}) img[size_t(b)] = 0;
  // Recomputing the feature flags clears the reserved byte.
  img[RESERVED_389] = 0;
  // A check box stores 0 or 1.
  for (int b : {int(PICKUPS_INTERCHANGE), int(NO_LOBE_CHECK), int(INTERLOCK_INPUT), int(SPARK_BEFORE_LOBE),
                int(SPECIAL_START), int(SPECIAL_DWELL_START), int(FLYWHEEL_OPERATION), int(ADV2TOOUT2)})
    img[size_t(b)] = img[size_t(b)] ? 1 : 0;
  // A preset bike has no lobe check, interlock or early spark.
  if (img[BIKE] != 255) img[NO_LOBE_CHECK] = img[INTERLOCK_INPUT] = img[SPARK_BEFORE_LOBE] = 0;
  // Many-lobe systems take channel 1's first second-edge flag everywhere.
  if (img[PICKUP_SYSTEM] == 8 || img[PICKUP_SYSTEM] == 14) {
    const uint8_t edge = img[PICKUP1_LOBES] & 0x40;
    for (int i = 0; i < 8; ++i)
      img[size_t(PICKUP1_LOBES + i)] = uint8_t((img[size_t(PICKUP1_LOBES + i)] & ~0x40) | edge);
  }
  // Only channels 1..4 have a second-turn flag.
  img[FOUR_STROKE_2ND_TURN] &= 0x0F;
  // With a load sensor the mode bytes follow the collapse: 0 or 1.
  if (img[TPSIAP_SENSOR] != 0) {
    img[ADV_MAP] = img[ADV_MAP] ? 1 : 0;
    img[ADV2_MAP] = img[ADV2_MAP] ? 1 : 0;
  }
  // Control limits.
  img[RPM_PULSES] = uint8_t(std::clamp<int>(int8_t(img[RPM_PULSES]), -2, 12));
  ClampAt(img, RPM_CORRECTION, 40, 160);
  ClampAt(img, SPECIAL_START_PERC, 0, 250);
  ClampAt(img, REV_WITHOUT_IGNITION, 0, 40);
  ClampAt(img, LOBE_COUNT, 1, 255);
  ClampAt(img, START_LIM_DELAY, 0, 50);
  ClampAt(img, RETARD, 0, 60);
  ClampAt(img, CLUTCH_TIME, 0, 250);
  ClampAt(img, CLUTCH_PAUSE, 0, 250);
  for (int i = 0; i < 4; ++i) ClampAt(img, CORR_ADVANCE + i, 70, 130);
  // The calibration editors keep their limits: voltages 0..5 V, pressure
  // points 0..999 kPa with the second above the first.
  for (int w : {int(Adrw::TPS), Adrw::TPS + 1, Adrw::IAP_SENSOR + 1, Adrw::IAP_SENSOR + 3})
    SetWord(img, w, std::min<uint16_t>(GetWord(img, w), 5000));
  const int pressure1 = std::min<int>(GetWord(img, Adrw::IAP_SENSOR), 998);
  const int pressure2 = std::max(std::min<int>(GetWord(img, Adrw::IAP_SENSOR + 2), 999), pressure1 + 1);
  SetWord(img, Adrw::IAP_SENSOR, uint16_t(pressure1));
  SetWord(img, Adrw::IAP_SENSOR + 2, uint16_t(pressure2));
  // The servo's check boxes store 0 or 1; with a load sensor its map mode
  // follows the collapse: 0, 1 or 2.
  img[SERVO_ENABLE] = img[SERVO_ENABLE] ? 1 : 0;
  img[SERVO_PERCENT] = img[SERVO_PERCENT] ? 1 : 0;
  if (img[TPSIAP_SENSOR] != 0) img[SERVO_MAP] = std::min<uint8_t>(img[SERVO_MAP], 2);
  // Without a load sensor every map is one rpm curve: the unit reads no load.
  if (img[TPSIAP_SENSOR] == 0) img[SERVO_MAP] = img[ADV_MAP] = img[ADV2_MAP] = 0;
  ClampAt(img, SERVO_NO, 0, 250);
  // Test rpm 200..25000, servo test 10..2500 ms, proprietary words -32000..32000.
  ClampAt(img, TEST_SET, 2, 250);
  ClampAt(img, TEST_SET + 1, 1, 250);
  for (int i = 0; i < 5; ++i)
    SetWord(img, Adrw::PROPRIETARY + i,
            uint16_t(std::clamp<int>(int16_t(GetWord(img, Adrw::PROPRIETARY + i)), -32000, 32000)));
  // Power outputs: hysteresis 0..2500 rpm, PWM 10..100 %, frequency 2..20 Hz,
  // pulse 5..500 ms; a mask keeps one bit per rpm region (bits 0..3), and the
  // gear shift light's marked middle region stores as on.
  for (int k = 0; k < 2; ++k) {
    ClampAt(img, POWER_OUT_HYSTERESIS + k, 0, 250);
    ClampAt(img, POWER_OUT_SP_PWM + k, 10, 100);
    ClampAt(img, POWER_OUT_SPWM_FR + k, 2, 20);
    ClampAt(img, POWER_OUT_SPULSE + k, 1, 100);
    for (int r = 0; r < 3; ++r) img[size_t(POWER_OUT_MASK + 3 * k + r)] &= 0x0F;
    if (img[size_t(POWER_OUT_FUNCTION + k)] == 2) img[size_t(POWER_OUT_MASK + 3 * k)] |= 0x02;
  }
  return img;
}

TEST_F(PagesFixture, LoadingAndStoringAllPagesKeepsTheImage) {
  Start();
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> byte(0, 255);
  const int bikes[] = {0, 7, 19, 20, 22, 36, 39, 43, 60, 255, 255, 255};
  for (int n = 0; n < 150; ++n) {
    Image img{};
    for (int i = 0; i < RS_LEN_EXE; ++i) img[size_t(i)] = uint8_t(byte(random));
    img[Adrb::BIKE] = uint8_t(bikes[n % std::size(bikes)]);
    img[Adrb::PICKUP_SYSTEM] = uint8_t(n % 23);
    img[Adrb::TPSIAP_SENSOR] = uint8_t(n % 3);
    img[Adrb::FOUR_STROKE] = uint8_t(n % 3);
    NormaliseImage(img);
    Img() = img;
    Pages().LoadPages(true);
    const Image loaded = Img();
    for (int p :
         {Page::Misc, Page::Bike, Page::Sensors, Page::Advance, Page::PowerOut, Page::Servo, Page::Test})
      Pages().PageAt(p)->Store(Img());
    const Image expected = ExpectedAfterStore(loaded);
    for (int i = 0; i < RS_LEN_EXE; ++i)
      ASSERT_EQ(int(Img()[size_t(i)]), int(expected[size_t(i)]))
          << "byte " << i << " of image " << n << " (system " << int(img[Adrb::PICKUP_SYSTEM]) << ", bike "
          << int(img[Adrb::BIKE]) << ", was " << int(loaded[size_t(i)]) << ")";
  }
}

}  // namespace
}  // namespace ign
