// The ignsim program on its pseudo-terminal, driven through the COM link.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

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

TEST(IgnsimHelp, DocumentsEveryOption) {
  const std::string cmd = SimBinary() + " --help";
  FILE* p = ::popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string text;
  char buf[512];
  while (std::fgets(buf, sizeof buf, p)) text += buf;
  EXPECT_EQ(::pclose(p), 0);
  for (const char* opt : {"--port-dir", "--com",        "--family",        "--baud",
                          "--image",    "--key",        "--subversion",    "--name",
                          "--pace",     "--drop-every", "--corrupt-every", "--noise",
                          "--delay-ms", "--echo",       "--hangup-after",  "--corrupt-stream-every",
                          "--seed",     "--no-stdin",   "--help",          "IGN50",
                          "IGN100",     "IGN150",       "IGN300",          "WCOMS",
                          "READY"}) {
    EXPECT_NE(text.find(opt), std::string::npos) << opt;
  }
}

TEST_F(IgnsimProcess, HeaderFamilyIdentifiesAndReads) {
  SimProcess sim(dir_ + "/ports", {.com = 7, .family = "WCOMS", .key = 108, .extra = {"--name", "BENCH7"}});
  ASSERT_TRUE(sim.ready());
  SerialClient line;
  ASSERT_TRUE(line.Open(sim.linkPath(), 57600));
  ASSERT_TRUE(line.Write(HeaderRequest(false, 0xFEEE, 0)));
  EXPECT_TRUE(line.Read(16, 300).empty()) << "a sum unit does not take CRC frames";
  ASSERT_TRUE(line.Write(HeaderRequest(true, 0xFEEE, 0)));
  const Bytes id = line.Read(16 + 7 + 6, kAnswerMs);
  const HeaderFrame h = ParseHeaderFrame(id);
  ASSERT_TRUE(h.ok) << id.size();
  EXPECT_EQ(Bytes(h.data.begin(), h.data.begin() + 7), (Bytes{'B', 'E', 'N', 'C', 'H', '7', 0}));
  EXPECT_EQ(h.data[12] << 8 | h.data[11], 108);

  ASSERT_TRUE(line.Write(HeaderRequest(true, 0x7010, 140, {2, 0})));
  const HeaderFrame rd = ParseHeaderFrame(line.Read(18, kAnswerMs));
  ASSERT_TRUE(rd.ok);
  EXPECT_EQ(rd.address, 140);
  EXPECT_EQ(rd.data.size(), 2u);
}

TEST_F(IgnsimProcess, LoopBackPlugEchoesEverything) {
  SimProcess sim(dir_ + "/ports", {.com = 8, .extra = {"--echo"}});
  ASSERT_TRUE(sim.ready());
  SerialClient line;
  ASSERT_TRUE(line.Open(sim.linkPath(), 9600));
  const Bytes probe = ShortRequest(150, 0x30, {}, 108);
  ASSERT_TRUE(line.Write(probe));
  EXPECT_EQ(line.Read(probe.size(), kAnswerMs), probe);
}

TEST_F(IgnsimProcess, HangsUpAfterKAnswersAndRemovesItsLink) {
  SimProcess sim(dir_ + "/ports", {.com = 6, .extra = {"--hangup-after", "2"}});
  ASSERT_TRUE(sim.ready());
  SerialClient line;
  ASSERT_TRUE(line.Open(sim.linkPath(), 57600));
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(line.Write(ShortRequest(150, 0x41)));
    EXPECT_EQ(line.Read(152, kAnswerMs).size(), 152u) << i;
  }
  // The line goes down: reading reports the hang-up instead of blocking.
  const Bytes rest = line.Read(1, kAnswerMs);
  EXPECT_TRUE(rest.empty());
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.linkPath())));
}

TEST_F(IgnsimProcess, FaultyLineStillDeliversGoodFramesBetweenFaults) {
  SimProcess sim(
      dir_ + "/ports",
      {.com = 10, .extra = {"--drop-every", "3", "--corrupt-every", "2", "--noise", "--delay-ms", "20"}});
  ASSERT_TRUE(sim.ready());
  SerialClient line;
  ASSERT_TRUE(line.Open(sim.linkPath(), 57600));
  int good = 0, bad = 0, silent = 0;
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(line.Write(ShortRequest(150, 0x41)));
    Bytes got = line.ReadUntilQuiet(150, kAnswerMs);
    // Noise bytes have bit 7 clear; the frame starts at the first byte with bit 7 set.
    while (!got.empty() && !(got.front() & 0x80)) got.erase(got.begin());
    if (got.empty()) {
      ++silent;
    } else {
      ASSERT_EQ(got.size(), 152u);
      ShortFrameChecks(got) ? ++good : ++bad;
    }
  }
  // answers 1..6: ok, corrupt, dropped, corrupt, ok, dropped
  EXPECT_EQ(good, 2);
  EXPECT_EQ(bad, 2);
  EXPECT_EQ(silent, 2);
}

TEST_F(IgnsimProcess, PacedUnitAnswersWholeFramesAtOtherFamiliesToo) {
  SimProcess sim(dir_ + "/ports", {.com = 12, .family = "IGN300", .extra = {"--pace"}});
  ASSERT_TRUE(sim.ready());
  SerialClient line;
  ASSERT_TRUE(line.Open(sim.linkPath(), 115200));
  ASSERT_TRUE(line.Write(ShortRequest(300, 0x30)));
  const Bytes a = line.Read(302, kAnswerMs);
  ASSERT_EQ(a.size(), 302u);
  EXPECT_EQ(a[0], 0xB0);
  EXPECT_TRUE(ShortFrameChecks(a));
  EXPECT_EQ((a[2] << 8) | a[3], 108);
}

TEST_F(IgnsimProcess, StopsWhenItsInputCloses) {
  // SimProcess holds the unit's standard input; closing it must end the unit by itself.
  SimProcess sim(dir_ + "/ports", {.com = 11});
  ASSERT_TRUE(sim.ready());
  const std::string link = sim.linkPath();
  sim.closeInput();
  bool gone = false;
  for (int i = 0; i < 500 && !gone; ++i) {
    gone = !std::filesystem::exists(std::filesystem::symlink_status(link));
    if (!gone) ::usleep(10000);
  }
  EXPECT_TRUE(gone);
}

}  // namespace
}  // namespace ign::test
