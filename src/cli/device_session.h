#pragma once
// One connection to a unit for a command: the engine ticked every 55 ms,
// progress on a terminal, and the machine's typed outcomes.
#include <functional>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "core/history/history_recorder.h"
#include "core/session/session.h"

namespace ign::cli {

// A message of several lines on standard error, each line "ignctl: ...";
// empty lines and leading blanks are left out.
void PrintLines(const std::string& text);

// What the command line keeps of the session's calls: the live display's
// last update, and the messages of each tick.
class CliHost : public ISessionView {
 public:
  // Each display update of a monitor record.
  void LiveShown(const DisplayModel& model) override;
  // Takes the session's messages after a tick; those of the live monitor
  // (the CSV log) are printed at once.
  void TakeMessages();

  CSession* session = nullptr;
  std::vector<std::string> versionMessages;
  std::vector<std::string> cutOff;  // what an operation cut off by the loss of the unit means
  DisplayModel shown;
  long records = 0;
};

class DeviceSession {
 public:
  explicit DeviceSession(const Args& args);

  // Finds and checks the unit. kOk, kNoUnit, kMismatch or kFailed.
  int Connect();
  // Makes a request and waits for the outcome of the operation it starts;
  // prints the reason when the operation does not succeed.
  Outcome Run(void (*request)(CCommMachine&), Operation operation, double seconds, const char* label);
  // Waits until the unit has saved a programming.
  bool WaitSaved(double seconds);
  // Waits until the connected unit has answered a monitor request; false when
  // it has not within the time or has gone.
  bool WaitMonitorRecord(double seconds);
  // Ticks for the given time; stops early when stop() holds.
  template <typename Pred>
  bool TickUntil(Pred stop, double seconds);

  CEngine& Engine() { return session_.Engine(); }
  CSession& Session() { return session_; }
  CliHost& Host() { return host_; }
  const CUnitInfo& Unit() const { return session_.UnitInformation(); }
  // What the result slot shows, in the current language.
  std::string ResultShown() const { return session_.Engine().Label(Slot::Result).Shown(); }

 private:
  // One tick and the wait for the next; true when done held after a step in between.
  bool Tick(const std::function<bool()>& done);
  // Writes the state file when the search has learnt a port's row since it was read.
  void KeepSearchState();
  void Progress(const char* label);
  void EndProgress();
  // The machine has noticed that the unit is gone (and said what that cut off).
  bool UnitGone() const { return session_.Machine().State() == CommState::Disconnected; }
  // Prints why the operation did not succeed: the cut-off explanation when the
  // unit went, else the result text.
  void PrintFailure(bool outcomeSeen);

  Args args_;
  CliHost host_;
  std::unique_ptr<CHistoryRecorder> history_;  // before the session, which uses it
  CSession session_;
  std::string savedRows_;  // the rows the state file holds
  bool tty_ = false;
  bool progressShown_ = false;
};

constexpr int kTickMs = 55;  // the driver loop's tick, like the window's timer

template <typename Pred>
bool DeviceSession::TickUntil(Pred stop, double seconds) {
  const int ticks = int(seconds * 1000 / kTickMs) + 1;
  for (int i = 0; i < ticks; ++i) {
    if (stop() || Tick(stop)) return true;
  }
  return stop();
}

}  // namespace ign::cli
