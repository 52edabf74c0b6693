#include "core/status/status_slots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/base/tick_clock.h"
#include "core/text/language.h"

namespace ign {
namespace {

struct FakeLabel : IStatusLabel {
  bool visible = true;  // a label is visible until the slots hide it
  std::string caption;
  uint32_t font = 0xDEAD;
  uint32_t back = 0xBEEF;
  void SetVisible(bool v) override { visible = v; }
  void SetCaption(const std::string& utf8) override { caption = utf8; }
  void SetColours(uint32_t f, uint32_t b) override {
    if (f != Colour::None) font = f;
    if (b != Colour::None) back = b;
  }
};

constexpr const char* kNoConnection = "###No connection##Keine Verbindung##Nepřipojeno";
constexpr const char* kConnected = "###Connected##Verbunden##Připojeno";
constexpr const char* kUnmatched = "###Unmatched unit##Fremdes Gerät##Neshodná jednotka";
constexpr const char* kReading = "###Reading##Lesen##Čtení";
constexpr const char* kVerifyOk = "###Verify: OK##Vergleichen: OK##Verifikace: OK";

class StatusSlotsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(LNG_ENGLISH);
    SetTick(100);
    slots.BindLabel(Slot::Connection, &connection);
    slots.BindLabel(Slot::Result, &result);
    slots.BindLabel(Slot::Congruence, &congruence);
    slots.SetGaugeHider([this] { ++gaugeHidden; });
    slots.Start();
  }
  void TearDown() override {
    SetLanguage(LNG_ENGLISH);
    SetTick(0);
  }
  void SetTick(int32_t t) { clock.Set(t); }
  void Show(int slot, const char* text, int ms, int priority) {
    slots.ShowStatus(slot, text, ms, Colour::Black, Colour::ButtonFace, priority);
  }

  CTickClock clock;
  CStatusSlots slots{clock};
  FakeLabel connection, result, congruence;
  int gaugeHidden = 0;
};

TEST_F(StatusSlotsTest, StartHidesEveryLabel) {
  EXPECT_FALSE(connection.visible);
  EXPECT_FALSE(result.visible);
  EXPECT_FALSE(congruence.visible);
  for (int slot = 0; slot < CStatusSlots::kSlotCount; ++slot) {
    EXPECT_FALSE(slots.IsShown(slot));
    EXPECT_EQ(slots.Expiry(slot), CStatusSlots::kNever);
  }
}

TEST_F(StatusSlotsTest, ShowsCaptionColoursAndKeepsACopy) {
  std::string text = kConnected;
  slots.ShowStatus(Slot::Connection, text.c_str(), -1, Colour::White, Colour::Green, 100);
  text.assign("###overwritten##x##y");
  EXPECT_TRUE(connection.visible);
  EXPECT_EQ(connection.caption, "Connected");
  EXPECT_EQ(connection.font, Colour::White);
  EXPECT_EQ(connection.back, Colour::Green);
  EXPECT_STREQ(slots.Text(Slot::Connection), kConnected);
  EXPECT_EQ(slots.Expiry(Slot::Connection), CStatusSlots::kNever);
}

TEST_F(StatusSlotsTest, NoColourLeavesThatColour) {
  slots.ShowStatus(Slot::Result, kReading, -1, Colour::Black, Colour::Yellow, 10);
  slots.ShowStatus(Slot::Result, kVerifyOk, -1, Colour::None, Colour::Green, 10);
  EXPECT_EQ(result.font, Colour::Black);
  EXPECT_EQ(result.back, Colour::Green);
  slots.ShowStatus(Slot::Result, kReading, -1, Colour::Red, Colour::None, 10);
  EXPECT_EQ(result.font, Colour::Red);
  EXPECT_EQ(result.back, Colour::Green);
}

