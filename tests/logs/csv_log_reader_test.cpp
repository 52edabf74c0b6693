// The CSV reader: a German spreadsheet's CSV, the program's own CSV log,
// units, texts and time columns, and damaged files refused with the line and
// column of the fault.
#include <gtest/gtest.h>

#include <cmath>

#include "core/logs/csv_log_reader.h"
#include "core/monitor/csv_columns.h"
#include "tests/logs/log_fixture.h"

namespace ign::test {
namespace {

class CsvReader : public LogTest {};

const LogChannel& Channel(const CLog& log, const std::string& name) {
  const int i = log.Find(name);
  EXPECT_GE(i, 0) << name;
  return log.channels[size_t(i < 0 ? 0 : i)];
}

TEST_F(CsvReader, GermanSpreadsheetWithSemicolonsAndDecimalCommas) {
  const std::string text =
      "Zeit [s];Drehzahl [1/min];Spannung [V];Gang\r\n"
      "0,0;1200;12,6;N\r\n"
      "0,5;3500,5;13,1;1\r\n"
      "1,25;;13,9;2\r\n";
  const LogRead r = ParseCsvLog(text);
  ASSERT_TRUE(r.log) << LogErrorMessage("x", r.error);
  const CLog& log = *r.log;
  ASSERT_EQ(log.Rows(), 3u);
  EXPECT_EQ(log.time, (std::vector<double>{0.0, 0.5, 1.25}));
  ASSERT_EQ(log.channels.size(), 3u);  // the time is the time base, not a channel
  const LogChannel& rpm = Channel(log, "Drehzahl");
  EXPECT_EQ(rpm.unit, "1/min");
  EXPECT_FLOAT_EQ(rpm.values[1], 3500.5f);
  EXPECT_FALSE(HasValue(rpm.values[2]));  // an empty field is no value
  EXPECT_FLOAT_EQ(Channel(log, "Spannung").values[2], 13.9f);
  const LogChannel& gear = Channel(log, "Gang");
  EXPECT_EQ(gear.kind, ChannelKind::Enumeration);
  EXPECT_EQ(ValueText(gear, gear.values[0]), "N");
  EXPECT_EQ(ValueText(gear, gear.values[2]), "2");
}

TEST_F(CsvReader, DamagedFilesNameTheLineAndColumn) {
  const struct {
    const char* name;
    std::string text;
    LogFault fault;
    long line;
    int column;
  } cases[] = {
      {"missing field", "t,a,b\n0,1,2\n1,1\n2,1,2\n", LogFault::FieldCount, 3, 3},
      {"extra field", "t,a,b\n0,1,2\n1,1,2,3\n", LogFault::FieldCount, 3, 4},
      {"not a number", "t;a;b\n0;1;2\n1;1;x2\n", LogFault::Number, 3, 3},
      {"beyond a channel's range", "t,a,b\n0,1,2\n1,1e39,2\n", LogFault::Number, 3, 2},
      {"time goes back", "t,a\n0,1\n2,1\n1,1\n", LogFault::Time, 4, 1},
      {"no time", "t,a\n0,1\n,1\n", LogFault::Time, 3, 1},
      {"clock then number", "Time;a\n10:00:00.000;1\n5;1\n", LogFault::Time, 3, 1},
      {"binary", std::string("t,a\n0,1\n\x01\x00\x02,3\n", 16), LogFault::NotText, 3, 0},
      {"empty", "", LogFault::Empty, 0, 0},
      {"blank lines only", "\n\r\n", LogFault::Empty, 0, 0},
      {"header alone", "t;a;b\n", LogFault::NoData, 0, 0},
      {"header and units alone", "t;a\ns;V\n\n", LogFault::NoData, 0, 0},
      {"time column alone", "time\n0.5\n1.0\n", LogFault::NoData, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const LogRead r = ParseCsvLog(c.text);
    EXPECT_FALSE(r.log);
    EXPECT_EQ(r.error.fault, c.fault);
    EXPECT_EQ(r.error.line, c.line);
    EXPECT_EQ(r.error.column, c.column);
  }
}

TEST_F(CsvReader, TheMessageNamesFileLineAndColumnInTheLanguage) {
  const LogRead r = ParseCsvLog("t,a,b\n0,1,2\n1,1\n");
  EXPECT_EQ(LogErrorMessage("ride.csv", r.error),
            "ride.csv, line 3, column 3: The line has another number of fields than the header (2 / 3)");
  SetLanguage(LNG_DEUTSCH);
  EXPECT_EQ(LogErrorMessage("ride.csv", r.error).rfind("ride.csv, Zeile 3, Spalte 3: Die Zeile", 0), 0u);
  SetLanguage(LNG_ENGLISH);
}

TEST_F(CsvReader, TheProgramsOwnLogShowsDegreesUniqueNamesAndClockTime) {
  std::string text = CsvHeaderLines();
  Reading a{.rpm = 3000, .load = 40, .advanceByte = 128};
  Reading base{.rpm = 900, .load = 2, .advanceByte = 0};
  text += CsvRowText(RecordOf(a), {2026, 1, 1, 23, 59, 59, 900});
  text += CsvRowText(RecordOf(base), {2026, 1, 2, 0, 0, 0, 400});  // past midnight
  Write(Path("own.csv"), text);
  const LogRead r = ReadCsvLog(Path("own.csv"));
  ASSERT_TRUE(r.log) << LogErrorMessage("own.csv", r.error);
  const CLog& log = *r.log;
  EXPECT_EQ(log.format, "CSV log");
  ASSERT_EQ(log.channels.size(), 80u);
  EXPECT_NEAR(log.time[1], 0.5, 1e-9);
  EXPECT_NEAR(log.startOfDay, 86399.9, 1e-6);
  const LogChannel& adv = Channel(log, "ADV1");
  EXPECT_EQ(adv.unit, "°");  // Windows-1250 in the file
  EXPECT_EQ(adv.role, ChannelRole::Advance1);
  EXPECT_FLOAT_EQ(adv.values[0], 28.0f);
  EXPECT_FALSE(HasValue(adv.values[1]));  // the base advance
  EXPECT_EQ(Channel(log, "ADV5").role, ChannelRole::Advance4);
  EXPECT_FLOAT_EQ(Channel(log, "RPM").values[0], 3000.0f);
  EXPECT_FLOAT_EQ(Channel(log, "HWKEY").values[0], float(0x150));
  EXPECT_FLOAT_EQ(Channel(log, "RSKEY").values[0], 108.12f);
  EXPECT_EQ(Channel(log, "SERVO 2").unit, "%");
  EXPECT_EQ(Channel(log, "FULL_SYNC 4").kind, ChannelKind::Flag);
  EXPECT_EQ(Channel(log, "BIKE").kind, ChannelKind::Enumeration);
}

TEST_F(CsvReader, ALineOfUnitsAndATimeColumnChosenByName) {
  const std::string text =
      "index,rpm,clock,volts\n"
      ",1/min,,V\n"
      "1,1000,10:00:00.0,12.5\n"
      "2,2000,10:00:01.5,12.7\n";
  CsvReadOptions o;
  o.timeColumn = "clock";
  const LogRead r = ParseCsvLog(text, o);
  ASSERT_TRUE(r.log) << LogErrorMessage("x", r.error);
  EXPECT_EQ(r.log->time, (std::vector<double>{0.0, 1.5}));
  EXPECT_EQ(Channel(*r.log, "rpm").unit, "1/min");
  EXPECT_EQ(Channel(*r.log, "rpm").role, ChannelRole::Rpm);
  EXPECT_EQ(Channel(*r.log, "index").kind, ChannelKind::Number);
  o.timeColumn = "seconds";
  EXPECT_EQ(ParseCsvLog(text, o).error.fault, LogFault::NoTime);
}

TEST_F(CsvReader, StreamsLargeFilesWithProgressAndStops) {
  std::string text = "time,rpm,flag\n";
  const int rows = 150000;  // more than two blocks
  for (int i = 0; i < rows; ++i)
    text += std::to_string(i) + ".25," + std::to_string(1000 + i % 7000) + "," + std::to_string(i % 2) + "\n";
  Write(Path("big.csv"), text);
  std::vector<uint64_t> done;
  CsvReadOptions o;
  o.progress = [&](uint64_t d, uint64_t total) {
    EXPECT_EQ(total, text.size());
    done.push_back(d);
    return true;
  };
  const LogRead r = ReadCsvLog(Path("big.csv"), o);
  ASSERT_TRUE(r.log);
  ASSERT_EQ(r.log->Rows(), size_t(rows));
  EXPECT_DOUBLE_EQ(r.log->time.back(), rows - 1.0);
  EXPECT_FLOAT_EQ(Channel(*r.log, "rpm").values[rows - 1], float(1000 + (rows - 1) % 7000));
  EXPECT_EQ(Channel(*r.log, "flag").kind, ChannelKind::Flag);
  ASSERT_GE(done.size(), 2u);
  EXPECT_EQ(done.back(), text.size());
  o.progress = [](uint64_t, uint64_t) { return false; };
  EXPECT_EQ(ReadCsvLog(Path("big.csv"), o).error.fault, LogFault::Cancelled);
  EXPECT_EQ(ReadCsvLog(Path("missing.csv")).error.fault, LogFault::Open);
}

}  // namespace
}  // namespace ign::test
