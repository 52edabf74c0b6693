// Saving an image and opening the file again gives the image back.
#include <gtest/gtest.h>

#include <random>

#include "core/files/ign_writer.h"
#include "core/files/settings_files.h"
#include "core/params/address_map.h"
#include "core/params/normalise.h"
#include "tests/files/files_support.h"

namespace ign {
namespace {

using namespace Adrb;

Image RandomImage(std::mt19937& rng) {
  Image img{};
  for (int i = 0; i < RS_LEN_EXE; ++i) img[size_t(i)] = uint8_t(rng());
  // The file carries the bits the program uses: bits 0..3 of the flag bytes.
  img[FOUR_STROKE_2ND_TURN] &= 0x0F;
  for (int i = 0; i < 6; ++i) img[POWER_OUT_MASK + i] &= 0x0F;
  // Input function 4 is the old code of an inverted quickshift, which the
  // reader turns into function 3 with the inverse bit; the pages never set it.
  for (int i = 0; i < 2; ++i)
    if (img[INPUT_FUNCTION + i] == 4) img[INPUT_FUNCTION + i] = 3;
  // A small bike now and then, so that presets take part.
  if (rng() % 2) img[BIKE] = uint8_t(rng() % 46);
  NormaliseImage(img);
  return img;
}

// What opening the file of saved over before gives.
Image Expected(const Image& saved, const Image& before) {
  Image e = saved;
  if (e[BIKE] == 22) e[BIKE] = 255;
  // Not in the file, loaded from the defaults between the two passes.
  e[SPECIAL_DWELL_START] = 0;
  e[TEST_SET] = 50, e[TEST_SET + 1] = 50;
  e[RESERVED_389] = 0;
  e[INPUT_INVERT] &= 3;
  // Not in the file and not defaulted: as before the file was opened.
  const int kept[] = {
      EXCITATION,         DWELL,      DWELL + 1,          DWELL + 2,          DWELL + 3,
      DUR_DISCHARG,       DWELL_5,    INPUT_FUNCTION + 2, INPUT_FUNCTION + 3, INPUT_FUNCTION + 4,
      INPUT_FUNCTION + 5, INPUT_SPARE};
  for (int a : kept) e[size_t(a)] = before[size_t(a)];
  for (int i = 0; i < RS_LEN_EXE; ++i)
    if (!IsNamedByte(i)) e[size_t(i)] = before[size_t(i)];
  NormaliseImage(e);
  return e;
}

TEST(IgnRoundTrip, RandomImagesComeBackThroughSaveAndOpen) {
  test::UseEnglishMessages();
  test::TempDir dir;
  std::mt19937 rng(20231019);
  for (int round = 0; round < 60; ++round) {
    CSettingsDoc state;
    CDefaults defaults;
    test::RecordingHost host;
    test::RecordingStatus status;
    CSettingsFiles files(state, defaults, host, status);

    const Image saved = RandomImage(rng);
    const Image before = RandomImage(rng);
    state.Replace(saved);
    const std::string path = dir.File("r" + std::to_string(round) + ".ign");
    ASSERT_TRUE(files.Save(path));
    EXPECT_EQ(state.Edited(), saved);  // already normalised

    state.Replace(before);
    const IgnReadResult r = files.LoadSettingsFile(path);
    ASSERT_EQ(r.status, IgnReadStatus::Accepted);
    ASSERT_TRUE(host.messages.empty());
    const Image expected = Expected(saved, before);
    for (const ParamInfo& p : ParamTable())
      for (int i = 0; i < p.count; ++i)
        for (int b = 0; b < ByteWidth(p); ++b) {
          const int at = FirstByte(p, i) + b;
          ASSERT_EQ(state.Edited()[size_t(at)], expected[size_t(at)])
              << "round " << round << ": " << p.name << "[" << i << "] byte " << at;
        }
    ASSERT_EQ(state.Edited(), expected) << "round " << round;
  }
}

}  // namespace
}  // namespace ign
