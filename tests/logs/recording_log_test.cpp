// A recording as a log, and the CSV log the player writes from it: the same
// values row by row.
#include <gtest/gtest.h>

#include "core/logs/log_open.h"
#include "core/logs/recording_log.h"
#include "core/monitor/csv_columns.h"
#include "core/monitor/local_time.h"
#include "tests/logs/log_fixture.h"

namespace ign::test {
namespace {

class RecordingLog : public LogTest {};

std::vector<Reading> Ride() {
  std::vector<Reading> v;
  for (int i = 0; i < 40; ++i)
    v.push_back({.ms = 100 + 440 * i,
                 .rpm = 800 + 150 * i,
                 .load = i % 11,
                 .sensor = 1,
                 .secondMap = i >= 30,
                 .advanceByte = i % 5 == 0 ? 0 : 110 + i});
  return v;
}

TEST_F(RecordingLog, RowsAreTheMonitorRecordsAtTheirTimes) {
  const Image settings = MapSettings(1);
  const std::string path = Record(Ride(), settings);
  const LogRead r = OpenLog(path);
  ASSERT_TRUE(r.log) << LogErrorMessage(path, r.error);
  const CLog& log = *r.log;
  EXPECT_EQ(log.format, "recording");
  ASSERT_EQ(log.Rows(), 40u);
  EXPECT_DOUBLE_EQ(log.time[1], 0.44);  // from the first record on
  EXPECT_DOUBLE_EQ(log.Duration(), 39 * 0.44);
  const LogChannel& rpm = log.channels[size_t(log.FindRole(ChannelRole::Rpm))];
  EXPECT_FLOAT_EQ(rpm.values[39], 800 + 150 * 39);
  const LogChannel& adv = log.channels[size_t(log.FindRole(ChannelRole::Advance1))];
  EXPECT_FALSE(HasValue(adv.values[0]));
  EXPECT_FLOAT_EQ(adv.values[1], 11.0f);
  EXPECT_FLOAT_EQ(log.channels[size_t(log.FindRole(ChannelRole::LoadSensor))].values[3], 1.0f);
  EXPECT_FLOAT_EQ(log.channels[size_t(log.FindRole(ChannelRole::SecondMap))].values[30], 1.0f);
  ASSERT_EQ(log.images.size(), 1u);
  EXPECT_EQ(log.images[0].image[Adrb::RPM_ADV + 2], settings[Adrb::RPM_ADV + 2]);
}

// The CSV log a playback writes (as ignctl play --csv does) holds the same
// values as the recording it came from.
TEST_F(RecordingLog, ItsCsvLogHoldsTheSameValues) {
  const std::vector<Reading> ride = Ride();
  const std::string path = Record(ride, MapSettings(2));
  std::string csv = CsvHeaderLines();
  for (const Reading& x : ride)
    csv += CsvRowText(RecordOf(x), LocalFromUnix(1767225600 + x.ms / 1000, int(x.ms % 1000)));
  Write(Path("ride.csv"), csv);
  const LogRead a = OpenLog(path), b = OpenLog(Path("ride.csv"));
  ASSERT_TRUE(a.log && b.log);
  ASSERT_EQ(a.log->Rows(), b.log->Rows());
  for (size_t i = 0; i < a.log->Rows(); ++i) EXPECT_NEAR(a.log->time[i], b.log->time[i], 1e-6) << i;
  for (const LogChannel& c : b.log->channels) {
    const int k = a.log->Find(c.name);
    ASSERT_GE(k, 0) << c.name;
    const LogChannel& d = a.log->channels[size_t(k)];
    EXPECT_EQ(d.unit, c.unit);
    EXPECT_EQ(d.kind, c.kind) << c.name;
    for (size_t i = 0; i < c.values.size(); ++i) {
      if (!HasValue(c.values[i])) {
        EXPECT_FALSE(HasValue(d.values[i])) << c.name << " " << i;
      } else {
        EXPECT_EQ(d.values[i], c.values[i]) << c.name << " " << i;
      }
    }
  }
}

TEST_F(RecordingLog, ADamagedRecordingIsRefusedWithTheReadersMessage) {
  std::string bytes = Read(Record(Ride(), MapSettings(1)));
  bytes.resize(bytes.size() - 100);
  Write(Path("cut.ignlog"), bytes);
  const LogRead r = OpenLog(Path("cut.ignlog"));
  EXPECT_FALSE(r.log);
  EXPECT_EQ(r.error.fault, LogFault::Recording);
  EXPECT_NE(LogErrorMessage("cut.ignlog", r.error).find("damaged"), std::string::npos)
      << LogErrorMessage("cut.ignlog", r.error);
  // A recording under another name is still known by its first bytes.
  Write(Path("ride.dat"), Read(Record(Ride(), MapSettings(1), "again.ignlog")));
  EXPECT_TRUE(LooksLikeRecording(Path("ride.dat")));
  EXPECT_TRUE(OpenLog(Path("ride.dat")).log);
}

}  // namespace
}  // namespace ign::test
