// The unit header as the program decodes it.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "sim/unit_header.h"

namespace ign::test {
namespace {

// The program's month table of the production date.
std::string MonthText(std::uint8_t code) {
  static const std::map<int, std::string> kMonths = {{12, "12"}, {13, " 2"}, {25, " 1"}, {29, " 8"},
                                                     {32, " 3"}, {35, " 4"}, {38, "10"}, {39, " 5"},
                                                     {40, " 9"}, {43, " 7"}, {45, " 6"}, {51, "11"}};
  const auto it = kMonths.find(code);
  return it == kMonths.end() ? "00" : it->second;
}

TEST(SimHeader, EveryMonthHasItsCode) {
  for (int m = 1; m <= 12; ++m) {
    char want[3];
    std::snprintf(want, sizeof want, "%2d", m);
    EXPECT_EQ(MonthText(sim::MonthCode(m)), want) << m;
  }
}

TEST(SimHeader, FieldsSitWhereTheProgramReadsThem) {
  sim::HeaderInfo info;
  info.key = 109;
  info.subversion = 2;
  info.name = "A-VERY-LONG-UNIT-NAME";
  info.owner = "Workshop 12";
  const sim::Header h = sim::BuildHeader(info);
  EXPECT_EQ(h[10], 109);
  EXPECT_EQ(h[11], 2);
  EXPECT_EQ(std::string(h.begin() + 16, h.begin() + 31), "A-VERY-LONG-UNI") << "15 characters at most";
  EXPECT_NE(h[31], 0);
  EXPECT_NE(h[31], 255);
  EXPECT_NE(h[34], 255) << "a code text is shown";
  EXPECT_NE(h[39], 0);
  EXPECT_NE(h[46], 255) << "a serial text is shown";
  const std::uint32_t update =
      h[35] | (h[36] << 8) | (h[37] << 16) | (static_cast<std::uint32_t>(h[38]) << 24);
  EXPECT_EQ(update, info.lastUpdate);
  // Owner text: bytes 47..146, runs of 0 / 255 before a printed byte become "~".
  std::string owner;
  bool gap = false;
  for (int i = 47; i <= 146; ++i) {
    if (h[i] == 0 || h[i] == 255) {
      gap = true;
      continue;
    }
    if (gap && !owner.empty()) owner += '~';
    gap = false;
    owner += static_cast<char>(h[i]);
  }
  EXPECT_EQ(owner, "Workshop 12");
  EXPECT_EQ(h[147], 0);
}

}  // namespace
}  // namespace ign::test
