#include "core/comm/posix_serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "core/comm/comm_const.h"

namespace ign {

namespace {

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B0;
  }
}

// Takes the advisory lock that every program using the line honours. EBUSY
// when another open of the device holds it; a device or file system without
// such locks is used without one.
int LockLine(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
  if (errno == EWOULDBLOCK) return EBUSY;
  return 0;
}

}  // namespace

int TryOpenDevice(const std::string& path) {
  if (path.empty()) return ENOENT;
  // The exclusive mode of a held line refuses this open (EBUSY) unless we are
  // root; its lock refuses it in any case. Nothing is set on the line.
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = ::isatty(fd) ? 0 : errno;
  if (error == 0) error = LockLine(fd);
  ::close(fd);
  return error;
}

PosixSerialDevice::~PosixSerialDevice() { PurgeAndClose(); }

OpenResult PosixSerialDevice::FailOpen(int error) {
  // Closing gives up the lock; the exclusive mode, where it was set, goes with
  // TIOCNXCL. Nothing is flushed: the line may be another program's.
  if (fd_ >= 0) ReleaseAndClose();
  fd_ = -1;
  return OpenResult::Failed(error != 0 ? error : EIO);
}

OpenResult PosixSerialDevice::Open(const std::string& path, int baud) {
  PurgeAndClose();
  lastError_ = 0;
  if (path.empty()) return OpenResult::Failed(ENOENT);
  const speed_t speed = SpeedOf(baud);
  if (speed == B0) return OpenResult::Failed(EINVAL);
  // A line is one program's: its exclusive mode refuses further opens (root
  // excepted) and the lock tells every program that honours it, root too.
  // A line another program holds is left exactly as it is: the lock is taken
  // before anything is set or flushed.
  fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return FailOpen(errno);
  if (!::isatty(fd_)) return FailOpen(errno);
  if (const int held = LockLine(fd_); held != 0) return FailOpen(held);
  if (::ioctl(fd_, TIOCEXCL) != 0) return FailOpen(errno);
  exclusive_ = true;
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0) return FailOpen(errno);
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return FailOpen(errno);
  ::tcflush(fd_, TCIOFLUSH);
  return OpenResult::Ok();
}

int PosixSerialDevice::Waiting() {
  if (fd_ < 0) return -1;
  // A device that has gone away (adapter pulled, pseudo-terminal master closed)
  // reports a hang-up or an error on poll.
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, 0) < 0 && errno != EINTR) return -1;
  if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return -1;
  int waiting = 0;
  if (::ioctl(fd_, FIONREAD, &waiting) != 0) return -1;
  return waiting < 0 ? 0 : waiting;
}

int PosixSerialDevice::Read(uint8_t* buf, int n) {
  if (fd_ < 0) return -1;
  if (n <= 0) return 0;
  const ssize_t got = ::read(fd_, buf, size_t(n));
  if (got >= 0) return int(got);
  return (errno == EAGAIN || errno == EINTR) ? 0 : -1;
}

int PosixSerialDevice::Write(const uint8_t* buf, int n) {
  lastError_ = 0;
  if (fd_ < 0) {
    lastError_ = EBADF;
    return -1;
  }
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteDeadlineMs);
  int done = 0;
  while (done < n) {
    const ssize_t put = ::write(fd_, buf + done, size_t(n - done));
    if (put > 0) {
      done += int(put);
      continue;
    }
    if (put < 0 && errno != EAGAIN && errno != EINTR) {
      lastError_ = errno;
      return -1;
    }
    if (Clock::now() >= deadline) {
      lastError_ = EAGAIN;  // the line would not take more in time
      break;
    }
    pollfd p{fd_, POLLOUT, 0};
    ::poll(&p, 1, 5);
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
      lastError_ = EIO;
      return -1;
    }
  }
  return done;
}

void PosixSerialDevice::WaitForInput(const PortWake& wake, int maxMs) {
  if (fd_ < 0 || !wake.IsOpen()) {
    ISerialDevice::WaitForInput(wake, maxMs);
    return;
  }
  pollfd p[2] = {{fd_, POLLIN, 0}, {wake.Fd(), POLLIN, 0}};
  ::poll(p, 2, maxMs);
  wake.Drain();
}

void PosixSerialDevice::PurgeAndClose() {
  if (fd_ < 0) return;
  ::tcflush(fd_, TCIOFLUSH);
  ReleaseAndClose();
}

void PosixSerialDevice::ReleaseAndClose() {
  // The exclusive mode belongs to the terminal, not to this descriptor: it
  // would outlast the close while another descriptor keeps the terminal.
  if (exclusive_) ::ioctl(fd_, TIOCNXCL);
  exclusive_ = false;
  ::close(fd_);  // gives the lock back
  fd_ = -1;
}

}  // namespace ign
