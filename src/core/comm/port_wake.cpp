#include "core/comm/port_wake.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace ign {

PortWake::~PortWake() {
  const int fd = fd_.exchange(-1);
  if (fd >= 0) ::close(fd);
}

bool PortWake::Open() {
  if (IsOpen()) return true;
  const int fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (fd < 0) return false;
  int expected = -1;
  if (!fd_.compare_exchange_strong(expected, fd, std::memory_order_acq_rel)) ::close(fd);
  return true;
}

void PortWake::Signal() const {
  const int fd = Fd();
  if (fd < 0) return;
  const uint64_t one = 1;
  // A full counter (never in practice) still leaves the descriptor readable.
  [[maybe_unused]] const ssize_t n = ::write(fd, &one, sizeof one);
}

void PortWake::Drain() const {
  const int fd = Fd();
  if (fd < 0) return;
  uint64_t count = 0;
  [[maybe_unused]] const ssize_t n = ::read(fd, &count, sizeof count);
}

void PortWake::Wait(int maxMs) const {
  const int fd = Fd();
  if (fd < 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(maxMs, 1)));
    return;
  }
  pollfd p{fd, POLLIN, 0};
  ::poll(&p, 1, maxMs);
  Drain();
}

}  // namespace ign
