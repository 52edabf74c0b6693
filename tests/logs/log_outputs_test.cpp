// What is made from a log: the summary, the tidy CSV (read back by the CSV
// reader), and the points the plots draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/logs/csv_log_reader.h"
#include "core/logs/log_summary.h"
#include "core/logs/plot_data.h"
#include "core/logs/tidy_csv.h"
#include "tests/logs/log_fixture.h"

namespace ign::test {
namespace {

CLog Small() {
  CLog log;
  log.time = {0, 0.5, 1.5, 2.0};
  log.AddChannel("RPM", "1/min", ChannelKind::Number, ChannelRole::Rpm).values = {1000, 9500, 9800, 2000};
  log.AddChannel("BATTERY", "mV", ChannelKind::Number, ChannelRole::Battery).values = {12000, 15500, kNoValue,
                                                                                       14000};
  log.AddChannel("LIMITER", "0/1", ChannelKind::Flag, ChannelRole::Limiter).values = {0, 1, 1, 0};
  LogChannel& gear = log.AddChannel("Gang", "", ChannelKind::Enumeration);
  gear.texts = {"N", "1; \"low\""};  // a separator and quotes inside a field
  gear.values = {0, 1, 1, 0};
  log.AddChannel("ADV1", "°", ChannelKind::Number, ChannelRole::Advance1).values = {kNoValue, 12.5f, 30, 8};
  return log;
}

TEST(LogSummary, MinimumMaximumMeanAndTimeAbove) {
  const std::vector<ChannelSummary> s = SummariseLog(Small(), -1, 10, 9000);
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0].name, "RPM");
  EXPECT_DOUBLE_EQ(s[0].minimum, 1000);
  EXPECT_DOUBLE_EQ(s[0].maximum, 9800);
  EXPECT_DOUBLE_EQ(s[0].mean, 5575);
  EXPECT_DOUBLE_EQ(s[0].secondsAbove, 1.5);  // above the limiter 0.5 .. 2.0
  EXPECT_EQ(s[1].count, 3u);                 // a row without a value
  EXPECT_DOUBLE_EQ(s[1].secondsAbove, 1.0);  // above 15 V 0.5 .. 1.5
  EXPECT_DOUBLE_EQ(s[2].secondsAbove, 1.5);  // the flag set
  EXPECT_FALSE(s[4].threshold);
  // A range cuts the time.
  EXPECT_DOUBLE_EQ(SummariseLog(Small(), 1.0, 1.75, 9000)[2].secondsAbove, 0.75);
  EXPECT_FALSE(SummariseLog(Small(), -1, 10, 0)[0].threshold);  // limiter unknown
}

TEST(TidyCsv, ReadsBackWithTheSameNamesUnitsAndValues) {
  for (bool comma : {false, true}) {
    SCOPED_TRACE(comma);
    const CLog log = Small();
    TidyCsvOptions o;
    o.decimalComma = comma;
    const std::string text = TidyCsv(log, 0.5, 1.5, o);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              comma ? "time [s];RPM [1/min];BATTERY [mV];LIMITER [0/1];Gang;ADV1 [°]"
                    : "time [s],RPM [1/min],BATTERY [mV],LIMITER [0/1],Gang,ADV1 [°]");
    const LogRead r = ParseCsvLog(text);
    ASSERT_TRUE(r.log) << LogErrorMessage("tidy", r.error);
    const CLog& back = *r.log;
    ASSERT_EQ(back.Rows(), 2u);
    EXPECT_DOUBLE_EQ(back.time[1], 1.0);
    for (size_t c = 0; c < log.channels.size(); ++c) {
      EXPECT_EQ(back.channels[c].name, log.channels[c].name);
      EXPECT_EQ(back.channels[c].unit, log.channels[c].unit);
      for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(ValueText(back.channels[c], back.channels[c].values[i]),
                  ValueText(log.channels[c], log.channels[c].values[i + 1]));
    }
    EXPECT_EQ(back.channels[2].kind, ChannelKind::Flag);
    EXPECT_EQ(back.channels[0].role, ChannelRole::Rpm);
  }
}

TEST(PlotData, ColumnsKeepTheirMinimumAndMaximumInOrder) {
  CLog log;
  LogChannel& v = log.AddChannel("v", "", ChannelKind::Number);
  const int n = 100000;
  for (int i = 0; i < n; ++i) {
    log.time.push_back(i * 0.001);
    v.values.push_back(float(std::sin(i * 0.01) * 100 + (i == 54321 ? 500 : 0)));
  }
  PlotPoints p;
  ReduceForColumns(log, v.values, 10.0, 90.0, 400, p);
  EXPECT_LE(p.x.size(), 2u * 400 + 2);
  EXPECT_TRUE(std::is_sorted(p.x.begin(), p.x.end()));
  EXPECT_DOUBLE_EQ(*std::max_element(p.y.begin(), p.y.end()),
                   double(v.values[54321]));  // a one-row spike stays
  EXPECT_LE(p.x.front(), 10.0);               // reaches the edges
  EXPECT_GE(p.x.back(), 90.0);
  // Few rows: drawn as they are.
  ReduceForColumns(log, v.values, 1.0, 1.1, 400, p);
  EXPECT_GE(p.x.size(), 101u);
  EXPECT_LE(p.x.size(), 104u);
  // Gaps stay gaps.
  v.values.assign(size_t(n), kNoValue);
  ReduceForColumns(log, v.values, 0, 99, 50, p);
  EXPECT_TRUE(std::all_of(p.y.begin(), p.y.end(), [](double y) { return std::isnan(y); }));
}

TEST(PlotData, HistogramAndScatter) {
  const CLog log = Small();
  const HistogramData h = HistogramOf(log, 0, -1, 10, 4);
  ASSERT_EQ(h.counts.size(), 4u);
  EXPECT_DOUBLE_EQ(h.low, 1000);
  EXPECT_EQ(h.counts, (std::vector<double>{2, 0, 0, 2}));
  const ScatterData s = ScatterOf(log, 0, 4, 1, -1, 10, 100);
  EXPECT_EQ(s.x, (std::vector<double>{9500, 9800, 2000}));  // rows with both values
  EXPECT_TRUE(std::isnan(s.colour[1]));
}

}  // namespace
}  // namespace ign::test
