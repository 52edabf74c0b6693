#include "core/text/codepage.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/message_table.h"

namespace ign {
namespace {

// Every Czech and German letter, with its Windows-1250 byte.
struct Letter {
  const char* utf8;
  unsigned char cp1250;
};
const Letter kLetters[] = {
    {"á", 0xE1}, {"č", 0xE8}, {"ď", 0xEF}, {"é", 0xE9}, {"ě", 0xEC}, {"í", 0xED}, {"ň", 0xF2}, {"ó", 0xF3},
    {"ř", 0xF8}, {"š", 0x9A}, {"ť", 0x9D}, {"ú", 0xFA}, {"ů", 0xF9}, {"ý", 0xFD}, {"ž", 0x9E}, {"Á", 0xC1},
    {"Č", 0xC8}, {"Ď", 0xCF}, {"É", 0xC9}, {"Ě", 0xCC}, {"Í", 0xCD}, {"Ň", 0xD2}, {"Ó", 0xD3}, {"Ř", 0xD8},
    {"Š", 0x8A}, {"Ť", 0x8D}, {"Ú", 0xDA}, {"Ů", 0xD9}, {"Ý", 0xDD}, {"Ž", 0x8E}, {"ä", 0xE4}, {"ö", 0xF6},
    {"ü", 0xFC}, {"ß", 0xDF}, {"Ä", 0xC4}, {"Ö", 0xD6}, {"Ü", 0xDC}, {"°", 0xB0},
};

TEST(Codepage, EveryLetterMapsToItsByteAndBack) {
  for (const Letter& l : kLetters) {
    const std::string byte(1, static_cast<char>(l.cp1250));
    EXPECT_EQ(Utf8ToCp1250(l.utf8), byte) << l.utf8;
    EXPECT_EQ(Cp1250ToUtf8(byte), l.utf8) << l.utf8;
  }
}

TEST(Codepage, TableTextsRoundTrip) {
  for (const MessageTriple& t : MessageTriples()) {
    for (const char* s : {t.english, t.german, t.czech}) {
      if (!s) continue;
      const std::string cp = Utf8ToCp1250(s);
      EXPECT_EQ(cp.find('?') == std::string::npos, std::string(s).find('?') == std::string::npos) << s;
      EXPECT_EQ(Cp1250ToUtf8(cp), s);
    }
  }
  const std::string bootloader =
      "###(Disconnected by bootloader)##(Von Bootloader getrennt)##(Dočasně odpojeno bootloaderem)";
  EXPECT_EQ(Cp1250ToUtf8(Utf8ToCp1250(bootloader)), bootloader);
}

TEST(Codepage, EveryDefinedByteRoundTrips) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) continue;  // undefined
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = Cp1250ToUtf8(byte);
    if (b != '?') {
      EXPECT_NE(utf8, "?") << b;
    }
    EXPECT_EQ(Utf8ToCp1250(utf8), byte) << b;
  }
}

TEST(Codepage, UnmappableAndMalformedBecomeQuestionMarks) {
  struct Row {
    std::string utf8;
    std::string cp1250;
  };
  const Row rows[] = {
      {"a日本b", "a??b"},  // each character one '?', not one per byte
      {"Ω=1", "?=1"},
      {"x\xFFy", "x?y"},            // a byte no UTF-8 text holds
      {"x\xC3", "x?"},              // cut short at the end
      {"\xC3(", "?("},              // a start byte without its continuation
      {"\xF0\x9F\x98\x80!", "?!"},  // a four-byte character
      {"", ""},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Row& r : rows) EXPECT_EQ(Utf8ToCp1250(r.utf8), r.cp1250) << r.utf8;
  EXPECT_EQ(Cp1250ToUtf8("a\x81"
                         "b\x98"),
            "a?b?");
}

TEST(Codepage, LongTextsConvertWhole) {
  std::string utf8;
  for (int i = 0; i < 2000; ++i) utf8 += "Převodový stupeň ";
  const std::string cp = Utf8ToCp1250(utf8);
  EXPECT_EQ(cp.size(), 2000u * 17u);
  EXPECT_EQ(Cp1250ToUtf8(cp), utf8);
}

}  // namespace
}  // namespace ign
