// The CSV log: header lines, record lines, and what happens when the file
// cannot be created or written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/monitor/csv_columns.h"
#include "core/monitor/csv_log.h"
#include "monitor_fixture.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

class CsvLog : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(LNG_ENGLISH);
    FillMessages();
    char pattern[] = "/tmp/ign-csv-XXXXXX";
    dir_ = ::mkdtemp(pattern);
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0755);
    fs::remove_all(dir_);
  }
  std::string dir_;
};

// The two header lines as they must be on disk (° is 0xB0 in Windows-1250).
std::string Repeat(const std::string& s, int n) {
  std::string r;
  while (n-- > 0) r += s;
  return r;
}

const std::string kHeader =
    "Time;HWKEY;RSKEY;BIKE;RPM;TPS;TPSIAP;BATTERY;SERVO;SERVO_TG;ADV_MAX 1;ADV_MAX 2;ADV_MAX 3;ADV_MAX "
    "4;DWELL_OPT;"
    "DWELL;Moto_min_LO;Moto_min_HI;OVERVOLTAGE_COUNTER;ADV1;ADV2;ADV3;ADV5;POUT0;POUT1;POUT2;POUT3;POUT_"
    "MODE0;"
    "POUT_MODE1;POUT_MODE2;POUT_MODE3;SERVO;SERVO_TARG;SYNCHRO;CHANNELS;FULL_SYNC;FULL_SYNC;FULL_SYNC;FULL_"
    "SYNC;"
    "PICKUP1_RUN;PICKUP2_RUN;SYNCHRO1_ERR;SYNCHRO2_ERR;POLARITY1;POLARITY2;POLARITY1_ERR;POLARITY2_ERR;KILL_"
    "SWITCH;"
    "BLOCKING;CLUTCH_MASTER;RETARD;START_LIMITER;2ND_ADV;TACHO_LAMBDA;INPUT1_IN;INPUT2_IN;INPUT3_IN;INPUT4_"
    "IN;"
    "INPUT5_IN;INPUT6_IN;KILL_SWITCH_EN;BLOCKING_EN;CLUTCH_MASTER_EN;RETARD_EN;START_LIMITER_EN;2ND_ADV_EN;"
    "TACHO_LAMBDA_EN;N2O_EN;EE_DATA_ERR;IAP_ERR;TPS_ERR;DWELL_ERR;SERVO_OK;LIMITER;LIMITER_SOFT;START_"
    "LIMITER_ACT;"
    "START_LIMITER_SOFT;SERVO_PROC_MV;SERVO_EN;SPEED_EN;GEAR_EN;\n"
    "ms;;;enumeration;1/min;mV;0.1%/"
    "kPa;mV;mV;mV;\xB0;\xB0;\xB0;\xB0;0,1ms;0,1ms;min;min;1;\xB0;\xB0;\xB0;\xB0;" +
    Repeat("0/1;", 4) + "enumeration;enumeration;enumeration;enumeration;%;%;1;1;" + Repeat("0/1;", 4 + 42) +
    "\n";

TEST_F(CsvLog, StartAndStopGiveExactlyTheTwoHeaderLines) {
  CCsvLog log;
  const std::string path = dir_ + "/log.csv";
  ASSERT_TRUE(log.Start(path));
  EXPECT_TRUE(log.Running());
  log.Stop();
  EXPECT_FALSE(log.Running());
  EXPECT_EQ(ReadFile(path), kHeader);
  EXPECT_EQ(CsvColumnTable().size(), 80u);
}

TEST_F(CsvLog, RowsHoldEveryColumnByItsKind) {
  RecordBuilder b;
  b.Word(Mon::HWKEY, 0x2A7F).Byte(Mon::KEY, 108).Byte(Mon::SUBVERSION, 0).Byte(Mon::BIKE, 20);
  b.Word(Mon::RPM, 3000).Word(Mon::TPS, 1234).Word(Mon::TPSIAP, 55).Word(Mon::BATTERY, 13800);
  b.Word(Mon::ADV_MAX, 31).Word(Mon::ADV_MAX + 3, 34).Word(Mon::MINUTES_LO, 65535).Byte(Mon::MINUTES_HI, 2);
  b.Byte(Mon::ADV, 130).Byte(Mon::ADV + 3, 0).Byte(Mon::POUT, 0x05).Byte(Mon::POUT_MODE, 255);
  b.Byte(Mon::FULL_SYNC, 0x1A).Byte(Mon::PICKUP, 0x81).Byte(Mon::LIMITS, 0x80);
  const std::string row = CsvRowText(b.r, {
                                              2026,
                                              1,
                                              1,
                                              9,
                                              5,
                                              7,
                                              42,
                                          });
  EXPECT_EQ(row.rfind("09:05:07.042;0x2a7f;108.0;20;3000;1234;55;13800;0;0;31;0;0;34;0;0;65535;2;0;130;0;0;0;"
                      "1;0;1;0;255;0;0;0;"
                      "0;0;0;0;0;1;0;1;1;0;0;0;0;0;0;1;",
                      0),
            0u)
      << row;
  EXPECT_EQ(row.substr(row.size() - 17), "0;0;0;0;0;0;0;1;\n") << row;
  EXPECT_EQ(std::count(row.begin(), row.end(), ';'), 81);
  EXPECT_EQ(CsvRowText(RecordBuilder().Byte(Mon::KEY, 108).Byte(Mon::SUBVERSION, 1).r, {}).substr(0, 23),
            "00:00:00.000;0x0;108.1;");
}

