#include "cli/device_session.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include <unistd.h>

namespace ign::cli {
namespace {

bool Is(const char* packed, const char* text) { return packed && std::strcmp(packed, text) == 0; }

}  // namespace

DeviceSession::DeviceSession(const Args& args) : args_(args), engine_(&host_) {
  engine_.Com().SetConfiguredPort(args.port);
  tty_ = ::isatty(STDOUT_FILENO) == 1;
}

void DeviceSession::Tick() {
  engine_.Tick();
  std::this_thread::sleep_for(std::chrono::milliseconds(55));
}

std::string DeviceSession::ResultPacked() const {
  const char* t = engine_.Status().Text(Slot::Result);
  return engine_.Label(Slot::Result).Visible() && t ? t : "";
}

void DeviceSession::Progress(const char* label) {
  if (!tty_ || !label) return;
  const GaugeView& g = engine_.Machine().Gauge();
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
  CCommMachine& m = engine_.Machine();
  const char* unmatched = nullptr;
  const bool done = TickUntil(
      [&] {
        const char* c = engine_.Status().Text(Slot::Connection);
        if (c && std::strstr(c, "(unmatched)")) unmatched = "unmatched";
        if (!host_.versionMessages.empty()) return true;
        const char* r = engine_.Status().Text(Slot::Result);
        if (m.State() == 1 && engine_.Params().unitValid && Is(r, CommText::CheckingOk)) return true;
        if (m.State() == 1 && Is(r, CommText::CheckingError)) return true;
        return false;
      },
      args_.timeout);
  if (!host_.versionMessages.empty()) {
    std::fprintf(stderr, "ignctl: %s\n", host_.versionMessages.front().c_str());
    return kMismatch;
  }
  if (!done) {
    if (unmatched) {
      std::fprintf(stderr, "ignctl: %s\n", engine_.Label(Slot::Connection).Caption().c_str());
      return kMismatch;
    }
    std::fprintf(stderr, "ignctl: no unit found within %g s\n", args_.timeout);
    return kNoUnit;
  }
  if (!engine_.Params().unitValid) {
    std::fprintf(stderr, "ignctl: %s\n", ResultShown().c_str());
    return kFailed;
  }
  return kOk;
}

bool DeviceSession::Run(void (*request)(CCommMachine&), const std::vector<const char*>& okTexts,
                        const std::vector<const char*>& failTexts, double seconds, const char* label) {
  CCommMachine& m = engine_.Machine();
  request(m);
  // Wait until the request has been taken, then for its outcome.
  bool taken = TickUntil([&] { return m.PendingRequest() == REQ_NONE && m.State() != 1; }, seconds);
  std::string outcome;
  bool ok = false;
  const bool ended = taken && TickUntil(
                                  [&] {
                                    Progress(label);
                                    if (engine_.Com().ConnectedPort() == 0) return true;
                                    const char* r = engine_.Status().Text(Slot::Result);
                                    // Idle, or already at the next monitor read.
                                    if ((m.State() != 1 && m.State() != 2) || !r) return false;
                                    for (const char* t : okTexts)
                                      if (Is(r, t)) return ok = true;
                                    for (const char* t : failTexts)
                                      if (Is(r, t)) return true;
                                    return false;
                                  },
                                  seconds);
  EndProgress();
  if (ended && ok) return true;
  if (engine_.Com().ConnectedPort() == 0)
    std::fprintf(stderr, "ignctl: the unit stopped answering\n");
  else if (ended)
    std::fprintf(stderr, "ignctl: %s\n", ResultShown().c_str());
  else
    std::fprintf(stderr, "ignctl: no outcome within %g s\n", seconds);
  return false;
}

bool DeviceSession::WaitSaved(double seconds) {
  const bool ok = TickUntil(
      [&] {
        Progress("Saving");
        return Is(engine_.Status().Text(Slot::Result), CommText::ProgramOk) ||
               engine_.Com().ConnectedPort() == 0;
      },
      seconds);
  EndProgress();
  if (!ok || engine_.Com().ConnectedPort() == 0) {
    std::fprintf(stderr, "ignctl: the unit did not finish saving\n");
    return false;
  }
  return true;
}

}  // namespace ign::cli
