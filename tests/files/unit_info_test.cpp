#include "core/files/unit_info.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>

#include "tests/files/utc_zone.h"

namespace ign {
namespace {

using Header = std::array<uint8_t, kUnitHeaderLen>;

Header SampleHeader() {
  Header h{};
  h[0] = 'K', h[1] = 'D', h[2] = 'X', h[3] = 7;
  h[4] = 5, h[5] = 25, h[6] = 23;  // 5 January 2023
  h[7] = 9, h[8] = 4;
  return h;
}

class UnitInfoTest : public ::testing::Test {
 private:
  test::UtcZone utc_;
};

TEST_F(UnitInfoTest, NameDateAndTime) {
  Header h = SampleHeader();
  UnitInfo u = DecodeUnitInfo(h);
  EXPECT_EQ(u.name, "KDX07");
  EXPECT_EQ(u.productionDate, " 5. 1.2023");  // blank tens digit of the day
  EXPECT_EQ(u.productionTime, "09:04");

  h[4] = 17;
  h[16] = 'Z', h[17] = 'X', h[18] = '-', h[19] = '6';
  u = DecodeUnitInfo(h);
  EXPECT_EQ(u.name, "ZX-6");
  EXPECT_EQ(u.productionDate.substr(0, 2), "17");
}

TEST_F(UnitInfoTest, MonthCodes) {
  const std::pair<int, const char*> cases[] = {{12, "12"}, {13, " 2"}, {25, " 1"}, {29, " 8"}, {32, " 3"},
                                               {35, " 4"}, {38, "10"}, {39, " 5"}, {40, " 9"}, {43, " 7"},
                                               {45, " 6"}, {51, "11"}, {1, "00"},  {0, "00"},  {255, "00"}};
  for (auto [code, month] : cases) {
    Header h = SampleHeader();
    h[4] = 28;
    h[5] = uint8_t(code);
    h[6] = 9;
    EXPECT_EQ(DecodeUnitInfo(h).productionDate, std::string("28.") + month + ".2009") << "code " << code;
  }
}

TEST_F(UnitInfoTest, CodeTextRules) {
  struct Case {
    uint8_t h31, h32, h33, h34;
    const char* code;
  } cases[] = {
      {0, 1, 2, 3, ""},                  // no code
      {255, 1, 2, 3, ""},                // no code
      {'A', 1, 2, 255, ""},              // code present but blank
      {'A', 3, 2, 24, "240203A_KDX07"},  // bit 7 clear
      {'A' | 0x80, 3, 2, 24, "240203A+KDX07"},
  };
  for (const Case& c : cases) {
    Header h = SampleHeader();
    h[31] = c.h31, h[32] = c.h32, h[33] = c.h33, h[34] = c.h34;
    EXPECT_EQ(DecodeUnitInfo(h).code, c.code) << int(c.h31) << " " << int(c.h34);
  }
}

TEST_F(UnitInfoTest, SerialTextRules) {
  Header h = SampleHeader();
  EXPECT_EQ(DecodeUnitInfo(h).serial, "");
  h[39] = 255;
  EXPECT_EQ(DecodeUnitInfo(h).serial, "");
  h[39] = 0xAB;
  h[46] = 255;
  EXPECT_EQ(DecodeUnitInfo(h).serial, "none SN");
  for (int i = 40; i <= 46; ++i) h[i] = uint8_t(i - 39);  // 1..7
  h[40] = 123;
  EXPECT_EQ(DecodeUnitInfo(h).serial, "070605-040302-123ab");
}

TEST_F(UnitInfoTest, LastUpdateText) {
  Header h = SampleHeader();
  auto put = [&](uint32_t t) {
    for (int i = 0; i < 4; ++i) h[size_t(35 + i)] = uint8_t(t >> (8 * i));
  };
  put(1700000001);  // 2023-11-14 22:13:21 UTC
  EXPECT_EQ(DecodeUnitInfo(h).lastUpdate, "14.11.2023-22:13:21");
  EXPECT_EQ(LastUpdateCaption(DecodeUnitInfo(h)), "(last update: 14.11.2023-22:13:21)");
  put(0xFFFFFFFF);  // -1: no update recorded
  EXPECT_EQ(DecodeUnitInfo(h).lastUpdate, "");
  EXPECT_EQ(LastUpdateCaption(DecodeUnitInfo(h)), "");
  put(0x80000001);  // before 1970: not convertible
  EXPECT_EQ(DecodeUnitInfo(h).lastUpdate, "error");
  EXPECT_EQ(LastUpdateCaption(DecodeUnitInfo(h)), "error");
  put(0x12345600);  // low byte 0: no time at all
  EXPECT_EQ(DecodeUnitInfo(h).lastUpdate, "");
}

TEST_F(UnitInfoTest, OwnerTextMarksGapsBeforeCharacters) {
  Header h = SampleHeader();
  EXPECT_EQ(DecodeUnitInfo(h).owner, "");
  const char* a = "Jan";
  for (int i = 0; i < 3; ++i) h[size_t(50 + i)] = uint8_t(a[i]);  // after a gap of three zeros
  h[53] = 255, h[54] = 0, h[55] = 255;                            // one mixed run counts once
  h[56] = 'N', h[57] = 0x9A;                                      // 0x9A is s with caron in Windows-1250
  h[146] = 0;                                                     // a trailing gap shows nothing
  EXPECT_EQ(DecodeUnitInfo(h).owner, "~Jan~N\xC5\xA1");
  h[47] = 'X';
  EXPECT_EQ(DecodeUnitInfo(h).owner.substr(0, 3), "X~J");
}

TEST_F(UnitInfoTest, PanelTextByVersionState) {
  Header h = SampleHeader();
  CUnitInfo info;
  info.Decode(h);
  EXPECT_EQ(info.PanelText(), "not connected");
  info.SetVersion(VersionState::Mismatch, "mismatch text");
  EXPECT_EQ(info.PanelText(), "mismatch text");
  info.SetVersion(VersionState::Match, "RSKEY=108.00");
  EXPECT_EQ(info.PanelText(), "KDX07   RSKEY=108.00    5. 1.2023   09:04");

  h[31] = 'B', h[32] = 1, h[33] = 2, h[34] = 3;
  h[39] = 1, h[46] = 255;
  h[47] = 'O';
  info.Decode(h);
  EXPECT_EQ(info.PanelText(), "030201B_KDX07   RSKEY=108.00   (none SN)      O");
  EXPECT_EQ(info.VersionsText(), info.PanelText());

  info.Reset();  // texts stay, only the state goes
  EXPECT_EQ(info.PanelText(), "not connected");
  EXPECT_EQ(info.Texts().owner, "O");
}

}  // namespace
}  // namespace ign