TEST_F(StatusSlotsTest, HigherPriorityRefusesLowerAndNegativeAlwaysPasses) {
  Show(Slot::Connection, kConnected, -1, StatusPriority::Connected);
  // The clearing after every monitor record is refused while connected.
  Show(Slot::Connection, nullptr, 0, StatusPriority::Operation);
  EXPECT_TRUE(connection.visible);
  EXPECT_EQ(connection.caption, "Connected");
  Show(Slot::Connection, kUnmatched, 6000, StatusPriority::Operation);
  EXPECT_EQ(connection.caption, "Connected");
  EXPECT_EQ(slots.Priority(Slot::Connection), StatusPriority::Connected);

  Show(Slot::Connection, kNoConnection, -1, StatusPriority::NoConnection);
  EXPECT_EQ(connection.caption, "No connection");
  EXPECT_EQ(slots.Priority(Slot::Connection), StatusPriority::NoConnection);
  // Equal priority replaces.
  Show(Slot::Connection, kConnected, -1, StatusPriority::Connected);
  Show(Slot::Connection, kNoConnection, -1, StatusPriority::NoConnection);
  Show(Slot::Connection, kReading, -1, 0);
  EXPECT_EQ(connection.caption, "Reading");
}

TEST_F(StatusSlotsTest, HiddenSlotNoLongerBlocks) {
  Show(Slot::Connection, kConnected, -1, StatusPriority::Connected);
  Show(Slot::Connection, nullptr, 0, -1);  // a negative clearing passes
  EXPECT_FALSE(connection.visible);
  Show(Slot::Connection, kUnmatched, 6000, StatusPriority::Operation);
  EXPECT_TRUE(connection.visible);
  EXPECT_EQ(connection.caption, "Unmatched unit");
}

TEST_F(StatusSlotsTest, ExpiresOneTickAfterItsExpiry) {
  SetTick(1000);
  Show(Slot::Result, kVerifyOk, 2000, StatusPriority::Operation);
  EXPECT_EQ(slots.Expiry(Slot::Result), 1040);
  for (int32_t t = 1000; t <= 1040; ++t) {
    SetTick(t);
    slots.ExpireStatus();
    ASSERT_TRUE(result.visible) << "tick " << t;
  }
  SetTick(1041);
  slots.ExpireStatus();
  EXPECT_FALSE(result.visible);
  EXPECT_EQ(slots.Expiry(Slot::Result), 0);
  EXPECT_EQ(gaugeHidden, 1);
  EXPECT_STREQ(slots.Text(Slot::Result), kVerifyOk);  // kept for a language change
}

TEST_F(StatusSlotsTest, DurationRules) {
  struct Row {
    int durationMs;
    int32_t expiryBefore;
    int32_t expected;
  };
  const Row rows[] = {
      {2000, CStatusSlots::kNever, 140},  // tick 100 + 2000 / 50
      {6049, CStatusSlots::kNever, 220},  // integer division
      {-1, 500, CStatusSlots::kNever},
      {0, 500, 500},  // the expiry stays as it was
      {0, CStatusSlots::kNever, CStatusSlots::kNever},
      {30, CStatusSlots::kNever, 100},  // under one tick: gone on the next
  };
  for (const Row& r : rows) {
    CStatusSlots s{clock};
    FakeLabel label;
    s.BindLabel(Slot::Congruence, &label);
    s.Start();
    if (r.expiryBefore != CStatusSlots::kNever) {
      s.ShowStatus(Slot::Congruence, kReading, (r.expiryBefore - 100) * 50, 0, 0, 10);
      ASSERT_EQ(s.Expiry(Slot::Congruence), r.expiryBefore);
    }
    s.ShowStatus(Slot::Congruence, kVerifyOk, r.durationMs, 0, 0, 10);
    EXPECT_EQ(s.Expiry(Slot::Congruence), r.expected) << r.durationMs;
  }
}

TEST_F(StatusSlotsTest, ShortMessageAtTickZeroStillExpires) {
  SetTick(0);
  Show(Slot::Result, kVerifyOk, 20, StatusPriority::Operation);
  EXPECT_GT(slots.Expiry(Slot::Result), 0);
  SetTick(2);
  slots.ExpireStatus();
  EXPECT_FALSE(result.visible);
}

TEST_F(StatusSlotsTest, ExpiredMessageFreesTheSlotForAnyPriority) {
  Show(Slot::Connection, kUnmatched, 6000, StatusPriority::Operation);
  SetTick(100 + 120 + 1);
  slots.ExpireStatus();
  EXPECT_FALSE(connection.visible);
  Show(Slot::Connection, kReading, -1, 0);
  EXPECT_TRUE(connection.visible);
  EXPECT_EQ(connection.caption, "Reading");
}

