// Why a port could not be opened: the errno from the real device layer, and
// the words the user sees for it.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
  for (int error : {ENOENT, EBUSY, EIO}) {
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
  PosixSerialDevice device;
  const OpenResult ok = device.Open(pty.slave, 57600);
  EXPECT_TRUE(ok);
  EXPECT_EQ(ok.error, 0);
  EXPECT_EQ(TryOpenDevice(pty.slave), 0);
  EXPECT_EQ(TryOpenDevice("/nonexistent/ign-no-such-port"), ENOENT);
  EXPECT_EQ(TryOpenDevice(plain.path), ENOTTY);
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
