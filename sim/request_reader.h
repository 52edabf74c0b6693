// Assembles the program's requests from the bytes the unit receives.
//
// The unit hunts for a frame start, drops a partial frame after a pause longer than the gap
// limit and, when a frame does not check, slides forward by one byte and hunts again.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/family.h"
#include "sim/frames.h"

namespace ign::sim {

class RequestReader {
 public:
  explicit RequestReader(Family family, int gapMs = 50);

  // Takes one received byte; returns the requests it completed (usually none or one).
  std::vector<Request> Feed(std::uint8_t byte, std::int64_t nowMs);
  void Reset() { buf_.clear(); }
  std::size_t Pending() const { return buf_.size(); }
  std::uint64_t BadFrames() const { return badFrames_; }

 private:
  // Length of the frame at the start of the buffer, 0 while unknown, -1 when the start is invalid.
  long CandidateLength() const;
  bool Checks(std::size_t len) const;
  Request Decode(std::size_t len) const;
  void Settle(std::vector<Request>& out);

  Family family_;
  int gapMs_;
  std::int64_t lastByteMs_ = 0;
  std::vector<std::uint8_t> buf_;
  std::uint64_t badFrames_ = 0;
};

}  // namespace ign::sim
