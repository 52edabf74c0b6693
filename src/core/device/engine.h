#pragma once
// The engine under the window and the command line: the serial job engine
// with its port search, the connection state machine on top of it, the
// parameter copies and the status slots, driven by one tick every 55 ms.
// ignset, ignctl, the end-to-end tests and the benchmarks all drive this
// class; what differs is the host (ICommHost) and where the status labels go.
#include <functional>
#include <memory>
#include <string>

#include "core/base/run_config.h"
#include "core/base/tick_clock.h"
#include "core/comm/comcom.h"
#include "core/device/com_link.h"
#include "core/device/com_menu.h"
#include "core/device/comm_machine.h"
#include "core/params/settings_doc.h"
#include "core/status/memory_label.h"
#include "core/status/status_slots.h"

namespace ign {

class CEngine : public IPortList, public ILinkControl {
 public:
  // host may be null (nothing to show). ports null: the system's serial ports,
  // or the links of the configuration's port folder.
  explicit CEngine(ICommHost* host = nullptr, std::shared_ptr<IPortSystem> ports = nullptr,
                   const RunConfig& config = {});
  ~CEngine() override;

  // One main-timer tick: AdvanceClock, then Step.
  void Tick();
  // The program clock moves on by one tick.
  void AdvanceClock();
  // The state machine runs on the ticks the step mask allows; status texts expire.
  void Step();
  // A communication step between two ticks, when one is due (a job of a
  // running operation has ended, or a request waits with no job running), so
  // that an operation's next job starts at once instead of on the next tick.
  // The program clock stays put and no periodic monitor read starts here.
  // Returns true when it stepped.
  bool StepBetweenTicks();
  // For driver loops: sleeps ms, running StepBetweenTicks whenever a job ends
  // in the meantime, and returns when the next tick is due, or as soon as
  // done (when given) holds after such a step; true in that case.
  bool WaitForNextTick(int ms, const std::function<bool()>& done = {});
  // While held() holds, no step is taken between ticks (a message the tuner
  // has to read first).
  void SetHold(std::function<bool()> held) { held_ = std::move(held); }

  const CTickClock& Clock() const { return clock_; }
  CCOMCOM& Com() { return com_; }
  const CCOMCOM& Com() const { return com_; }
  CCommMachine& Machine() { return machine_; }
  const CCommMachine& Machine() const { return machine_; }
  CSettingsDoc& Params() { return params_; }
  const CSettingsDoc& Params() const { return params_; }
  CStatusSlots& Status() { return status_; }
  const CStatusSlots& Status() const { return status_; }
  // The labels the status slots write to until a window binds its own.
  const CMemoryLabel& Label(int slot) const { return labels_[slot]; }

  // IPortList (the COM menu)
  bool PortPresent(int port) const override;
  std::string PortDevice(int port) const override;
  bool PortInUse(int port) const override { return com_.PortHeld(port); }

  // ILinkControl (the COM menu)
  bool LinkDisabled() const override { return !com_.Enabled(); }
  void TakeLinkBack() override { machine_.TakeBackPort(machine_.SavedPort()); }
  bool UnitConnected() const override { return machine_.Connected(); }
  int ConnectedPort() const override { return com_.ConnectedPort(); }
  void DropLink() override { machine_.DropLink(); }
  void Trace(const char* text) override { com_.TraceLine(text); }

 private:
  CTickClock clock_;  // first: everything below counts on it
  std::string portDir_;
  ICommHost defaultHost_;
  CStatusSlots status_;
  CSettingsDoc params_{&status_};
  CMemoryLabel labels_[CStatusSlots::kSlotCount];
  CCOMCOM com_;
  CComLink link_;
  CCommMachine machine_;
  std::function<bool()> held_;
  uint32_t seenJobEnds_ = 0;  // CCOMCOM::JobsEnded() when the machine last stepped
};

}  // namespace ign
