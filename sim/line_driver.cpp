#include "sim/line_driver.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include <poll.h>
#include <unistd.h>

namespace ign::sim {
namespace {

constexpr std::size_t kMaxQueued = 1 << 20;  // bytes waiting for a program that does not read
constexpr int kIdlePollMs = 100;             // also bounds the reaction to a stop signal
constexpr std::int64_t kHangupSettleUs = 50000;
constexpr std::int64_t kHangupDrainUs = 1000000;

FaultSettings FaultsOf(const SimOptions& o) {
  FaultSettings f;
  f.dropEvery = o.dropEvery;
  f.corruptEvery = o.corruptEvery;
  f.noise = o.noise;
  f.hangupAfter = o.hangupAfter;
  f.corruptStreamEvery = o.corruptStreamEvery;
  f.headerFamily = IsHeaderFamily(o.family);
  f.seed = o.seed;
  return f;
}

}  // namespace

std::int64_t MonotonicUs() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

LineDriver::LineDriver(const SimOptions& opts, PtyPort& port, std::unique_ptr<SimUnit> unit)
    : opts_(opts), port_(port), unit_(std::move(unit)), reader_(opts.family), faults_(FaultsOf(opts)) {
  unit_->PowerOn(MonotonicUs() / 1000);
}

void LineDriver::Schedule(const std::vector<std::uint8_t>& bytes, std::int64_t atUs, bool hangup) {
  if (bytes.empty()) {
    if (hangup) out_.push_back({atUs, 0, true});
    return;
  }
  const std::int64_t byteUs = opts_.pace && opts_.baud > 0 ? 10'000'000LL / opts_.baud : 0;
  std::int64_t t = std::max(atUs, lineFreeUs_);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (out_.size() >= kMaxQueued) break;
    out_.push_back({t, bytes[i], hangup && i + 1 == bytes.size()});
    t += byteUs;
  }
  lineFreeUs_ = t;
}

void LineDriver::OnBytes(const std::uint8_t* data, std::size_t n, std::int64_t nowUs) {
  if (hangupSinceUs_ >= 0) return;  // the line is going down
  if (opts_.echo) {
    Schedule(std::vector<std::uint8_t>(data, data + n), nowUs, false);
    return;
  }
  const std::int64_t nowMs = nowUs / 1000;
  const std::int64_t byteUs = opts_.pace && opts_.baud > 0 ? 10'000'000LL / opts_.baud : 0;
  for (std::size_t i = 0; i < n; ++i) {
    // Paced, a request is whole only once its last byte has crossed the line.
    inArrivedUs_ = std::max(inArrivedUs_, nowUs) + byteUs;
    for (const Request& r : reader_.Feed(data[i], nowMs)) {
      // Bytes sent at another speed would arrive garbled at a real unit: no answer.
      if (port_.LineBaud() != opts_.baud) {
        ++wrongBaud_;
        continue;
      }
      Outgoing o = faults_.Shape(unit_->Handle(r, nowMs));
      Schedule(o.bytes, inArrivedUs_ + static_cast<std::int64_t>(opts_.delayMs) * 1000, o.hangup);
    }
  }
}

void LineDriver::Flush(std::int64_t nowUs) {
  while (!out_.empty() && out_.front().dueUs <= nowUs && !hungUp_ && hangupSinceUs_ < 0) {
    std::uint8_t chunk[4096];
    std::size_t n = 0;
    bool hangup = false;
    for (auto it = out_.begin(); it != out_.end() && it->dueUs <= nowUs && n < sizeof chunk; ++it) {
      chunk[n++] = it->byte;
      if (it->hangupAfter) {
        hangup = true;
        break;
      }
    }
    const ssize_t w = ::write(port_.fd(), chunk, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return;  // EAGAIN: the program's side is full; try again on the next pass
    }
    out_.erase(out_.begin(), out_.begin() + w);
    if (hangup && static_cast<std::size_t>(w) == n) {
      hangupSinceUs_ = nowUs;
      out_.clear();
      return;
    }
  }
}

void LineDriver::HangUpWhenRead(std::int64_t nowUs) {
  // Closing the terminal throws away what the program has not read yet; a real line would
  // have delivered those bytes before it went dead, so wait for them (capped).
  if (hangupSinceUs_ < 0 || hungUp_) return;
  const std::int64_t waited = nowUs - hangupSinceUs_;
  if (waited < kHangupSettleUs) return;  // the terminal hands written bytes on a little later
  if (port_.Unread() > 0 && waited < kHangupDrainUs) return;
  std::fprintf(stderr, "ignsim: hanging up the line\n");
  port_.Close();
  hungUp_ = true;
}

std::int64_t LineDriver::PollTimeoutUs(std::int64_t nowUs) const {
  constexpr std::int64_t kIdleUs = kIdlePollMs * 1000;
  if (hangupSinceUs_ >= 0 && !hungUp_) return 5000;
  if (out_.empty() || hungUp_) return kIdleUs;
  const std::int64_t waitUs = out_.front().dueUs - nowUs;
  if (waitUs <= 0) return 1000;  // the program is not reading: retry soon
  // To the microsecond: a byte goes out when the line would have carried it.
  return std::min(waitUs, kIdleUs);
}

void LineDriver::Run(const std::atomic<bool>& stop, int watchFd) {
  while (!stop.load()) {
    pollfd fds[2];
    int nfds = 0;
    const int lineIdx = hungUp_ ? -1 : nfds;
    if (!hungUp_) fds[nfds++] = {port_.fd(), POLLIN, 0};
    const int inIdx = watchFd >= 0 ? nfds : -1;
    if (watchFd >= 0) fds[nfds++] = {watchFd, POLLIN, 0};
    const std::int64_t waitUs = PollTimeoutUs(MonotonicUs());
    const timespec wait{static_cast<time_t>(waitUs / 1000000), static_cast<long>(waitUs % 1000000) * 1000};
    const int r = ::ppoll(fds, static_cast<nfds_t>(nfds), &wait, nullptr);
    if (r < 0 && errno != EINTR) break;
    const std::int64_t now = MonotonicUs();
    if (r > 0 && lineIdx >= 0 && (fds[lineIdx].revents & POLLIN)) {
      std::uint8_t buf[4096];
      const ssize_t n = ::read(port_.fd(), buf, sizeof buf);
      if (n > 0) OnBytes(buf, static_cast<std::size_t>(n), now);
    }
    if (r > 0 && inIdx >= 0 && (fds[inIdx].revents & (POLLIN | POLLHUP | POLLERR))) {
      char buf[256];
      const ssize_t n = ::read(watchFd, buf, sizeof buf);
      if (n == 0) break;  // input closed: stop
      if (n < 0 && errno == EIO)
        watchFd = -1;  // terminal of a background job: stop watching
      else if (n < 0 && errno != EINTR && errno != EAGAIN)
        break;
    }
    Flush(MonotonicUs());
    HangUpWhenRead(MonotonicUs());
  }
}

}  // namespace ign::sim
