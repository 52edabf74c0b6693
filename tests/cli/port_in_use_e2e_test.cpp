// A port is one program's: ignctl against a port that another program holds
// stops at once with exit 6 and says so, and leaves the holder's line alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "run_process.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

std::string Ignctl() { return std::string(IGN_BINARY_DIR) + "/src/cli/ignctl"; }

// Longer than any cap below: an ignctl that waited for its time-out instead of
// stopping at once would be killed at the cap (exit code -1).
const std::string kLongTimeout = "120";
constexpr double kCapSeconds = 30;

class PortInUseE2E : public ::testing::Test {
 protected:
  PortInUseE2E() : dir_(MakeTempDir()), ports_(dir_ + "/ports") {}
  ProcessResult Run(std::vector<std::string> args, double cap = kCapSeconds,
                    const std::function<bool(const ProcessResult&)>& interruptWhen = {}) {
    args.insert(args.begin(), Ignctl());
    return RunProcess(args,
                      {"IGN_PORT_DIR=" + ports_, "XDG_STATE_HOME=" + dir_ + "/state",
                       "IGN_SETTINGS_DIR=" + dir_ + "/settings"},
                      cap, interruptWhen);
  }
  // What every command says about a held port, checked together.
  void ExpectRefused(int com) {
    const std::string port = "COM" + std::to_string(com);
    ProcessResult read =
        Run({"read", "--port", std::to_string(com), "--timeout", kLongTimeout, "-o", dir_ + "/unit.bin"});
    EXPECT_EQ(read.exitCode, 6) << read.err;
    EXPECT_NE(read.err.find("ignctl: " + port + ": in use by another program"), std::string::npos)
        << read.err;
    EXPECT_EQ(::access((dir_ + "/unit.bin").c_str(), F_OK), -1) << "nothing was read";

    ProcessResult ports = Run({"ports"});
    EXPECT_EQ(ports.exitCode, 0) << ports.err;
    const size_t line = ports.out.find(port + " ");
    ASSERT_NE(line, std::string::npos) << ports.out;
    const std::string text = ports.out.substr(line, ports.out.find('\n', line) - line);
    EXPECT_NE(text.find("present, in use by another program"), std::string::npos) << ports.out;

    // The search finds no unit anywhere else and names the port it had to skip.
    ProcessResult search = Run({"info", "--port", "0", "--timeout", "3"});
    EXPECT_EQ(search.exitCode, 6) << search.err;
    EXPECT_NE(search.err.find("no unit found within 3 s"), std::string::npos) << search.err;
    EXPECT_NE(search.err.find("ignctl: " + port + ": in use by another program"), std::string::npos)
        << search.err;
  }

  std::string dir_, ports_;
};

// The holder is another ignctl, watching the unit for a long time; it keeps
// its link while the others are turned away, and ends well when asked to.
TEST_F(PortInUseE2E, RunningMonitorKeepsThePortAndItsLink) {
  SimProcess sim(ports_, {.com = 5});
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();

  std::mutex mutex;
  std::condition_variable changed;
  bool watching = false, ended = false;
  std::atomic<bool> stop{false};
  ProcessResult monitor;
  std::thread holder([&] {
    ProcessResult r =
        Run({"monitor", "--port", "5", "--seconds", "60"}, 90, [&](const ProcessResult& so_far) {
          if (so_far.out.find("RPM = ") != std::string::npos) {
            std::lock_guard lock(mutex);
            watching = true;
            changed.notify_all();
          }
          return stop.load();
        });
    std::lock_guard lock(mutex);
    monitor = std::move(r);
    ended = true;
    changed.notify_all();
  });
  {
    std::unique_lock lock(mutex);
    changed.wait_for(lock, std::chrono::seconds(30), [&] { return watching || ended; });
    EXPECT_TRUE(watching && !ended) << "the monitor must be watching the unit: " << monitor.err;
  }
  ExpectRefused(5);

  stop = true;  // Ctrl+C
  holder.join();
  std::lock_guard lock(mutex);
  EXPECT_EQ(monitor.exitCode, 0) << "a monitor whose link dropped ends with 1: " << monitor.err;
  EXPECT_EQ(monitor.err.find("stopped answering"), std::string::npos) << monitor.err;

  // Free again.
  ProcessResult read = Run({"read", "--port", "5", "-o", dir_ + "/unit.bin"});
  EXPECT_EQ(read.exitCode, 0) << read.err;
}

// The holder is a serial program of another kind that does no more than take
// the advisory lock: it is honoured, and its line keeps the holder's speed.
TEST_F(PortInUseE2E, LockOfAnotherSerialProgramIsHonouredAndItsLineLeftAlone) {
  SimProcess sim(ports_, {.com = 4});
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  const int fd = ::open(sim.linkPath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  termios t{};
  ASSERT_EQ(::tcgetattr(fd, &t), 0);
  ::cfmakeraw(&t);
  ::cfsetispeed(&t, B9600);  // a speed no probe uses
  ::cfsetospeed(&t, B9600);
  ASSERT_EQ(::tcsetattr(fd, TCSANOW, &t), 0);
  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);

  ExpectRefused(4);

  ASSERT_EQ(::tcgetattr(fd, &t), 0);
  EXPECT_EQ(::cfgetospeed(&t), speed_t(B9600)) << "nobody set the line";
  ::close(fd);

  ProcessResult info = Run({"info", "--port", "4"});
  EXPECT_EQ(info.exitCode, 0) << info.err;
}

}  // namespace
}  // namespace ign::test
