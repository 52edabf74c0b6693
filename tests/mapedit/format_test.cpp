#include "core/mapedit/format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

#include "core/text/language.h"

namespace ign {
namespace {

struct FormatCase {
  int32_t stored;
  double scale;
  const char* expected;
};

class FormatValueCases : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueCases, Formats) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatValue(c.stored, c.scale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatValueCases,
                         ::testing::Values(FormatCase{123456, 1.0, "123 456"}, FormatCase{-123, 1.0, "-123"},
                                           FormatCase{-1234567, 1.0, "-1 234 567"},
                                           FormatCase{25, 0.1, "2.5"}, FormatCase{30, 0.1, "3"},
                                           FormatCase{1234, 0.001, "1.234"}, FormatCase{1500, 0.001, "1.5"},
                                           FormatCase{250, 100.0, "25 000"}, FormatCase{0, 0.05, "0"},
                                           FormatCase{7, 0.05, "0.35"}, FormatCase{-12345, 0.1, "-1 234.5"},
                                           FormatCase{999, 1.0, "999"}, FormatCase{1000, 1.0, "1 000"}));

TEST(DecimalsForScale, FollowsTheScale) {
  EXPECT_EQ(DecimalsForScale(1.0), 0);
  EXPECT_EQ(DecimalsForScale(100.0), 0);
  EXPECT_EQ(DecimalsForScale(0.1), 1);
  EXPECT_EQ(DecimalsForScale(0.5), 1);
  EXPECT_EQ(DecimalsForScale(0.25), 1);
  EXPECT_EQ(DecimalsForScale(0.02), 2);
  EXPECT_EQ(DecimalsForScale(0.001), 3);
  // No scale gives a defined count instead of a runaway one.
  EXPECT_EQ(DecimalsForScale(0.0), 0);
  EXPECT_EQ(DecimalsForScale(1e-30), 9);
}

TEST(FormatValue, AppendsTheSuffixWhenAsked) {
  EXPECT_EQ(FormatValue(25, 1.0, "%", true), "25 %");
  EXPECT_EQ(FormatValue(25, 1.0, "%", false), "25");
  SetLanguage(LNG_DEUTSCH);
  EXPECT_EQ(FormatValue(3, 1.0, "###s##Sek##s", true), "3 Sek");
  SetLanguage(LNG_ENGLISH);
}

TEST(FormatValue, IgnoresADecimalCommaLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
  EXPECT_EQ(FormatValue(25, 0.1), "2.5");
  EXPECT_EQ(ParseTypedValue("1.5", 0.1), 15);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

struct TypedCase {
  const char* text;
  double scale;
  std::optional<int32_t> expected;
};

class TypedValueCases : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedValueCases, Converts) {
  const TypedCase& c = GetParam();
  EXPECT_EQ(ParseTypedValue(c.text, c.scale), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Values, TypedValueCases,
    ::testing::Values(TypedCase{"1,5", 0.1, 15}, TypedCase{"-2.5", 1.0, -3}, TypedCase{"2.5", 1.0, 3},
                      TypedCase{"12 345", 1.0, 12345}, TypedCase{" 1\t2 ", 1.0, 12},
                      TypedCase{"4500", 100.0, 45}, TypedCase{"4549", 100.0, 45}, TypedCase{"+7", 1.0, 7},
                      TypedCase{"12abc", 1.0, 12}, TypedCase{"abc", 1.0, std::nullopt},
                      TypedCase{"", 1.0, std::nullopt}, TypedCase{"-", 1.0, std::nullopt},
                      TypedCase{"inf", 1.0, std::nullopt}, TypedCase{"nan", 1.0, std::nullopt},
                      TypedCase{"5", 0.0, std::nullopt}, TypedCase{"99999999999", 1.0, 2147483647},
                      TypedCase{"-99999999999", 1.0, -2147483647 - 1}));

}  // namespace
}  // namespace ign
