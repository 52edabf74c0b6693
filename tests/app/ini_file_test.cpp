#include "core/app/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace ign {
namespace {

TEST(IniFile, ReadsLenientlyAndMatchesNamesWithoutCase) {
  CIniFile ini;
  ini.Parse("junk line\n[form_hlav]\r\n  Left = 17 \r\n=novalue\r\nTop=abc\r\n[broken\r\nWidth=-30px\r\n");
  EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "LEFT", 0), 17);
  EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "Top", 99), 99);    // not a number: the default
  EXPECT_EQ(ini.ReadInteger("FORM_HLAV", "Width", 0), -30);  // leading number only
  EXPECT_FALSE(ini.HasKey("FORM_HLAV", "Height"));
}

TEST(IniFile, HugeNumbersSaturateInsteadOfOverflowing) {
  CIniFile ini;
  ini.Parse("[S]\nA=99999999999999999999\nB=-99999999999999999999\n");
  EXPECT_EQ(ini.ReadInteger("S", "A", 0), INT_MAX);
  EXPECT_EQ(ini.ReadInteger("S", "B", 0), INT_MIN);
}

TEST(IniFile, WritesCrLfAndKeepsOrder) {
  CIniFile ini;
  ini.WriteInteger("A", "x", 1);
  ini.WriteString("A", "y", "two\nlines");
  ini.WriteInteger("A", "X", 3);  // same key, other case: replaced in place
  EXPECT_EQ(ini.Serialise(), "[A]\r\nx=3\r\ny=two lines\r\n");
}

TEST(IniFile, RandomBytesNeverCrash) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    std::string text(size_t(rng() % 300), '\0');
    for (char& c : text) c = "[]=\r\nab1-\\\0x"[rng() % 13];
    CIniFile ini;
    ini.Parse(text);
    CIniFile again;
    again.Parse(ini.Serialise());
    EXPECT_EQ(again.Serialise(), ini.Serialise());
  }
}

}  // namespace
}  // namespace ign
