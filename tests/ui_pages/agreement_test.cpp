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
    for (int p : {Page::Misc, Page::Bike, Page::Advance}) Pages().PageAt(p)->Store(Img());
    const Image expected = ExpectedAfterStore(loaded);
    for (int i = 0; i < RS_LEN_EXE; ++i)
      ASSERT_EQ(int(Img()[size_t(i)]), int(expected[size_t(i)]))
          << "byte " << i << " of image " << n << " (system " << int(img[Adrb::PICKUP_SYSTEM]) << ", bike "
          << int(img[Adrb::BIKE]) << ", was " << int(loaded[size_t(i)]) << ")";
  }
}

}  // namespace
}  // namespace ign
