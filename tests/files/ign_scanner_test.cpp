#include "core/files/ign_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ign {
namespace {

std::vector<std::string> Tokens(std::string_view text) {
  CIgnScanner in(text);
  std::vector<std::string> out;
  while (auto t = in.NextToken()) out.emplace_back(*t);
  return out;
}

TEST(IgnScanner, TokensAcrossLineEnds) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Tokens("A B\r\nC\rD\nE\tF "), (V{"A", "B", "C", "D", "E", "F"}));
  EXPECT_EQ(Tokens("A B"), (V{"A"}));  // a run into the end of the text is no token
  EXPECT_EQ(Tokens("  \r\n\t "), V{});
}

TEST(IgnScanner, NumbersAsPercentI) {
  struct Case {
    const char* text;
    std::vector<int> numbers;
  } cases[] = {
      {"  12 -7 0", {12, -7, 0}},
      {"010 0777 08", {8, 511, 0, 8}},  // octal after a leading 0; 8 is no octal digit
      {"0x1F 0XfF 0x", {31, 255, 0}},   // hexadecimal; "0x" alone is 0
      {"abc12def-3", {12, -3}},         // everything else is skipped
      {"- 5 --6", {5, -6}},             // a minus sign needs a digit behind it
      {"99999999999999 -99999999999", {1000000000, -1000000000}},
  };
  for (const Case& c : cases) {
    CIgnScanner in(c.text);
    std::vector<int> got;
    while (auto n = in.NextNumber()) got.push_back(*n);
    EXPECT_EQ(got, c.numbers) << c.text;
  }
}

TEST(IgnScanner, TokensAndNumbersShareTheCursor) {
  CIgnScanner in("KEY 1 2\nNEXT 3\n");
  EXPECT_EQ(in.NextToken(), "KEY");
  EXPECT_EQ(in.NextNumber(), 1);
  EXPECT_EQ(in.NextToken(), "2");  // numbers nobody asked for are tokens that match no keyword
  EXPECT_EQ(in.NextToken(), "NEXT");
  EXPECT_EQ(in.NextNumber(), 3);
  EXPECT_EQ(in.NextNumber(), std::nullopt);
  EXPECT_EQ(in.NextToken(), std::nullopt);
}

TEST(IgnScanner, SkipPastLineStarting) {
  CIgnScanner in("VERSIONS\nHEX RPM 1\nEXE RPM 2\nRPM 3\n");
  EXPECT_EQ(in.NextToken(), "VERSIONS");
  EXPECT_TRUE(in.SkipPastLineStarting("EXE"));
  EXPECT_EQ(in.NextToken(), "RPM");
  EXPECT_EQ(in.NextNumber(), 3);
  EXPECT_FALSE(in.SkipPastLineStarting("EXE"));
}

TEST(IgnScanner, ManySkipsWithoutTheLineStayLinear) {
  std::string text;
  for (int i = 0; i < 300000; ++i) text += "VERSIONS\n";
  text += "LIMITER 5\n";
  CIgnScanner in(text);
  int skips = 0;
  while (auto t = in.NextToken()) {
    if (*t != "VERSIONS") break;
    EXPECT_FALSE(in.SkipPastLineStarting("EXE"));
    ++skips;
  }
  EXPECT_EQ(skips, 300000);
  EXPECT_EQ(in.NextNumber(), 5);
}

}  // namespace
}  // namespace ign
