#pragma once
// CSession: one unit's session under a front end. It owns the engine (serial
// jobs, port search, connection state machine, settings images, status slots)
// and the unit information; it answers the checks before an operation and
// records the messages of a tick for the front end to show after it. The
// window and ignctl each drive one; nothing in it is shared with another
// session but the language.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/device/engine.h"
#include "core/files/unit_info.h"
#include "core/history/history_recorder.h"
#include "core/session/preflight.h"
#include "core/session/session_message.h"

namespace ign {

// What the session asks of its front end. Every call comes from inside a tick
// or a command; none of them may open anything modal.
class ISessionView {
 public:
  virtual ~ISessionView() = default;
  // The edited image was replaced: the pages show it again.
  virtual void ReloadPages() {}
  // A state worth an undo step (after a read).
  virtual void TakeSnapshot() {}
  // The unit information or its version state changed (status panel 4).
  virtual void UnitInfoChanged() {}
  // A monitor answer after the session took the unit's version from it; index 0 unused.
  virtual void MonitorRecord(const uint8_t* /*record151*/) {}
  virtual void SaveAppSettings() {}
  virtual void ForgetFileName() {}
  virtual void RefreshCaptions() {}
  virtual bool PlayerActive() const { return false; }
  virtual void SetComLabel(const std::string& /*text*/) {}
  virtual void SetGauge(const GaugeView& /*gauge*/) {}
  // Messages were recorded; called once at the end of the tick or command
  // that recorded them. The front end takes them with TakeMessages.
  virtual void MessagesWaiting() {}
};

class CSession : private ICommHost {
 public:
  // view may be null (nothing to draw). ports null: the system's serial ports,
  // or the links of the configuration's port folder.
  explicit CSession(ISessionView* view = nullptr, std::shared_ptr<IPortSystem> ports = nullptr,
                    const RunConfig& config = {});
  ~CSession() override;
  CSession(const CSession&) = delete;
  CSession& operator=(const CSession&) = delete;

  // One tick: AdvanceClock, then Step.
  void Tick();
  void AdvanceClock() { engine_.AdvanceClock(); }
  // The engine's step, unless a holding message waits to be read.
  void Step();
  // A communication step between two ticks when a job has ended or a request
  // waits (not while held); true when it stepped.
  bool StepBetweenTicks();
  // For driver loops: waits ms for the next tick, stepping between ticks as
  // jobs end; true as soon as done holds after such a step.
  bool WaitForNextTick(int ms, const std::function<bool()>& done = {});

  CEngine& Engine() { return engine_; }
  const CEngine& Engine() const { return engine_; }
  ParamState& Params() { return engine_.Params(); }
  CCommMachine& Machine() { return engine_.Machine(); }
  const CCommMachine& Machine() const { return engine_.Machine(); }
  const CUnitInfo& UnitInformation() const { return unit_; }
  // Forgets the unit's texts and version (no unit connected).
  void ResetUnitInformation();

  // The check before programming the edited image into the connected unit.
  Preflight CheckProgram() const;
  // Requests the programming when the check lets it go (confirmed: the tuner
  // has answered its question). False when nothing was requested.
  bool Program(bool confirmed);

  // The messages recorded since the last call, oldest first.
  std::vector<SessionMessage> TakeMessages();
  bool MessagesPending() const { return !messages_.empty(); }
  // A front end that shows a holding message tells the session while it is
  // open; the engine steps again once every holding message has been read.
  void SetMessageOpen(bool open) { messageOpen_ = open; }
  bool Holding() const;

  // Where the session keeps its operations (null: nowhere). The front end
  // owns the recorder; it is told every step, and its messages are recorded.
  void SetHistory(CHistoryRecorder* history) { history_ = history; }

 private:
  // ICommHost: the engine's calls, kept or passed on to the view.
  void ReloadPages() override;
  void TakeSnapshot() override;
  void ShowVersionMessage(const std::string& text) override;
  void ShowCutOffMessage(const char* packed) override;
  void DecodeUnitInfo(const uint8_t* header150) override;
  void ResetUnitInfo() override;
  void ProcessMonitor(const uint8_t* record151) override;
  void SaveAppSettings() override;
  void ForgetFileName() override;
  void RefreshCaptions() override;
  bool PlayerActive() const override;
  void SetComLabel(const std::string& text) override;
  void SetGauge(const GaugeView& gauge) override;

  void Record(SessionMessage message);
  void Announce();
  void KeepHistory();

  ISessionView none_;
  ISessionView& view_;
  CUnitInfo unit_;
  std::vector<SessionMessage> messages_;
  bool announced_ = true;  // the view has heard of every recorded message
  bool messageOpen_ = false;
  CHistoryRecorder* history_ = nullptr;
  CEngine engine_;  // last: its port threads stop first
};

}  // namespace ign
