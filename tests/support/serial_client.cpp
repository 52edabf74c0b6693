#include "tests/support/serial_client.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace ign::test {
namespace {

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B0;
  }
}

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

SerialClient::~SerialClient() { Close(); }

bool SerialClient::Open(const std::string& path, int baud) {
  Close();
  fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return false;
  if (!SetBaud(baud)) {
    Close();
    return false;
  }
  ::tcflush(fd_, TCIOFLUSH);
  return true;
}

bool SerialClient::SetBaud(int baud) {
  termios t{};
  if (fd_ < 0 || ::tcgetattr(fd_, &t) != 0) return false;
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  ::cfsetispeed(&t, SpeedOf(baud));
  ::cfsetospeed(&t, SpeedOf(baud));
  return ::tcsetattr(fd_, TCSANOW, &t) == 0;
}

void SerialClient::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool SerialClient::Write(const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  const std::int64_t end = NowMs() + 2000;
  while (done < bytes.size() && NowMs() < end) {
    const ssize_t w = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (w > 0) {
      done += static_cast<std::size_t>(w);
    } else if (w < 0 && errno != EAGAIN && errno != EINTR) {
      return false;
    } else {
      pollfd p{fd_, POLLOUT, 0};
      ::poll(&p, 1, 10);
    }
  }
  return done == bytes.size();
}

std::vector<std::uint8_t> SerialClient::Read(std::size_t n, int timeoutMs) {
  std::vector<std::uint8_t> out;
  const std::int64_t end = NowMs() + timeoutMs;
  while (out.size() < n) {
    const std::int64_t left = end - NowMs();
    if (left <= 0) break;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    if (p.revents & (POLLHUP | POLLERR)) break;
    std::uint8_t buf[4096];
    const ssize_t r = ::read(fd_, buf, std::min(sizeof buf, n - out.size()));
    if (r > 0)
      out.insert(out.end(), buf, buf + r);
    else if (r == 0 || (errno != EAGAIN && errno != EINTR))
      break;
  }
  return out;
}

std::vector<std::uint8_t> SerialClient::ReadUntilQuiet(int quietMs, int capMs) {
  std::vector<std::uint8_t> out;
  const std::int64_t end = NowMs() + capMs;
  while (NowMs() < end) {
    pollfd p{fd_, POLLIN, 0};
    const int r = ::poll(&p, 1, quietMs);
    if (r <= 0) break;
    if (p.revents & (POLLHUP | POLLERR)) break;
    std::uint8_t buf[4096];
    const ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n > 0)
      out.insert(out.end(), buf, buf + n);
    else if (n == 0 || (errno != EAGAIN && errno != EINTR))
      break;
  }
  return out;
}

}  // namespace ign::test
