#pragma once
// States, requests and outcomes of the connection state machine. The state
// numbers are the machine's own codes: requests become states by value, and
// the trace and the tests name them, so they keep their numbers.
#include <cstdint>

namespace ign {

enum class CommState : int {
  Disconnected = 0,  // no unit; whatever connects next is checked first
  Idle = 1,
  Monitor = 2,  // the periodic monitor read
  // The connection check: header read twice, a monitor read, the image read twice.
  CheckMonitor = 29,
  CheckReadFirst = 30,
  CheckReadSecond = 31,
  CheckHeaderFirst = 32,
  CheckHeaderSecond = 33,
  // The piecewise check after two full reads disagreed: for each quarter q of
  // the image (q = 0..3) a monitor read, a read, a monitor read, a read.
  QuarterReadFirst = 48,      // 48 + q
  QuarterMonitorFirst = 52,   // 52 + q, then QuarterReadFirst + q
  QuarterReadSecond = 56,     // 56 + q
  QuarterMonitorSecond = 60,  // 60 + q, then QuarterReadSecond + q
  // The user's operations; their first state is the request's value.
  ReadFirst = 64,
  ReadSecond = 65,
  Verify = 80,
  ProgramHeaderFirst = 96,
  ProgramHeaderSecond = 97,
  ProgramWrite = 98,
  ProgramReadBack = 99,
  Reset = 128,
  ResetBootloader = 129,
};

enum class Request : int {
  None = 0,
  Read = int(CommState::ReadFirst),
  Verify = int(CommState::Verify),
  Program = int(CommState::ProgramHeaderFirst),   // all bytes, header checked first
  ProgramChanged = int(CommState::ProgramWrite),  // no header check; all or only marked bytes
  Reset = int(CommState::Reset),
  ResetBootloader = int(CommState::ResetBootloader),
};

constexpr CommState StateOf(Request r) { return CommState(int(r)); }

// The quarter states: base + q.
constexpr CommState Quarter(CommState base, int q) { return CommState(int(base) + q); }
constexpr bool IsQuarter(CommState base, CommState s) {
  return int(s) >= int(base) && int(s) < int(base) + 4;
}
constexpr int QuarterIndex(CommState s) { return int(s) & 3; }

// What a state is part of.
enum class Operation { None, Monitor, Check, Read, Verify, Program, Reset };

constexpr Operation OperationOf(CommState s) {
  switch (s) {
    case CommState::Disconnected:
    case CommState::Idle: return Operation::None;
    case CommState::Monitor: return Operation::Monitor;
    case CommState::CheckMonitor:
    case CommState::CheckReadFirst:
    case CommState::CheckReadSecond:
    case CommState::CheckHeaderFirst:
    case CommState::CheckHeaderSecond: return Operation::Check;
    case CommState::ReadFirst:
    case CommState::ReadSecond: return Operation::Read;
    case CommState::Verify: return Operation::Verify;
    case CommState::ProgramHeaderFirst:
    case CommState::ProgramHeaderSecond:
    case CommState::ProgramWrite:
    case CommState::ProgramReadBack: return Operation::Program;
    case CommState::Reset:
    case CommState::ResetBootloader: return Operation::Reset;
    default: break;
  }
  if (IsQuarter(CommState::QuarterReadFirst, s) || IsQuarter(CommState::QuarterMonitorFirst, s) ||
      IsQuarter(CommState::QuarterReadSecond, s) || IsQuarter(CommState::QuarterMonitorSecond, s))
    return Operation::Check;
  return Operation::None;
}

// How an operation ended.
enum class Result {
  None,
  Ok,               // done; for Program: written and read back equal, the unit now saves
  Corrected,        // Read: done, and normalisation changed the settings read
  Saved,            // Program: the unit has saved what was written
  Disagreed,        // two reads of the same bytes differed twice
  Different,        // Verify: the unit holds other settings; Program: read back differs twice
  JobFailed,        // the unit stopped answering the operation's requests
  VersionMismatch,  // the unit's key or subversion is not the program's
  LinkLost,         // the connection went while the operation ran
};

struct Outcome {
  Operation operation = Operation::None;
  Result result = Result::None;
  uint32_t sequence = 0;  // counts outcomes; a caller waits for a newer one
};

constexpr bool Succeeded(Result r) { return r == Result::Ok || r == Result::Corrected || r == Result::Saved; }

}  // namespace ign
