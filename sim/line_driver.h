// Runs the unit on its pseudo-terminal: reads requests, answers them, paces the output.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>

#include "sim/fault_plan.h"
#include "sim/pty_port.h"
#include "sim/request_reader.h"
#include "sim/sim_options.h"
#include "sim/sim_unit.h"

namespace ign::sim {

class LineDriver {
 public:
  LineDriver(const SimOptions& opts, PtyPort& port, std::unique_ptr<SimUnit> unit);

  // Runs until stop becomes true or the watched input fd reaches end of file (-1: none).
  void Run(const std::atomic<bool>& stop, int watchFd);

  std::uint64_t wrongBaudFrames() const { return wrongBaud_; }

 private:
  struct Pending {
    std::int64_t dueUs;
    std::uint8_t byte;
    bool hangupAfter;
  };
  void OnBytes(const std::uint8_t* data, std::size_t n, std::int64_t nowUs);
  void Schedule(const std::vector<std::uint8_t>& bytes, std::int64_t atUs, bool hangup);
  void Flush(std::int64_t nowUs);
  void HangUpWhenRead(std::int64_t nowUs);
  std::int64_t PollTimeoutUs(std::int64_t nowUs) const;

  const SimOptions& opts_;
  PtyPort& port_;
  std::unique_ptr<SimUnit> unit_;
  RequestReader reader_;
  FaultPlan faults_;
  std::deque<Pending> out_;
  std::int64_t lineFreeUs_ = 0;
  // Paced: when the last request byte read so far would have arrived over the
  // line (the program's side writes a whole frame at once).
  std::int64_t inArrivedUs_ = 0;
  std::uint64_t wrongBaud_ = 0;
  bool hungUp_ = false;
  std::int64_t hangupSinceUs_ = -1;  // the last frame before the hang-up is out since then
};

std::int64_t MonotonicUs();

}  // namespace ign::sim
