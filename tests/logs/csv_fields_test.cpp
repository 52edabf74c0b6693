// Numbers, clock times, line splitting and the guess of separator and decimal mark.
#include <gtest/gtest.h>

#include <cmath>

#include "core/logs/csv_fields.h"

namespace ign {
namespace {

struct NumberCase {
  const char* text;
  char decimal;
  bool ok;
  double value;
};

TEST(CsvFields, Numbers) {
  const NumberCase cases[] = {
      {"12", '.', true, 12},       {"-3.25", '.', true, -3.25},
      {"+7", '.', true, 7},        {" 4,5 ", ',', true, 4.5},
      {"4,5", '.', false, 0},      {"1e3", '.', true, 1000},
      {"2,5E-1", ',', true, 0.25}, {".5", '.', true, 0.5},
      {"5.", '.', true, 5},        {"", '.', false, 0},
      {"-", '.', false, 0},        {"12a", '.', false, 0},
      {"1.2.3", '.', false, 0},    {"0x1F", '.', false, 0},
      {"1 234", '.', false, 0},    {"12345678901234567890", '.', true, 12345678901234567890.0},
  };
  for (const NumberCase& c : cases) {
    double v = -99;
    EXPECT_EQ(ParseCsvNumber(c.text, c.decimal, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
}

TEST(CsvFields, ClockTimes) {
  const struct {
    const char* text;
    bool ok;
    double seconds;
  } cases[] = {
      {"00:00:00.000", true, 0}, {"13:05:09.250", true, 47109.25},
      {"7:30", true, 27000},     {"23:59:59,5", true, 86399.5},
      {"12", false, 0},          {"12:61:00", false, 0},
      {"12:00:00.", false, 0},   {"a:00", false, 0},
      {"10:00:00 x", false, 0},
  };
  for (const auto& c : cases) {
    double v = -1;
    EXPECT_EQ(ParseClockTime(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.seconds) << c.text;
    }
  }
}

TEST(CsvFields, SplitsQuotedFieldsAndTrailingSeparators) {
  std::vector<std::string_view> f;
  SplitCsvLine(R"(a;"b;c";;"d""e";)", ';', f);
  ASSERT_EQ(f.size(), 5u);
  EXPECT_EQ(f[0], "a");
  EXPECT_EQ(f[1], "b;c");
  EXPECT_EQ(f[2], "");
  EXPECT_EQ(f[3], "d\"\"e");
  EXPECT_EQ(UnquotedText(f[3]), "d\"e");
  EXPECT_EQ(UnquotedText("\"\"\"\"x"), "\"\"x");
  EXPECT_EQ(f[4], "");
  SplitCsvLine("", ',', f);
  EXPECT_EQ(f.size(), 1u);
}

TEST(CsvFields, GuessesSeparatorAndDecimalMark) {
  const struct {
    const char* header;
    const char* data;
    char separator, decimal;
  } cases[] = {
      {"Zeit;Drehzahl;Spannung", "0,1;3000;13,4", ';', ','},
      {"time,rpm,volts", "0.1,3000,13.4", ',', '.'},
      {"time\trpm\tvolts", "0,1\t3000\t13,4", '\t', ','},
      {"Time;RPM;RSKEY", "10:00:00.100;3000;108.0", ';', '.'},
      {"t;a", "1;2", ';', '.'},
      {"\"a,b\";c;d", "1;2;3", ';', '.'},
  };
  for (const auto& c : cases) {
    const CsvDialect d = GuessCsvDialect(c.header, c.data);
    EXPECT_EQ(d.separator, c.separator) << c.header;
    EXPECT_EQ(d.decimal, c.decimal) << c.header;
  }
}

}  // namespace
}  // namespace ign
