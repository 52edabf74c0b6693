#include "cli/device_session.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <unistd.h>

#include <filesystem>

#include "cli/search_state.h"
#include "core/base/settings_dir.h"
#include "core/comm/port_error.h"

namespace ign::cli {

void PrintLines(const std::string& text) {
  size_t from = 0;
  while (from < text.size()) {
    const size_t end = std::min(text.find('\n', from), text.size());
    const size_t start = text.find_first_not_of(' ', from);
    if (start < end) std::fprintf(stderr, "ignctl: %s\n", text.substr(start, end - start).c_str());
    from = end + 1;
  }
}

void CliHost::LiveShown(const DisplayModel& model) {
  shown = model;
  ++records;
}

void CliHost::TakeMessages() {
  if (!session) return;
  for (SessionMessage& m : session->TakeMessages()) {
    if (m.kind == SessionMessage::Kind::History || m.kind == SessionMessage::Kind::Monitor)
      PrintLines(m.text);  // the operation goes on; its result stands
    else
      (m.kind == SessionMessage::Kind::Version ? versionMessages : cutOff).push_back(std::move(m.text));
  }
}

DeviceSession::DeviceSession(const Args& args) : args_(args), session_(&host_, nullptr, args.env) {
  host_.session = &session_;
  // The unit history beside the window's settings, shared with the window.
  if (const std::string folder = ComputeSettingsPaths(args.env).folder; !args.noHistory && !folder.empty()) {
    history_ = std::make_unique<CHistoryRecorder>(HistoryFilePath(folder));
    std::string file =
        args.output.empty() ? (args.positional.empty() ? "" : args.positional[0]) : args.output;
    std::error_code ec;
    if (!file.empty()) file = std::filesystem::absolute(file, ec).lexically_normal().string();
    history_->SetFileSource([file] { return file; });
    session_.SetHistory(history_.get());
  }
  Engine().Com().SetConfiguredPort(args.port);
  // A damaged or foreign state file gives nothing to remember: a plain search.
  Engine().Com().Memory().FromText(LoadSearchState(args.statePath));
  savedRows_ = Engine().Com().Memory().ToText();
  tty_ = ::isatty(STDOUT_FILENO) == 1;
}

void DeviceSession::KeepSearchState() {
  const std::string rows = Engine().Com().Memory().ToText();
  if (rows == savedRows_) return;
  // Losing the state costs the next run only time: no message.
  if (SaveSearchState(args_.statePath, rows)) savedRows_ = rows;
}

// The driver loop's timer: one tick every 55 ms, like the window's; a job
// that ends in between is followed up at once.
bool DeviceSession::Tick(const std::function<bool()>& done) {
  session_.Tick();
  host_.TakeMessages();
  const bool ended = session_.WaitForNextTick(kTickMs, done);
  host_.TakeMessages();
  return ended;
}

void DeviceSession::Progress(const char* label) {
  if (!tty_ || !label) return;
  const GaugeView& g = Engine().Machine().Gauge();
  const int pct = g.maximum > 0 ? std::clamp(g.position * 100 / g.maximum, 0, 100) : 0;
  char bar[41];
  std::memset(bar, '.', 40);
  std::memset(bar, '#', size_t(pct * 40 / 100));
  bar[40] = 0;
  std::printf("\r%-10s [%s] %3d%%", label, bar, pct);
  std::fflush(stdout);
  progressShown_ = true;
}

void DeviceSession::EndProgress() {
  if (progressShown_) std::printf("\n");
  progressShown_ = false;
}

int DeviceSession::Connect() {
  const CCommMachine& m = Engine().Machine();
  const CCOMCOM& com = Engine().Com();
  // The one port asked for, held by another program: nothing to wait for.
  auto portHeld = [&] { return args_.port > 0 && com.PortHeld(args_.port); };
  auto checked = [&] { return m.LastOutcome().operation == Operation::Check; };
  const bool ended = TickUntil([&] { return checked() || portHeld(); }, args_.timeout) && checked();
  KeepSearchState();
  if (!ended && portHeld()) {
    std::fprintf(stderr, "ignctl: COM%d: %s\n", args_.port, OpenErrorHint(com.OpenError(args_.port)).c_str());
    return kInUse;
  }
  const Outcome o = m.LastOutcome();
  if (ended && o.result == Result::VersionMismatch) {
    for (const std::string& text : host_.versionMessages) PrintLines(text);
    return kMismatch;
  }
  if (ended && o.result == Result::Ok) return kOk;
  if (ended && o.result == Result::LinkLost) {
    std::fprintf(stderr, "ignctl: the unit went away while it was being checked\n");
    return kFailed;
  }
  if (ended) {
    std::fprintf(stderr, "ignctl: %s\n", ResultShown().c_str());
    return kFailed;
  }
  if (Engine().Com().LastUnmatched()) {
    std::fprintf(stderr, "ignctl: %s\n", Engine().Label(Slot::Connection).Caption().c_str());
    return kMismatch;
  }
  std::fprintf(stderr, "ignctl: no unit found within %g s\n", args_.timeout);
  for (int port = 1; port <= kMaxPortNumber; ++port)
    if (const int error = com.OpenError(port);
        error != 0 && !IsAbsentDeviceError(error) && Engine().PortPresent(port))
      std::fprintf(stderr, "ignctl: COM%d: %s\n", port, OpenErrorHint(error).c_str());
  // The unit may well be on a port that another program holds.
  return com.HeldPorts().empty() ? kNoUnit : kInUse;
}

Outcome DeviceSession::Run(void (*request)(CCommMachine&), Operation operation, double seconds,
                           const char* label) {
  CCommMachine& m = Engine().Machine();
  const uint32_t before = m.LastOutcome().sequence;
  request(m);
  session_.StepBetweenTicks();  // the operation starts now, not on the next tick
  auto ended = [&] { return m.LastOutcome().sequence != before && m.LastOutcome().operation == operation; };
  const bool done = TickUntil(
      [&] {
        Progress(label);
        return ended() || UnitGone();
      },
      seconds);
  EndProgress();
  const Outcome o = m.LastOutcome();
  if (ended() && Succeeded(o.result)) return o;
  if (done)
    PrintFailure(ended());
  else
    std::fprintf(stderr, "ignctl: no outcome within %g s\n", seconds);
  return ended() ? o : Outcome{operation, Result::None, o.sequence};
}

void DeviceSession::PrintFailure(bool outcomeSeen) {
  if (outcomeSeen) std::fprintf(stderr, "ignctl: %s\n", ResultShown().c_str());
  for (const std::string& text : host_.cutOff) PrintLines(text);
  if (host_.cutOff.empty() && UnitGone()) std::fprintf(stderr, "ignctl: the unit stopped answering\n");
}

bool DeviceSession::WaitSaved(double seconds) {
  const CCommMachine& m = Engine().Machine();
  auto saved = [&] {
    return m.LastOutcome().operation == Operation::Program && m.LastOutcome().result == Result::Saved;
  };
  const bool ok = TickUntil(
      [&] {
        Progress("Saving");
        return saved() || UnitGone();
      },
      seconds);
  EndProgress();
  if (!ok || !saved()) {
    if (host_.cutOff.empty()) std::fprintf(stderr, "ignctl: the unit did not finish saving\n");
    PrintFailure(false);
    return false;
  }
  return true;
}

bool DeviceSession::WaitMonitorRecord(double seconds) {
  const CCommMachine& m = Engine().Machine();
  auto answered = [&] { return m.Connected() && m.VersionState() != 0; };
  return TickUntil([&] { return answered() || UnitGone(); }, seconds) && answered();
}

}  // namespace ign::cli
