// Why a port could not be opened: the errno from the real device layer, and
// the words the user sees for it.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/comm/port_error.h"
#include "core/comm/posix_serial.h"
#include "core/text/language.h"
#include "core/text/lngstr.h"

namespace ign {
namespace {

std::string In(const std::string& packed, int language) {
  return CPackedText(packed.c_str()).Resolve(language);
}

TEST(OpenErrorText, PermissionNamesCauseAndFixInEveryLanguage) {
  for (int error : {EACCES, EPERM}) {
    SCOPED_TRACE(error);
    const std::string packed = OpenErrorStatusText(7, error);
    EXPECT_EQ(In(packed, LNG_ENGLISH), "COM 7: permission denied (add your user to the dialout group)");
    EXPECT_EQ(In(packed, LNG_DEUTSCH), "COM 7: Zugriff verweigert (Benutzer zur Gruppe dialout hinzufügen)");
    EXPECT_EQ(In(packed, LNG_CESKY), "COM 7: přístup odepřen (přidejte uživatele do skupiny dialout)");
    EXPECT_NE(OpenErrorHint(error).find("dialout group"), std::string::npos);
  }
}

TEST(OpenErrorText, OtherErrorsGiveTheSystemText) {
  for (int error : {ENOENT, ENODEV, EIO}) {
    SCOPED_TRACE(error);
    const std::string system = SystemErrorText(error);
    EXPECT_EQ(system, std::strerror(error));
    const std::string packed = OpenErrorStatusText(12, error);
    for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY})
      EXPECT_EQ(In(packed, language), "COM 12: " + system);
    EXPECT_EQ(OpenErrorHint(error), system);
    EXPECT_EQ(OpenErrorHint(error).find("dialout"), std::string::npos);
  }
}

TEST(OpenErrorText, HeldLineNamesTheOtherProgramInEveryLanguage) {
  const std::string packed = OpenErrorStatusText(3, EBUSY);
  EXPECT_EQ(In(packed, LNG_ENGLISH), "COM 3: in use by another program");
  EXPECT_EQ(In(packed, LNG_DEUTSCH), "COM 3: von einem anderen Programm belegt");
  EXPECT_EQ(In(packed, LNG_CESKY), "COM 3: obsazeno jiným programem");
  EXPECT_EQ(OpenErrorHint(EBUSY), "in use by another program");
  EXPECT_EQ(In(kPortInUseCaption, LNG_ENGLISH), "in use");
  EXPECT_EQ(In(kPortInUseCaption, LNG_DEUTSCH), "belegt");
  EXPECT_EQ(In(kPortInUseCaption, LNG_CESKY), "obsazeno");
}

TEST(OpenErrorText, OnlyBusyMeansHeldByAnotherProgram) {
  struct Case {
    int error;
    bool inUse, permission;
  };
  const Case cases[] = {{EBUSY, true, false}, {EAGAIN, false, false}, {EACCES, false, true},
                        {EPERM, false, true}, {ENOENT, false, false}, {EIO, false, false},
                        {0, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    EXPECT_EQ(IsInUseError(c.error), c.inUse);
    EXPECT_EQ(IsPermissionError(c.error), c.permission);
  }
}

struct TempFile {
  std::string path;
  TempFile() {
    char name[] = "/tmp/ign-port-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0) ::close(fd);
    path = name;
  }
  ~TempFile() { std::remove(path.c_str()); }
};

// A pseudo-terminal whose slave side stands in for a serial device.
struct Pty {
  int master = -1;
  std::string slave;
  Pty() {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0) slave = ::ptsname(master);
  }
  ~Pty() {
    if (master >= 0) ::close(master);
  }
};

TEST(PosixOpen, FailureGivesTheErrnoOfTheCallThatFailed) {
  TempFile plain;  // exists and opens, but is no terminal
  Pty pty;
  ASSERT_FALSE(pty.slave.empty());
  struct Case {
    const char* what;
    std::string path;
    int baud;
    int error;
  };
  const Case cases[] = {
      {"missing device", "/nonexistent/ign-no-such-port", 57600, ENOENT},
      {"empty path", "", 57600, ENOENT},
      {"not a terminal", plain.path, 57600, ENOTTY},
      {"baud rate the line cannot run", pty.slave, 12345, EINVAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PosixSerialDevice device;
    const OpenResult result = device.Open(c.path, c.baud);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, c.error) << SystemErrorText(result.error);
    EXPECT_EQ(device.Waiting(), -1) << "nothing is left open";
  }
  EXPECT_EQ(TryOpenDevice(pty.slave), 0);
  PosixSerialDevice device;
  const OpenResult ok = device.Open(pty.slave, 57600);
  EXPECT_TRUE(ok);
  EXPECT_EQ(ok.error, 0);
  EXPECT_EQ(TryOpenDevice("/nonexistent/ign-no-such-port"), ENOENT);
  EXPECT_EQ(TryOpenDevice(plain.path), ENOTTY);
}

