// Differences in the tuner's words: captions, shown values, units and the
// points of a map cell, as the window's difference view and ignctl diff show them.
#include <gtest/gtest.h>

#include <functional>

#include "core/compare/difference_words.h"
#include "core/compare/param_words.h"
#include "core/params/address_map.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/text/language.h"

namespace ign {
namespace {

class DifferenceWords : public ::testing::Test {
 protected:
  DifferenceWords() {
    SetLanguage(LNG_ENGLISH);
    base = StartupImage();
    NormaliseImage(base);
    base[Adrb::TPSIAP_SENSOR] = 2;  // pressure: the load points are the map's kPa words
    base[Adrb::ADV_COLUMNS] = 15;
  }
  ~DifferenceWords() override { SetLanguage(LNG_ENGLISH); }

  // The lines of base against base changed by edit.
  std::vector<DifferenceLine> Lines(const std::function<void(Image&)>& edit) {
    Image b = base;
    edit(b);
    return DescribeDifferences(base, b);
  }

  Image base{};
};

struct OneChange {
  const char* what;
  std::function<void(Image&)> setup;   // both sides
  std::function<void(Image&)> change;  // the second side
  const char* expected;
};

TEST_F(DifferenceWords, OneChangeReadsAsThePageShowsIt) {
  const OneChange cases[] = {
      {"limiter", [](Image& i) { i[Adrb::LIMITER] = 110; }, [](Image& i) { i[Adrb::LIMITER] = 115; },
       "Limiter [rpm]: 11,000 → 11,500"},
      {"advance cell on pressure",
       [](Image& i) {
         SetWord(i, Adrw::ADV_IAP + 3, 85);
         i[Adrb::RPM_ADV + 7] = 60;
         i[Adrb::ADVANCE + 15 * 3 + 7] = 123;
       },
       [](Image& i) { i[Adrb::ADVANCE + 15 * 3 + 7] = 125; }, "Advance 1 at 85 kPa / 6,000 rpm: 23° → 25°"},
      {"advance 2 cell on throttle",
       [](Image& i) {
         i[Adrb::TPSIAP_SENSOR] = 1;
         i[Adrb::ADV2_COLUMNS] = 15;
         i[Adrb::RPM_ADV2 + 2] = 25;
         i[Adrb::ADVANCE2 + 15 * 6 + 2] = 100;
       },
       [](Image& i) { i[Adrb::ADVANCE2 + 15 * 6 + 2] = 95; }, "Advance 2 at 40 % / 2,500 rpm: 0° → -5°"},
      {"load sensor choice", [](Image& i) { i[Adrb::TPSIAP_SENSOR] = 2; },
       [](Image& i) { i[Adrb::TPSIAP_SENSOR] = 0; }, "Load sensor: IAP → No"},
      {"check box", [](Image& i) { i[Adrb::PICKUPS_INTERCHANGE] = 0; },
       [](Image& i) { i[Adrb::PICKUPS_INTERCHANGE] = 1; }, "Pickups interchange (pin 9 and 20): off → on"},
      {"signed byte with words", [](Image& i) { i[Adrb::RPM_PULSES] = 2; },
       [](Image& i) { i[Adrb::RPM_PULSES] = 255; }, "Pulses per revolution: 2 → pick-up 1"},
      {"offset and element", [](Image& i) { i[Adrb::CORR_ADVANCE + 2] = 100; },
       [](Image& i) { i[Adrb::CORR_ADVANCE + 2] = 97; }, "Advance correction, cylinder 3 [°]: 0 → -3"},
      {"power output element", [](Image& i) { i[Adrb::POWER_OUT_RPM + 4] = 50; },
       [](Image& i) { i[Adrb::POWER_OUT_RPM + 4] = 52; }, "Power out 2, rpm point 2 [rpm]: 5,000 → 5,200"},
      {"servo cell in volts",
       [](Image& i) {
         i[Adrb::SERVO_PERCENT] = 0;
         i[Adrb::SERVO_COLUMNS] = 15;
         i[Adrb::SERVO_RPM] = 10;
         SetWord(i, Adrw::SERVO_IAP, 30);
         i[Adrb::SERVO] = 60;
       },
       [](Image& i) { i[Adrb::SERVO] = 65; }, "Servo at 30 kPa / 1,000 rpm: 1.2 V → 1.3 V"},
      {"bike from its list", [](Image& i) { i[Adrb::BIKE] = 19; }, [](Image& i) { i[Adrb::BIKE] = 20; },
       "Motorbike type: Yamaha R1 → Yamaha R6"},
      {"unnamed byte", [](Image& i) { i[420] = 0; }, [](Image& i) { i[420] = 5; }, "Byte 420: 0 → 5"},
  };
  for (const OneChange& c : cases) {
    c.setup(base);
    const std::vector<DifferenceLine> lines = Lines(c.change);
    ASSERT_EQ(lines.size(), 1u) << c.what;
    EXPECT_EQ(DifferenceText(lines[0]), c.expected) << c.what;
  }
}

TEST_F(DifferenceWords, NumbersFollowTheLanguage) {
  base[Adrb::LIMITER] = 110;
  const struct {
    int language;
    const char* expected;
  } cases[] = {
      {LNG_ENGLISH, "11,000 → 11,500"}, {LNG_DEUTSCH, "11.000 → 11.500"}, {LNG_CESKY, "11 000 → 11 500"}};
  for (const auto& c : cases) {
    SetLanguage(c.language);
    const auto lines = Lines([](Image& i) { i[Adrb::LIMITER] = 115; });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].before + " → " + lines[0].after, c.expected);
  }
  SetLanguage(LNG_DEUTSCH);
  EXPECT_EQ(Lines([](Image& i) { i[Adrb::LIMITER] = 115; })[0].caption, "Begrenzer [rpm]");
}