TEST_F(StatusSlotsTest, SlotsZeroAndThreeAndOutOfRangeAreIgnored) {
  FakeLabel stray;
  slots.BindLabel(0, &stray);
  slots.BindLabel(3, &stray);
  for (int slot : {0, 3, 5, -1, 100}) {
    slots.ShowStatus(slot, kReading, 1000, Colour::Red, Colour::Red, 100);
    EXPECT_FALSE(slots.IsShown(slot));
    EXPECT_EQ(slots.Text(slot), nullptr);
  }
  EXPECT_EQ(stray.caption, "");
  EXPECT_TRUE(stray.visible);  // never touched
  EXPECT_EQ(connection.caption, "");
  EXPECT_EQ(result.caption, "");
  EXPECT_EQ(congruence.caption, "");
}

TEST_F(StatusSlotsTest, UnboundSlotIsIgnored) {
  CStatusSlots bare{clock};
  bare.Start();
  bare.ShowStatus(Slot::Result, kReading, 1000, 0, 0, 10);
  EXPECT_FALSE(bare.IsShown(Slot::Result));
  bare.ExpireStatus();
  bare.Relabel();
}

TEST_F(StatusSlotsTest, ClearingSlotTwoHidesTheGauge) {
  Show(Slot::Result, kReading, -1, StatusPriority::Operation);
  EXPECT_EQ(gaugeHidden, 0);
  Show(Slot::Result, nullptr, 0, StatusPriority::Operation);
  EXPECT_FALSE(result.visible);
  EXPECT_EQ(gaugeHidden, 1);
  EXPECT_EQ(slots.Text(Slot::Result), nullptr);
  // Clearing other slots leaves the gauge alone.
  Show(Slot::Connection, kReading, -1, 10);
  Show(Slot::Connection, nullptr, 0, 10);
  Show(Slot::Congruence, nullptr, 0, 10);
  EXPECT_EQ(gaugeHidden, 1);
}

TEST_F(StatusSlotsTest, LanguageChangeShowsKeptTextsAgain) {
  Show(Slot::Connection, kConnected, -1, StatusPriority::Connected);
  Show(Slot::Result, kVerifyOk, 2000, StatusPriority::Operation);
  Show(Slot::Congruence, kReading, -1, StatusPriority::Operation);
  SetTick(200);
  slots.ExpireStatus();  // slot 2 hidden, its text kept
  ASSERT_FALSE(result.visible);
  const int32_t expiry = slots.Expiry(Slot::Congruence);

  SetLanguage(LNG_CESKY);
  slots.Relabel();
  EXPECT_EQ(connection.caption, "Připojeno");
  EXPECT_EQ(result.caption, "Verifikace: OK");
  EXPECT_EQ(congruence.caption, "Čtení");
  EXPECT_FALSE(result.visible);  // relabelling does not show a hidden slot
  EXPECT_EQ(slots.Priority(Slot::Connection), StatusPriority::Connected);
  EXPECT_EQ(slots.Expiry(Slot::Congruence), expiry);

  SetLanguage(LNG_DEUTSCH);
  slots.Relabel();
  EXPECT_EQ(connection.caption, "Verbunden");
}

TEST_F(StatusSlotsTest, ShowResolvesInTheCurrentLanguage) {
  SetLanguage(LNG_DEUTSCH);
  Show(Slot::Result, kVerifyOk, -1, 10);
  EXPECT_EQ(result.caption, "Vergleichen: OK");
  Show(Slot::Result, "COM3", -1, 10);
  EXPECT_EQ(result.caption, "COM3");
}

TEST_F(StatusSlotsTest, FreeTextsForgetsEverything) {
  Show(Slot::Connection, kConnected, -1, 100);
  slots.FreeTexts();
  EXPECT_EQ(slots.Text(Slot::Connection), nullptr);
  connection.caption.clear();
  slots.Relabel();
  EXPECT_EQ(connection.caption, "");
}

}  // namespace
}  // namespace ign