// The settings a line runs at, as any descriptor of it sees them.
speed_t LineSpeed(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  termios t{};
  const bool ok = fd >= 0 && ::tcgetattr(fd, &t) == 0;
  if (fd >= 0) ::close(fd);
  return ok ? ::cfgetospeed(&t) : B0;
}

// Whether the terminal is in exclusive mode (asked through a descriptor of our own).
int ExclusiveMode(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  int exclusive = -1;
  if (fd >= 0 && ::ioctl(fd, TIOCGEXCL, &exclusive) != 0) exclusive = -1;
  if (fd >= 0) ::close(fd);
  return exclusive;
}

TEST(PosixOpen, OpenLineIsExclusiveUntilClosed) {
  Pty pty;
  ASSERT_FALSE(pty.slave.empty());
  EXPECT_EQ(ExclusiveMode(pty.slave), 0);
  {
    PosixSerialDevice holder;
    ASSERT_TRUE(holder.Open(pty.slave, 57600));
    EXPECT_EQ(ExclusiveMode(pty.slave), 1) << "other users are refused by the terminal";
    PosixSerialDevice second;
    EXPECT_EQ(second.Open(pty.slave, 57600).error, EBUSY) << "and, root or not, by the lock";
    EXPECT_EQ(TryOpenDevice(pty.slave), EBUSY);
    holder.PurgeAndClose();
    EXPECT_EQ(ExclusiveMode(pty.slave), 0) << "the exclusive mode ends with the close";
    EXPECT_TRUE(second.Open(pty.slave, 57600)) << "a closed line is free again";
  }
  // The destructor gives the line back as well.
  PosixSerialDevice again;
  EXPECT_TRUE(again.Open(pty.slave, 57600));
}

// Another program that holds the line with no more than the advisory lock,
// at its own speed and with input it has not read yet: the open fails and
// leaves all of that as it was.
TEST(PosixOpen, LineLockedByAnotherProgramIsLeftAsItIs) {
  Pty pty;
  ASSERT_FALSE(pty.slave.empty());
  const int other = ::open(pty.slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(other, 0);
  termios t{};
  ASSERT_EQ(::tcgetattr(other, &t), 0);
  ::cfmakeraw(&t);
  ::cfsetispeed(&t, B9600);
  ::cfsetospeed(&t, B9600);
  ASSERT_EQ(::tcsetattr(other, TCSANOW, &t), 0);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  const char waiting[] = "unread";
  ASSERT_EQ(::write(pty.master, waiting, 6), 6);
  pollfd arrived{other, POLLIN, 0};  // the pty hands the bytes over asynchronously
  ASSERT_EQ(::poll(&arrived, 1, 5000), 1);
  int queued = 0;
  ::ioctl(other, FIONREAD, &queued);
  ASSERT_EQ(queued, 6);

  PosixSerialDevice device;
  EXPECT_EQ(device.Open(pty.slave, 57600).error, EBUSY);
  EXPECT_EQ(TryOpenDevice(pty.slave), EBUSY);
  EXPECT_EQ(LineSpeed(pty.slave), speed_t(B9600)) << "the line keeps the other program's speed";
  ::ioctl(other, FIONREAD, &queued);
  EXPECT_EQ(queued, 6) << "its input is not flushed";
  EXPECT_EQ(ExclusiveMode(pty.slave), 0);

  ::close(other);
  EXPECT_TRUE(device.Open(pty.slave, 57600));
}

// Root opens a mode-000 device regardless, so as root the open is tried in a
// child process that has given up root for the "nobody" user first.
TEST(PosixOpen, DeviceWithoutPermissionGivesEacces) {
  Pty pty;
  ASSERT_FALSE(pty.slave.empty());
  ASSERT_EQ(::chmod(pty.slave.c_str(), 0), 0);
  if (::geteuid() != 0) {
    PosixSerialDevice device;
    EXPECT_EQ(device.Open(pty.slave, 57600).error, EACCES);
    EXPECT_EQ(TryOpenDevice(pty.slave), EACCES);
    return;
  }
  constexpr int kCannotDrop = 250;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
      ::_exit(kCannotDrop);
    PosixSerialDevice device;
    const int openError = device.Open(pty.slave, 57600).error;
    const int tryError = TryOpenDevice(pty.slave);
    ::_exit(openError == tryError ? openError : 251);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == kCannotDrop)
    GTEST_SKIP() << "running as root without the right to become another user: mode 000 cannot be tested";
  EXPECT_EQ(WEXITSTATUS(status), EACCES) << SystemErrorText(WEXITSTATUS(status));
}

}  // namespace
}  // namespace ign
