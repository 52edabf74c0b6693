// The port layer on in-memory ports: requests, the I/O thread, the data path,
// enumeration and the trace.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/comm/comiosys.h"
#include "core/comm/memory_port.h"
#include "tests/comm/test_clock.h"

namespace ign {
namespace {

constexpr int kCapMs = 5000;

struct IoFixture : ::testing::Test {
  std::shared_ptr<MemoryPortSystem> system = std::make_shared<MemoryPortSystem>();
  std::shared_ptr<MemoryLine> line = system->Line(4);
  std::unique_ptr<CCOMIOSYS> io = std::make_unique<CCOMIOSYS>(test::Clock(), system);

  bool Until(const std::function<bool()>& done) {
    return test::TickUntil(
        done, [&] { io->ServicePorts(); }, kCapMs, 5);
  }
  uint8_t State(int port) { return io->Port(port).ioState.load(); }
  bool OpenSettled(int port) { return State(port) == IoState::Open && io->Port(port).request.load() == 0; }
  bool ClosedSettled(int port) {
    const CCOM& com = io->Port(port);
    return com.ioState.load() == IoState::Closed && com.request.load() == 0 &&
           com.threadState.load() == ThreadState::None;
  }
};

TEST_F(IoFixture, OpensAtBaudRateAndClosesByRequest) {
  io->RequestOpen(4, 57600);
  ASSERT_TRUE(Until([&] { return OpenSettled(4); }));
  EXPECT_TRUE(line->IsOpen());
  EXPECT_EQ(line->LastBaud(), 57600);
  EXPECT_STREQ(io->Port(4).lineSettings, "57600,N,8,1");
  io->RequestClose(4);
  ASSERT_TRUE(Until([&] { return ClosedSettled(4); }));
  EXPECT_FALSE(line->IsOpen());
}

TEST_F(IoFixture, ReopenWithNewBaudClosesFirst) {
  io->RequestOpen(4, 57600);
  ASSERT_TRUE(Until([&] { return OpenSettled(4); }));
  io->RequestOpen(4, 115200);
  EXPECT_EQ(io->Port(4).request.load(), PortRequest::Open | PortRequest::Close);
  ASSERT_TRUE(Until([&] { return OpenSettled(4) && line->OpenCount() == 2; }));
  EXPECT_EQ(line->LastBaud(), 115200);
}

TEST_F(IoFixture, FailedOpenLeavesClosedPortWithResultAndRetries) {
  line->SetOpenable(false);
  io->RequestOpen(4, 57600);
  ASSERT_TRUE(Until([&] { return ClosedSettled(4) && io->Port(4).result.load() == PortResult::OpenFailed; }));
  EXPECT_FALSE(io->Port(4).thread.joinable()) << "no thread is left behind";
  line->SetOpenable(true);
  io->RequestOpen(4, 57600);
  EXPECT_EQ(io->Port(4).result.load(), PortResult::None);
  ASSERT_TRUE(Until([&] { return OpenSettled(4); }));
}

TEST_F(IoFixture, PortNumbersOutOfRangeIgnored) {
  io->RequestOpen(300, 57600);
  io->RequestClose(256);
  io->RequestOpen(-1, 57600);
  for (int port = 0; port < 256; ++port) EXPECT_EQ(io->Port(port).request.load(), 0) << port;
}

TEST_F(IoFixture, BytesTravelBothWays) {
  io->RequestOpen(4, 57600);
  ASSERT_TRUE(Until([&] { return OpenSettled(4); }));
  CCOM& com = io->Port(4);
  const uint8_t out[] = {0x41, 1, 2, 3};
  ASSERT_TRUE(com.TxPut(out, sizeof out));
  ASSERT_TRUE(Until([&] { return com.TxIdle(); }));
  EXPECT_EQ(line->TakeSent(), std::vector<uint8_t>(out, out + sizeof out));
  line->Answer({0xC1, 9, 8});
  ASSERT_TRUE(Until([&] { return com.RxCount() == 3; }));
  uint8_t b = 0;
  ASSERT_TRUE(com.RxGet(b));
  EXPECT_EQ(b, 0xC1);
}

TEST_F(IoFixture, DeviceLostWhileOpenEndsInClosedPort) {
  io->RequestOpen(4, 57600);
  ASSERT_TRUE(Until([&] { return OpenSettled(4); }));
  line->Fail();
  ASSERT_TRUE(Until([&] { return ClosedSettled(4); }));
  EXPECT_EQ(io->Port(4).result.load(), PortResult::DeviceLost);
}

TEST_F(IoFixture, EnumerationMarksPresentPortsAndReportsChanges) {
  system->Line(12);
  io->ServicePorts();
  EXPECT_TRUE(io->Enumerated());
  EXPECT_TRUE(io->PortListChanged());
  EXPECT_TRUE(io->IsPresent(12));
  EXPECT_TRUE(io->IsPresent(4));
  EXPECT_FALSE(io->IsPresent(5));
  EXPECT_EQ(io->PresentPorts(), (std::vector<int>{4, 12}));
  io->ClearPortListChanged();
  EXPECT_FALSE(io->EnumeratePorts()) << "nothing changed";
  system->SetPresent(12, false);
  EXPECT_TRUE(io->EnumeratePorts());
  EXPECT_FALSE(io->IsPresent(12));
}

TEST_F(IoFixture, FailedListingCountsLowPortsPresent) {
  system->SetListFails(true);
  EXPECT_TRUE(io->EnumeratePorts());
  for (int port = 0; port < 30; ++port) EXPECT_TRUE(io->IsPresent(port)) << port;
  EXPECT_FALSE(io->IsPresent(30));
}

TEST_F(IoFixture, EnumeratesOncePerSecond) {
  io->ServicePorts();
  io->ClearPortListChanged();
  system->Line(20);
  io->ServicePorts();
  EXPECT_FALSE(io->IsPresent(20)) << "too early for the next enumeration";
  test::AdvanceMs(1050);
  io->ServicePorts();
  EXPECT_TRUE(io->IsPresent(20));
  EXPECT_TRUE(io->PortListChanged());
}

TEST_F(IoFixture, DestroyingWithOpenPortsIsPrompt) {
  system->Line(5);
  io->RequestOpen(4, 57600);
  io->RequestOpen(5, 57600);
  ASSERT_TRUE(Until([&] { return OpenSettled(4) && OpenSettled(5); }));
  io.reset();  // a hang here fails the test by its time limit
  EXPECT_FALSE(line->IsOpen());
}

TEST(IoTrace, TransmissionsTracedExceptMonitorRequests) {
  char path[] = "/tmp/ign-trace-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  auto system = std::make_shared<MemoryPortSystem>();
  auto line = system->Line(2);
  {
    CCOMIOSYS io(test::Clock(), system);
    ASSERT_TRUE(io.Trace().Open(path));
    io.RequestOpen(2, 57600);
    ASSERT_TRUE(test::TickUntil([&] { return io.Port(2).ioState.load() == IoState::Open; },
                                [&] { io.ServicePorts(); }, kCapMs, 5));
    const uint8_t monitor[] = {0x30, 0x00};
    const uint8_t read[] = {0x41, 0xAB};
    ASSERT_TRUE(io.Port(2).TxPut(monitor, 2));
    ASSERT_TRUE(test::TickUntil([&] { return io.Port(2).TxIdle(); }, nullptr, kCapMs, 1));
    ASSERT_TRUE(io.Port(2).TxPut(read, 2));
    ASSERT_TRUE(test::TickUntil([&] { return io.Port(2).TxIdle(); }, nullptr, kCapMs, 1));
    io.TraceLine("hello");
  }
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  const std::string log = text.str();
  EXPECT_NE(log.find("]OPEN COM2 (57600,N,8,1)"), std::string::npos) << log;
  EXPECT_NE(log.find("41\tab\t\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("30\t00\t"), std::string::npos) << "monitor requests stay out of the trace";
  EXPECT_NE(log.find(") hello"), std::string::npos) << log;
  EXPECT_EQ(line->TakeSent(), (std::vector<uint8_t>{0x30, 0x00, 0x41, 0xAB}));
  std::remove(path);
}

}  // namespace
}  // namespace ign

namespace ign {
namespace {

TEST_F(IoFixture, OpenThatHangsIsGivenUpAfterFiveSecondsAndClosedLater) {
  line->SetOpenHangs(true);
  io->RequestOpen(4, 57600);
  const int64_t commanded = test::Clock().Ms();
  io->ServicePorts();
  ASSERT_TRUE(Until([&] { return State(4) == IoState::Opening; }));
  ASSERT_LT(test::Clock().Ms() - commanded, 4950);
  test::AdvanceMs(int(4950 - (test::Clock().Ms() - commanded)));
  io->ServicePorts();
  EXPECT_EQ(io->Port(4).result.load(), PortResult::None) << "still within the limit";
  test::AdvanceMs(100);
  io->ServicePorts();
  EXPECT_EQ(io->Port(4).result.load(), PortResult::OpenTimedOut);
  EXPECT_EQ(io->Port(4).request.load(), PortRequest::Close);
  // When the system call finally returns, the port is closed as asked.
  line->SetOpenHangs(false);
  ASSERT_TRUE(Until([&] { return ClosedSettled(4); }));
  EXPECT_FALSE(line->IsOpen());
  EXPECT_EQ(io->Port(4).result.load(), PortResult::OpenTimedOut);
}

TEST_F(IoFixture, DeviceNamesForMenus) {
  EXPECT_EQ(io->DevicePathOf(4), "mem:COM4");
  EXPECT_EQ(io->DeviceNameOf(4), "mem:COM4") << "an unresolvable path is shown as it is";
  EXPECT_EQ(io->DevicePathOf(0), "");
  EXPECT_EQ(io->DevicePathOf(256), "");
}

}  // namespace
}  // namespace ign

namespace ign {
namespace {

std::string TempPath() {
  char path[] = "/tmp/ign-trace-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd >= 0) ::close(fd);
  return path;
}

std::string ReadAll(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

struct TracedIo : IoFixture {
  std::string trace = TempPath();
  void SetUp() override { ASSERT_TRUE(io->Trace().Open(trace)); }
  void TearDown() override {
    io.reset();
    std::remove(trace.c_str());
  }
};

TEST_F(TracedIo, OpenErrorKeptPerPortAndTracedWithTheDevice) {
  line->SetOpenError(EACCES);
  io->RequestOpen(4, 57600);
  ASSERT_TRUE(Until([&] { return ClosedSettled(4) && io->Port(4).result.load() == PortResult::OpenFailed; }));
  EXPECT_EQ(io->OpenError(4), EACCES);
  EXPECT_EQ(io->OpenError(5), 0) << "other ports keep their own";
  EXPECT_NE(ReadAll(trace).find("]OPEN FAIL COM4 mem:COM4: Permission denied\n"), std::string::npos)
      << ReadAll(trace);

  line->SetOpenError(0);
  io->RequestOpen(4, 57600);
  ASSERT_TRUE(Until([&] { return OpenSettled(4); }));
  EXPECT_EQ(io->OpenError(4), 0) << "a successful open clears the error";
}

TEST_F(TracedIo, ShortAndFailedWritesCountedAndTraced) {
  io->RequestOpen(4, 57600);
  ASSERT_TRUE(Until([&] { return OpenSettled(4); }));
  CCOM& com = io->Port(4);
  const uint8_t frame[] = {0x41, 1, 2, 3, 4};

  ASSERT_TRUE(com.TxPut(frame, sizeof frame));
  ASSERT_TRUE(Until([&] { return com.TxIdle(); }));
  EXPECT_EQ(io->ShortWriteCount(), 0) << "a whole write is not counted";

  line->SetWriteLimit(3);
  ASSERT_TRUE(com.TxPut(frame, sizeof frame));
  ASSERT_TRUE(Until([&] { return com.TxIdle(); }));
  EXPECT_EQ(io->ShortWriteCount(), 1);
  EXPECT_EQ(line->TakeSent(), (std::vector<uint8_t>{0x41, 1, 2, 3, 4, 0x41, 1, 2}));
  const std::string expected = "COM4: short write, 3 of 5 bytes written (errno " + std::to_string(EAGAIN) +
                               ": " + std::strerror(EAGAIN) + ")";
  EXPECT_NE(ReadAll(trace).find(expected), std::string::npos) << ReadAll(trace);

  line->SetWriteLimit(0);
  ASSERT_TRUE(com.TxPut(frame, 2));
  ASSERT_TRUE(Until([&] { return com.TxIdle(); }));
  EXPECT_EQ(io->ShortWriteCount(), 2) << "a write that takes nothing counts as well";
  EXPECT_NE(ReadAll(trace).find("COM4: short write, 0 of 2 bytes written"), std::string::npos);
}

}  // namespace
}  // namespace ign
