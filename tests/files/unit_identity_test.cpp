#include "core/files/unit_identity.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "core/base/tick_clock.h"
#include "core/monitor/version.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "tests/device/fake_link.h"
#include "tests/files/files_support.h"
#include "tests/files/utc_zone.h"

namespace ign {
namespace {

// What both front ends do with the unit's header and monitor records.
class UnitHost : public ICommHost {
 public:
  void DecodeUnitInfo(const uint8_t* header) override {
    unit.Decode(std::span<const uint8_t, kUnitHeaderLen>(header, kUnitHeaderLen));
  }
  void ResetUnitInfo() override { unit.Reset(); }
  void ProcessMonitor(const uint8_t* record) override {
    const MonitorVersion v = VersionOfRecord(record[150], record[149]);
    unit.SetVersion(v.state, v.text);
  }
  CUnitInfo unit;
};

void PutWord(std::array<uint8_t, 151>& record, int word, int value) {
  record[size_t(2 * word)] = uint8_t(value & 0xFF);
  record[size_t(2 * word + 1)] = uint8_t((value >> 8) & 0xFF);
}

class UnitIdentityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& h = link.header;
    h[0] = 'K', h[1] = 'D', h[2] = 'X', h[3] = 7;
    h[4] = 5, h[5] = 25, h[6] = 23;  // 5 January 2023
    h[7] = 9, h[8] = 4;
    h[10] = 108;
    // Code 240203A_, last update 1700000001 (little-endian), serial, owner in Windows-1250.
    h[31] = 'A', h[32] = 3, h[33] = 2, h[34] = 24;
    h[35] = 0x01, h[36] = 0xF1, h[37] = 0x53, h[38] = 0x65;
    h[39] = 0x5A, h[40] = 7, h[41] = 1, h[42] = 2, h[43] = 3, h[44] = 4, h[45] = 5, h[46] = 6;
    const uint8_t owner[] = {'J', 'i', 0xF8, 0xED, 0, 255, 0, 'B', 'r', 'n', 'o'};
    std::copy(std::begin(owner), std::end(owner), h.begin() + 47);
    PutWord(link.monitor, kCalibrationWord, 1234);
    PutWord(link.monitor, kCalibrationWord + 1, -5);
    PutWord(link.monitor, kCalibrationWord + 2, 0);

    img = StartupImage();
    NormaliseImage(img);
  }

  template <typename Pred>
  bool RunUntil(Pred pred, int maxSteps = 400) {
    for (int i = 0; i < maxSteps && !pred(); ++i) {
      clock.Advance();
      machine.CommStep();
    }
    return pred();
  }
  std::string File() { return WriteSettingsFile(img, UnitFileVersions(host.unit, machine)); }
  // The file from the "VERSIONS" keyword on.
  std::string Tail() {
    const std::string file = File();
    const size_t at = file.find("\r\nVERSIONS");
    return at == std::string::npos ? file : file.substr(at);
  }

  test::FakeLink link;
  CSettingsDoc params;
  test::RecordingStatus status;
  UnitHost host;
  CTickClock clock;
  CCommMachine machine{link, params, status, host, clock};
  Image img;

 private:
  test::UtcZone utc_;
};

const std::string kVersionsBlock =
    "\r\nVERSIONS       "
    "\r\nHEX    5. 1.2023\t09:04\tKDX07"
    "\r\nHW/FW  240203A_KDX07   RSKEY=108.00   (060504-030201-0075a)   "
    "(last update: 14.11.2023-22:13:21)   Ji\xF8\xED~Brno"
    "\r\nEXE    Oct 19 2023\t09:46:27"
    "\r\n               ";

TEST_F(UnitIdentityTest, ConnectedUnitFillsTheVersionsAndWritesItsCalibration) {
  // Before a unit has been connected the file is the one without a unit.
  link.port = 0;
  ASSERT_FALSE(RunUntil([&] { return machine.Connected(); }, 20));
  EXPECT_EQ(File(), WriteSettingsFile(img, {}));

  link.port = 3;
  ASSERT_TRUE(RunUntil([&] { return machine.Connected() && machine.VersionState() != 0; }));
  EXPECT_EQ(Tail(), kVersionsBlock +
                        "\r\nMon_Calib_CoefEE     1234"
                        "\r\nMon_Calib_CoefFLASH  -5"
                        "\r\nMon_Calib_CoefNEW    0");

  // The coefficients follow the unit's latest record.
  PutWord(link.monitor, kCalibrationWord + 2, 777);
  ASSERT_TRUE(RunUntil([&] { return MonitorCalibration(machine.MonitorRecord())[2] == 777; }));
  EXPECT_NE(Tail().find("\r\nMon_Calib_CoefNEW    777"), std::string::npos) << Tail();
}

TEST_F(UnitIdentityTest, LostUnitKeepsItsTextsButNotItsCalibration) {
  ASSERT_TRUE(RunUntil([&] { return machine.Connected() && machine.VersionState() != 0; }));
  link.port = 0;  // the unit goes away
  ASSERT_TRUE(RunUntil([&] { return machine.State() == CommState::Disconnected; }));
  EXPECT_EQ(Tail(), kVersionsBlock);

  // A unit that is connected but has not answered a monitor request yet has no calibration either.
  link.port = 3;
  ASSERT_TRUE(RunUntil([&] { return machine.Connected(); }));
  ASSERT_EQ(machine.VersionState(), 0);
  EXPECT_EQ(Tail(), kVersionsBlock);
}

TEST(MonitorCalibration, SignedWordsFortyToFortyTwo) {
  std::array<uint8_t, 151> record{};
  record[80] = 0x01, record[81] = 0x80;  // -32767
  record[82] = 0xFF, record[83] = 0x7F;  // 32767
  record[84] = 0xFF, record[85] = 0xFF;  // -1
  record[79] = record[86] = 0x55;        // neighbours stay out
  EXPECT_EQ(MonitorCalibration(record), (std::array<int, 3>{-32767, 32767, -1}));
}

}  // namespace
}  // namespace ign