TEST_F(CsvLog, WritesOneFlushedLinePerRowOnlyWhileRunning) {
  CCsvLog log;
  const std::string path = dir_ + "/rows.csv";
  RecordBuilder b;
  b.Word(Mon::RPM, 3000);
  EXPECT_TRUE(log.WriteCsvRow(b.r));  // not running: nothing
  ASSERT_TRUE(log.Start(path));
  ASSERT_TRUE(log.WriteCsvRow(b.r, {2026, 1, 1, 23, 59, 59, 999}));
  // Flushed: another reader sees the line while the log still runs.
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.substr(kHeader.size(), 34), "23:59:59.999;0x0;0.0;0;3000;0;0;0;");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  log.Stop();
}

TEST_F(CsvLog, AFileThatCannotBeCreatedGivesAMessageAndNoLog) {
  std::ofstream(dir_ + "/plain") << "x";
  CCsvLog log;
  EXPECT_FALSE(log.Start(dir_ + "/plain/log.csv"));  // a folder that is a file: for root too
  EXPECT_FALSE(log.Running());
  EXPECT_EQ(log.Failure(), CsvFailure::Create);
  EXPECT_NE(log.Message().find("The CSV log file cannot be created"), std::string::npos) << log.Message();
  EXPECT_NE(log.Message().find("Not a directory"), std::string::npos) << log.Message();
  SetLanguage(LNG_DEUTSCH);
  EXPECT_NE(log.Message().find("kann nicht angelegt werden"), std::string::npos);
  SetLanguage(LNG_ENGLISH);

  ::chmod(dir_.c_str(), 0555);
  if (::access(dir_.c_str(), W_OK) != 0) {  // a read-only folder stops everyone but root
    EXPECT_FALSE(log.Start(dir_ + "/ro.csv"));
    EXPECT_NE(log.Message().find("Permission denied"), std::string::npos) << log.Message();
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/ro.csv"));
  }
}

TEST_F(CsvLog, AFullDiskStopsTheLogWithAMessage) {
  CCsvLog log;
  // The header may fit in the buffer; the flush after it reaches the device and fails.
  EXPECT_FALSE(log.Start("/dev/full"));
  EXPECT_FALSE(log.Running());
  EXPECT_EQ(log.Failure(), CsvFailure::Write);
  EXPECT_NE(log.Message().find("No space left on device"), std::string::npos) << log.Message();
}

// A file that takes the header and then fails, as a disk filling up does.
class FailingFile : public ICsvFile {
 public:
  explicit FailingFile(int okWrites) : okWrites_(okWrites) {}
  bool Create(const std::string&) override { return true; }
  bool Write(std::string_view) override {
    if (okWrites_-- > 0) return true;
    errno = ENOSPC;
    return false;
  }
  bool Flush() override { return true; }
  bool Close() override {
    ++closed;
    return true;
  }
  int closed = 0;

 private:
  int okWrites_;
};

TEST_F(CsvLog, AWriteErrorDuringTheLogStopsAndClosesIt) {
  auto file = std::make_unique<FailingFile>(2);
  FailingFile* f = file.get();
  CCsvLog log(std::move(file));
  ASSERT_TRUE(log.Start("x.csv"));
  EXPECT_TRUE(log.WriteCsvRow(RecordBuilder().r));
  EXPECT_FALSE(log.WriteCsvRow(RecordBuilder().r));
  EXPECT_FALSE(log.Running());
  EXPECT_GE(f->closed, 1);
  EXPECT_NE(log.Message().find("the log has stopped"), std::string::npos) << log.Message();
  EXPECT_TRUE(log.WriteCsvRow(RecordBuilder().r));  // stopped: nothing more is written
}

}  // namespace
}  // namespace ign::test
