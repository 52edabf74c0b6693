#include "core/text/lngstr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/text/message_box_spy.h"

namespace ign {
namespace {

class LngStrTest : public ::testing::Test {
 protected:
  void SetUp() override { SetLanguage(LNG_ENGLISH); }
  void TearDown() override { SetLanguage(LNG_ENGLISH); }
  test::MessageBoxSpy box;
};

struct Case {
  const char* name;
  const char* packed;
  const char* english;
  const char* german;
  const char* czech;
};

// Every packed string lives in static storage, as the program's literals do.
const Case kCases[] = {
    {"three fields", "###Verify: OK##Vergleichen: OK##Verifikace: OK", "Verify: OK", "Vergleichen: OK",
     "Verifikace: OK"},
    {"empty German", "###Power out 1 (pin 3)####Výkonový výstup 1 (pin 3)", "Power out 1 (pin 3)",
     "Power out 1 (pin 3)", "Výkonový výstup 1 (pin 3)"},
    {"empty German and Czech", "###(PWM duty)####", "(PWM duty)", "(PWM duty)", "(PWM duty)"},
    {"two fields", "###Yes##Ja", "Yes", "Ja", "Yes"},
    {"two fields, trailing separator", "###Yes##", "Yes", "Yes", "Yes"},
    {"one field", "###Only English", "Only English", "Only English", "Only English"},
    {"nothing but the marker", "###", "", "", ""},
    {"four fields", "###one##zwei##tri##four", "one", "zwei", "tri"},
    {"German ..", "###Servo##..##Servo CZ", "Servo", "Servo", "Servo CZ"},
    {"German .. with blanks", "###Servo##..  ##Servo CZ", "Servo", "Servo", "Servo CZ"},
    {"Czech .. at the end", "###Servo##Servo DE##..", "Servo", "Servo DE", "Servo"},
    {"three # start a field with #", "###a###b##c", "a", "#b", "c"},
    {"single # and line breaks", "###No\nTP\nIAP##Nein #1##Ne\nTP", "No\nTP\nIAP", "Nein #1", "Ne\nTP"},
    {"trailing white space cut before ##", "###Base \t\r\n##Basis  ##Základní  ", "Base", "Basis",
     "Základní  "},
    {"white space only keeps its first byte", "###A##  \t##C", "A", " ", "C"},
    {"leading blanks stay", "###  A##  B##  C", "  A", "  B", "  C"},
    {"text after the third separator", "###a##b##c ##d##e", "a", "b", "c"},
};

class LngStrCases : public LngStrTest, public ::testing::WithParamInterface<Case> {};

TEST_P(LngStrCases, ResolvesEveryLanguage) {
  const Case& c = GetParam();
  EXPECT_STREQ(LngStr(c.packed, LNG_ENGLISH), c.english);
  EXPECT_STREQ(LngStr(c.packed, LNG_DEUTSCH), c.german);
  EXPECT_STREQ(LngStr(c.packed, LNG_CESKY), c.czech);
  // And through the current language, after the string is already parsed.
  const char* expected[] = {c.english, c.german, c.czech};
  for (int language : {LNG_CESKY, LNG_ENGLISH, LNG_DEUTSCH}) {
    SetLanguage(language);
    EXPECT_STREQ(LngStr(c.packed), expected[language]);
    EXPECT_STREQ(LngStr(c.packed, LNG_CURRENT), expected[language]);
  }
  EXPECT_TRUE(box.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, LngStrCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p) {
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           }
                           return name;
                         });

TEST_F(LngStrTest, NullAndPlainTextsPassThrough) {
  EXPECT_EQ(LngStr(nullptr), nullptr);
  EXPECT_EQ(LngStr(nullptr, LNG_CESKY), nullptr);
  static const char kPlain[] = "Yamaha R1";
  for (int language : {-1, 0, 1, 2, 7}) EXPECT_EQ(LngStr(kPlain, language), kPlain);
  static const char kEmpty[] = "";
  EXPECT_EQ(LngStr(kEmpty), kEmpty);
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(LngStrTest, OutOfRangeLanguagesResolveAsEnglish) {
  static const char kText[] = "###Limiter##Begrenzer##Omezovač";
  SetLanguage(LNG_CESKY);
  for (int language : {7, -5, 3, -2, 1000}) {
    EXPECT_STREQ(LngStr(kText, language), "Limiter") << language;
  }
  EXPECT_STREQ(LngStr(kText, -1), "Omezovač");
}

TEST_F(LngStrTest, ParsesOnceAndSwitchesLanguageWithoutParsing) {
  static const char kText[] = "###Open##Offen##Otevřený";
  const char* first = LngStr(kText, LNG_DEUTSCH);
  const std::size_t parses = detail::PackedParseCount();
  EXPECT_EQ(LngStr(kText, LNG_DEUTSCH), first);
  SetLanguage(LNG_CESKY);
  EXPECT_STREQ(LngStr(kText), "Otevřený");
  SetLanguage(LNG_ENGLISH);
  EXPECT_STREQ(LngStr(kText), "Open");
  EXPECT_EQ(detail::PackedParseCount(), parses);
}

TEST_F(LngStrTest, ResolvingDoesNotChangeTheString) {
  static char text[] = "###Gear  ##Gang##Převodový stupeň";
  const std::string before = text;
  LngStr(text, LNG_CESKY);
  EXPECT_EQ(std::string(text), before);
}

TEST_F(LngStrTest, ReusedAddressWithOtherTextIsParsedAgain) {
  // A buffer freed and reused for another text must not show the old one.
  static char buffer[64];
  std::strcpy(buffer, "###Read##Lesen##Číst");
  EXPECT_STREQ(LngStr(buffer, LNG_DEUTSCH), "Lesen");
  std::strcpy(buffer, "###Write##Schreiben##Zápis");
  EXPECT_STREQ(LngStr(buffer, LNG_DEUTSCH), "Schreiben");
  std::strcpy(buffer, "plain now");
  EXPECT_EQ(LngStr(buffer, LNG_DEUTSCH), buffer);
}

// Fields of exactly 255 and 256 bytes before a separator.
const std::string& PackedWithEnglish(std::size_t length, const char* rest) {
  static std::string texts[2];
  std::string& s = texts[length > 255 ? 1 : 0];
  s = "###" + std::string(length, 'x') + rest;
  return s;
}

TEST_F(LngStrTest, FieldOf255BytesIsAccepted) {
  const std::string& text = PackedWithEnglish(255, "##de##cz");
  EXPECT_EQ(std::strlen(LngStr(text.c_str(), LNG_ENGLISH)), 255u);
  EXPECT_STREQ(LngStr(text.c_str(), LNG_CESKY), "cz");
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(LngStrTest, LastFieldIsNotLimited) {
  // Only fields cut at a separator are measured.
  static const std::string text = "###en##" + std::string(300, 'd');
  EXPECT_EQ(std::strlen(LngStr(text.c_str(), LNG_DEUTSCH)), 300u);
  EXPECT_TRUE(box.shown.empty());
}

struct BadCase {
  const char* name;
  std::string packed;
  std::string report;
};

class LngStrMalformed : public LngStrTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(LngStrMalformed, ReportsAndShowsTheStringRawEveryTime) {
  const BadCase& c = GetParam();
  const char* text = c.packed.c_str();
  for (int language : {LNG_ENGLISH, LNG_CESKY}) {
    EXPECT_EQ(LngStr(text, language), text);
    EXPECT_EQ(std::string(text), c.packed);
  }
  ASSERT_EQ(box.shown.size(), 2u);
  EXPECT_EQ(box.shown[0], c.report);
  EXPECT_EQ(box.shown[1], c.report);
}

const std::string kTooLong = "###" + std::string(256, 'x') + "##de";

INSTANTIATE_TEST_SUITE_P(
    Reports, LngStrMalformed,
    ::testing::Values(
        BadCase{"two_hashes", "##Verify", "Chybi ### na zacatku v jazykovem retezci !\n##Verify"},
        BadCase{"two_hashes_only", "##", "Chybi ### na zacatku v jazykovem retezci !\n##"},
        BadCase{"field_too_long", kTooLong, "Prilis dlouha jazykova mutace (>255 chars) !\n" + kTooLong},
        BadCase{"single_hash", "#x", "Chybny pocet jazykovych mutaci (120 > 3 || 120==0) !\n "},
        BadCase{"hash_alone", "#", "Chybny pocet jazykovych mutaci (0 > 3 || 0==0) !\n "},
        BadCase{"hash_and_count_byte",
                "#\x02\x03"
                "abc",
                "Chybny pocet jazykovych mutaci (2 > 3 || 2==0) !\n "}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ign
