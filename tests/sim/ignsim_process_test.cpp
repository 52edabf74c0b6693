// The ignsim program on its pseudo-terminal, driven through the COM link.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/sim/wire.h"
#include "tests/support/serial_client.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

constexpr int kAnswerMs = 2000;

class IgnsimProcess : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
};

TEST_F(IgnsimProcess, IdentifiesAtItsBaudAndStaysSilentAtAnother) {
  SimProcess sim(dir_ + "/ports", {.com = 4});
  ASSERT_TRUE(sim.ready());
  EXPECT_EQ(sim.linkPath(), dir_ + "/ports/COM4");
  SerialClient line;
  ASSERT_TRUE(line.Open(sim.linkPath(), 115200));
  ASSERT_TRUE(line.Write(ShortRequest(150, 0x30, {}, 108)));
  EXPECT_TRUE(line.Read(152, 300).empty()) << "a probe at the wrong speed must get no answer";

  ASSERT_TRUE(line.SetBaud(57600));
  ASSERT_TRUE(line.Write(ShortRequest(150, 0x30, {}, 108)));
  const Bytes a = line.Read(152, kAnswerMs);
  ASSERT_EQ(a.size(), 152u);
  EXPECT_EQ(a[0], 0xB0);
  EXPECT_EQ(a[150], 108);
  EXPECT_TRUE(ShortFrameChecks(a));
}

TEST_F(IgnsimProcess, WrittenBlockSurvivesARestart) {
  const std::string image = dir_ + "/unit.img";
  Bytes block(150);
  for (int i = 0; i < 150; ++i) block[i] = static_cast<std::uint8_t>(i * 7 + 3);
  {
    SimProcess sim(dir_ + "/ports", {.com = 2, .image = image});
    ASSERT_TRUE(sim.ready());
    SerialClient line;
    ASSERT_TRUE(line.Open(sim.linkPath(), 57600));
    ASSERT_TRUE(line.Write(ShortRequest(150, 0x03, block)));  // block 2: bytes 300..449
    const Bytes echo = line.Read(152, kAnswerMs);
    ASSERT_EQ(echo.size(), 152u);
    EXPECT_EQ(echo[0], 0x83);
    EXPECT_EQ(Bytes(echo.begin() + 1, echo.end() - 1), block);
  }
  std::ifstream f(image, std::ios::binary);
  Bytes stored((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  ASSERT_EQ(stored.size(), 1050u);
  EXPECT_EQ(Bytes(stored.begin() + 300, stored.begin() + 450), block);

  SimProcess again(dir_ + "/ports", {.com = 2, .image = image});
  ASSERT_TRUE(again.ready());
  SerialClient line;
  ASSERT_TRUE(line.Open(again.linkPath(), 57600));
  ASSERT_TRUE(line.Write(ShortRequest(150, 0x43)));
  const Bytes read = line.Read(152, kAnswerMs);
  ASSERT_EQ(read.size(), 152u);
  EXPECT_EQ(read[0], 0xC3);
  EXPECT_EQ(Bytes(read.begin() + 1, read.end() - 1), block);
}

TEST_F(IgnsimProcess, RemovesItsLinkWhenStopped) {
  SimProcess sim(dir_ + "/ports", {.com = 9});
  ASSERT_TRUE(sim.ready());
  EXPECT_TRUE(std::filesystem::is_symlink(sim.linkPath()));
  EXPECT_EQ(sim.stop(), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir_ + "/ports/COM9")));
}

TEST_F(IgnsimProcess, RefusesADamagedImageFile) {
  const std::string image = dir_ + "/short.img";
  std::ofstream(image, std::ios::binary) << "not a settings block";
  SimProcess sim(dir_ + "/ports", {.com = 5, .image = image});
  EXPECT_FALSE(sim.ready());
  EXPECT_NE(sim.stop(), 0);
  std::ifstream f(image, std::ios::binary);
  std::string kept((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, "not a settings block") << "a damaged file must be left as it is";
}

}  // namespace
}  // namespace ign::test