// Every named parameter has words, and each differing element of it gives
// one line that names it and lies on its page.
TEST_F(DifferenceWords, EveryElementOfEveryParameterGivesOneLine) {
  ASSERT_TRUE(RulesFollowAddressMap());
  for (const ParamInfo& p : ParamTable())
    for (int i = 0; i < p.count; ++i) {
      const int at = FirstByte(p, i);
      const auto lines = Lines([&](Image& img) { img[size_t(at)] ^= 0x01; });
      ASSERT_EQ(lines.size(), 1u) << p.name << "[" << i << "]";
      EXPECT_EQ(lines[0].name, p.name);
      EXPECT_EQ(lines[0].element, p.firstElement + i);
      EXPECT_NE(lines[0].caption, p.name) << "no caption for " << p.name;
      EXPECT_NE(lines[0].before, lines[0].after) << p.name;
      if (p.group >= 0) {
        EXPECT_NE(lines[0].page, DiffPage::Other) << p.name;
      }
    }
}

TEST_F(DifferenceWords, CellsPastTheUsedColumnsOfBothAreLeftOut) {
  base[Adrb::ADV_COLUMNS] = 10;
  EXPECT_TRUE(Lines([](Image& i) { i[Adrb::ADVANCE + 12] += 1; }).empty());
  EXPECT_TRUE(Lines([](Image& i) { i[Adrb::RPM_ADV + 12] += 1; }).empty());
  // A side that uses the column shows it.
  const auto lines = Lines([](Image& i) {
    i[Adrb::ADV_COLUMNS] = 15;
    i[Adrb::ADVANCE + 12] += 1;
  });
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].place.map, MapKind::Advance1);
  EXPECT_EQ(lines[1].place.column, 12);
  EXPECT_EQ(lines[1].place.row, 0);
}

TEST_F(DifferenceWords, MapPlacesNameTheEditorsCells) {
  const struct {
    int byte;
    MapKind map;
    int column, row;
  } cases[] = {
      {Adrb::ADVANCE2 + 15 * 9 + 14, MapKind::Advance2, 14, 9},
      {Adrb::RPM_ADV + 4, MapKind::Advance1, 4, -1},
      {2 * (Adrw::SERVO_IAP + 6), MapKind::Servo, -1, 6},
      {Adrb::POWER_OUT_PWM + 24 + 6 * 2 + 5, MapKind::PwmOut2, 5, 2},
      {2 * (Adrw::POWER_OUT_PWM_TP + 5), MapKind::PwmOut2, -1, 1},
      {Adrb::POWER_OUT_RPM + 2, MapKind::SwitchOut1, 2, -1},
      {Adrb::LIMITER, MapKind::None, -1, -1},
  };
  for (const auto& c : cases) {
    const auto lines = Lines([&](Image& i) { i[size_t(c.byte)] ^= 0x02; });
    ASSERT_EQ(lines.size(), 1u) << c.byte;
    EXPECT_EQ(lines[0].place.map, c.map) << c.byte;
    EXPECT_EQ(lines[0].place.column, c.column) << c.byte;
    EXPECT_EQ(lines[0].place.row, c.row) << c.byte;
  }
}

TEST_F(DifferenceWords, ReportGroupsByPageInThePagesOrder) {
  base[Adrb::LIMITER] = 110;
  const auto lines = Lines([](Image& i) {
    i[Adrb::BASE_ADV] += 1;
    i[Adrb::LIMITER] = 111;
    i[Adrb::CHANNEL_COUNT] = i[Adrb::CHANNEL_COUNT] == 1 ? 2 : 1;
  });
  const std::string report = DifferenceReport(lines);
  const size_t misc = report.find("Miscellaneous\n  Limiter");
  const size_t bike = report.find("Bike\n  Number of outputs");
  const size_t advance = report.find("Advance Map\n  Base advance");
  ASSERT_NE(misc, std::string::npos) << report;
  ASSERT_NE(bike, std::string::npos) << report;
  ASSERT_NE(advance, std::string::npos) << report;
  EXPECT_LT(misc, bike);
  EXPECT_LT(bike, advance);
  EXPECT_TRUE(report.ends_with("3 differences\n")) << report;
  EXPECT_EQ(DifferenceReport({}), "0 differences\n");
}

}  // namespace
}  // namespace ign
