#pragma once
// Driving a session over a simulated unit in a test: ticks until something
// holds, an operation's outcome, and a unit image file to start ignsim with.
#include <fstream>
#include <functional>
#include <string>

#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/session/session.h"
#include "tests/support/pacer.h"
#include "tests/support/sim_process.h"

namespace ign::test {

// Ticks the session until pred holds, for at most cap seconds.
inline bool RunSession(CSession& s, const std::function<bool()>& pred, double cap = 20) {
  return TickUntil(
      pred, [&] { s.Tick(); }, cap);
}

// The last outcome of the session is one of op, later than sequence after.
inline bool OutcomeAfter(const CSession& s, Operation op, uint32_t after) {
  const Outcome& o = s.Machine().LastOutcome();
  return o.sequence != after && o.operation == op;
}

// Makes a request and ticks until the outcome of the operation it starts;
// Result::None when none came within cap seconds.
inline Result DoOperation(CSession& s, Operation op, const std::function<void()>& request, double cap = 30) {
  const uint32_t before = s.Machine().LastOutcome().sequence;
  request();
  const bool ended = RunSession(
      s, [&] { return OutcomeAfter(s, op, before); }, cap);
  return ended ? s.Machine().LastOutcome().result : Result::None;
}

// A file of the start-up image with the given limiter, normalised: what a
// simulated unit holds.
inline std::string UnitImageFile(uint8_t limiter) {
  Image img = StartupImage();
  img[Adrb::LIMITER] = limiter;
  NormaliseImage(img);
  const std::string path = MakeTempDir() + "/unit.bin";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(img.data()), RS_LEN_EXE);
  return path;
}

}  // namespace ign::test
