#include "sim/pty_port.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace ign::sim {
namespace {

struct SpeedEntry {
  speed_t speed;
  int baud;
};

constexpr SpeedEntry kSpeeds[] = {
    {B300, 300},       {B600, 600},       {B1200, 1200},     {B2400, 2400},     {B4800, 4800},
    {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},   {B115200, 115200},
    {B230400, 230400}, {B460800, 460800}, {B500000, 500000}, {B921600, 921600},
};

}  // namespace

int SpeedToBaud(unsigned speed) {
  for (const auto& e : kSpeeds)
    if (e.speed == speed) return e.baud;
  return 0;
}

unsigned BaudToSpeed(int baud) {
  for (const auto& e : kSpeeds)
    if (e.baud == baud) return e.speed;
  return 0;
}

PtyPort::~PtyPort() { Close(); }

bool PtyPort::Open(const std::string& portDir, int com, std::string* error) {
  const auto fail = [&](const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    Close();
    return false;
  };
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) return fail("posix_openpt");
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return fail("grantpt/unlockpt");
  const char* name = ::ptsname(master_);
  if (!name) return fail("ptsname");
  slave_ = name;
  keeper_ = ::open(slave_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (keeper_ < 0) return fail("open " + slave_);
  termios t{};
  if (::tcgetattr(keeper_, &t) != 0) return fail("tcgetattr");
  ::cfmakeraw(&t);
  // Start at a speed no unit speaks, so that a program that never sets one gets no answer.
  ::cfsetispeed(&t, B300);
  ::cfsetospeed(&t, B300);
  if (::tcsetattr(keeper_, TCSANOW, &t) != 0) return fail("tcsetattr");

  std::error_code ec;
  std::filesystem::create_directories(portDir, ec);
  const std::string link = (std::filesystem::path(portDir) / ("COM" + std::to_string(com))).string();
  std::filesystem::remove(link, ec);
  if (::symlink(slave_.c_str(), link.c_str()) != 0) return fail("symlink " + link);
  link_ = link;
  return true;
}

int PtyPort::LineBaud() const {
  if (master_ < 0) return 0;
  termios t{};
  // On Linux the master answers with the settings of the slave side.
  if (::tcgetattr(master_, &t) != 0) return 0;
  return SpeedToBaud(::cfgetospeed(&t));
}

int PtyPort::Unread() const {
  int n = 0;
  if (keeper_ < 0 || ::ioctl(keeper_, FIONREAD, &n) != 0) return -1;
  return n;
}

void PtyPort::Close() {
  if (!link_.empty()) {
    ::unlink(link_.c_str());
    link_.clear();
  }
  if (keeper_ >= 0) ::close(keeper_), keeper_ = -1;
  if (master_ >= 0) ::close(master_), master_ = -1;
}

}  // namespace ign::sim
