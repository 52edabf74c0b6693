#include "core/params/settings_doc.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/params/normalise.h"
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

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

TEST(SettingsDoc, SlotFourTellsWhatTheUnitHolds) {
  FakeStatus st;
  CSettingsDoc d(&st);
  Image unit{};
  unit[1049] = 5;
  d.SetUnit(unit, true);
  ASSERT_EQ(st.calls.size(), 1u);
  EXPECT_TRUE(StartsWith(st.calls[0].text, "###Unit and PC settings are different##"));
  EXPECT_EQ(st.calls[0].slot, 4);
  EXPECT_EQ(st.calls[0].duration, -1);
  EXPECT_EQ(st.calls[0].back, Colour::Yellow);
  EXPECT_EQ(st.calls[0].priority, 10);
  EXPECT_FALSE(d.IdenticalToUnit());

  d.SetUnit(d.Edited(), true);
  EXPECT_TRUE(StartsWith(st.calls.back().text, "###Unit and PC settings are identical##"));
  EXPECT_EQ(st.calls.back().duration, 4000);
  EXPECT_EQ(st.calls.back().back, Colour::Green);
  EXPECT_TRUE(d.IdenticalToUnit());

  // The unit goes away: the slot is cleared, and equal images no longer count as identical.
  d.ForgetUnit();
  EXPECT_TRUE(st.calls.back().text.empty());
  EXPECT_FALSE(d.IdenticalToUnit());
  EXPECT_EQ(st.titles, 3);
}

TEST(SettingsDoc, BytesBeyondTheImageNeverCount) {
  FakeStatus st;
  CSettingsDoc d(&st);
  d.Working()[1050] = 1;
  d.Working()[1051] = 2;
  d.ConfirmUnit();
  EXPECT_TRUE(d.IdenticalToUnit());
  EXPECT_TRUE(d.Saved());
  EXPECT_TRUE(StartsWith(st.calls.back().text, "###Unit and PC settings are identical##"));
}

TEST(SettingsDoc, ACommittedEditMarksExactlyTheChangedBytes) {
  FakeStatus st;
  CSettingsDoc d(&st);
  const Image before = d.Edited();
  EXPECT_FALSE(d.CommitEdit(before));
  EXPECT_EQ(st.titles, 0) << "nothing changed, nothing told";
  d.Working()[7] = 3;
  d.Working()[900] = 4;
  EXPECT_TRUE(d.CommitEdit(before));
  EXPECT_EQ(st.titles, 1);
  for (int i = 0; i < RS_LEN_EXE; ++i) EXPECT_EQ(d.ChangeMarks()[i], i == 7 || i == 900) << i;
  EXPECT_FALSE(d.Saved());
}

TEST(SettingsDoc, AReadKeepsWhatTheUnitHoldsAndCountsTheCorrections) {
  CSettingsDoc d;
  Image raw{};
  raw[Adrb::LIMITER] = 5;  // below the lowest limiter: the normalisation puts it right
  Image normalised = raw;
  NormaliseImage(normalised);
  const int expected = CountDifferences(raw, normalised);
  ASSERT_GT(expected, 0);
  d.Working()[5] = 1;
  d.CommitEdit(Image{});
  EXPECT_EQ(d.ReplaceFromUnit(raw.data()), expected);
  EXPECT_EQ(d.Unit(), raw);
  EXPECT_EQ(d.Edited(), normalised);
  EXPECT_TRUE(d.UnitValid());
  EXPECT_EQ(d.IdenticalToUnit(), expected == 0);
  d.MarkDifferencesFromUnit();
  for (int i = 0; i < RS_LEN_EXE; ++i) EXPECT_EQ(d.ChangeMarks()[i], raw[i] != normalised[i]) << i;
}

TEST(SettingsDoc, OnlyAWholeFileBecomesTheFileImage) {
  CSettingsDoc d;
  Image fromFile{};
  fromFile[20] = 7;
  d.LoadFile(fromFile, false);  // damaged: stands in the editor, not as saved
  EXPECT_EQ(d.Edited()[20], 7);
  EXPECT_FALSE(d.Saved());
  d.LoadFile(fromFile, true);
  EXPECT_TRUE(d.Saved());
  d.Working()[21] = 1;
  d.CommitEdit(d.File());
  EXPECT_FALSE(d.Saved());
  Image written = d.Edited();
  d.MarkSaved(written);
  EXPECT_TRUE(d.Saved());
}

// Whatever sequence of changes: the saved and identical states follow the
// images, every change is told once, and slot 4's last text matches the state.
TEST(SettingsDoc, DerivedStateFollowsEveryTransaction) {
  FakeStatus st;
  CSettingsDoc d(&st);
  std::mt19937 rng(7);
  auto someImage = [&] {
    Image img = d.Edited();
    img[rng() % RS_LEN_EXE] = uint8_t(rng() % 3);
    return img;
  };
  const std::vector<std::function<void()>> steps = {
      [&] { d.SetUnit(someImage(), rng() % 2 == 0); },
      [&] { d.SetUnit(d.Edited(), true); },
      [&] { d.ForgetUnit(); },
      [&] { d.ConfirmUnit(); },
      [&] { d.LoadFile(someImage(), rng() % 2 == 0); },
      [&] { d.MarkSaved(someImage()); },
      [&] { d.Replace(someImage()); },
      [&] { d.ApplySnapshot(someImage()); },
      [&] {
        Image raw = someImage();
        d.ReplaceFromUnit(raw.data());
      },
      [&] {
        const Image before = d.Edited();
        d.Working()[rng() % RS_LEN_EXE] ^= 1;
        d.CommitEdit(before);
      },
  };
  for (int round = 0; round < 2000; ++round) {
    const size_t which = rng() % steps.size();
    const int titles = st.titles;
    steps[which]();
    EXPECT_EQ(st.titles, titles + 1) << "step " << which;
    EXPECT_EQ(d.Saved(), CountDifferences(d.Edited(), d.File()) == 0);
    EXPECT_EQ(d.IdenticalToUnit(), d.UnitValid() && CountDifferences(d.Edited(), d.Unit()) == 0);
    const std::string& shown = st.calls.back().text;
    if (!d.UnitValid())
      EXPECT_TRUE(shown.empty());
    else
      EXPECT_TRUE(StartsWith(shown, d.IdenticalToUnit() ? "###Unit and PC settings are identical"
                                                        : "###Unit and PC settings are different"))
          << "step " << which;
  }
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
