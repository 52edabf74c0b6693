// The I/O thread's wait: a wake from another thread, received bytes and a
// hang-up each end it; a taken signal does not end the next one.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "core/comm/port_wake.h"
#include "core/comm/posix_serial.h"

namespace ign {
namespace {

// Far longer than any test may take: a wait that is not ended by its event
// shows up as a test time-out, never as a pass.
constexpr int kForeverMs = 600000;

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}

TEST(PortWake, SignalEndsWaitOnceAndIsTaken) {
  PortWake wake;
  ASSERT_TRUE(wake.Open());
  wake.Signal();
  wake.Signal();
  wake.Wait(kForeverMs);
  EXPECT_FALSE(Readable(wake.Fd())) << "two signals before a wait are taken by it together";
  wake.Signal();
  wake.Drain();
  EXPECT_FALSE(Readable(wake.Fd()));
}

TEST(PortWake, SignalFromAnotherThreadEndsWait) {
  PortWake wake;
  ASSERT_TRUE(wake.Open());
  std::thread waiter([&] { wake.Wait(kForeverMs); });
  wake.Signal();
  waiter.join();
}

TEST(PortWake, WithoutDescriptorWaitIsAShortNap) {
  PortWake wake;  // never opened
  wake.Signal();  // harmless
  wake.Wait(kForeverMs);
  EXPECT_EQ(wake.Fd(), -1);
}

// A pseudo-terminal whose far side the test holds.
struct PtyLine : ::testing::Test {
  int master = -1;
  std::string slave;
  void SetUp() override {
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    slave = ::ptsname(master);
  }
  void TearDown() override {
    if (master >= 0) ::close(master);
  }
};

TEST_F(PtyLine, DeviceWaitEndsOnReceivedBytesWakeAndHangUp) {
  PosixSerialDevice device;
  ASSERT_TRUE(device.Open(slave, 57600));
  PortWake wake;
  ASSERT_TRUE(wake.Open());

  std::thread writer([&] { ASSERT_EQ(::write(master, "\x55\xAA", 2), 2); });
  device.WaitForInput(wake, kForeverMs);
  writer.join();
  // The wait may end as the first byte lands; both are there soon after.
  for (int i = 0; i < 1000 && device.Waiting() < 2; ++i) device.WaitForInput(wake, 1);
  uint8_t got[2] = {};
  ASSERT_EQ(device.Read(got, 2), 2);
  EXPECT_EQ(got[0], 0x55);
  EXPECT_EQ(got[1], 0xAA);

  std::thread signaller([&] { wake.Signal(); });
  device.WaitForInput(wake, kForeverMs);
  signaller.join();
  EXPECT_FALSE(Readable(wake.Fd())) << "the wait takes the signal";

  ::close(master);
  master = -1;
  device.WaitForInput(wake, kForeverMs);
  EXPECT_EQ(device.Waiting(), -1) << "a hang-up ends the wait and shows as a lost device";
}

}  // namespace
}  // namespace ign
