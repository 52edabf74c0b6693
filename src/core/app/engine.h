#pragma once
// The engine without a window: serial link, status slots, parameter copies and
// the communication state machine, driven by one Tick() every 55 ms. The
// command line runs it as it is; tests drive it directly.
#include <memory>

#include "core/app/memory_label.h"
#include "core/app/status_slots.h"
#include "core/comm/comcom.h"
#include "core/params/com_link.h"
#include "core/params/comm_machine.h"
#include "core/params/param_state.h"

namespace ign {

class CEngine {
 public:
  // host may be null (no window). ports null: the real serial ports.
  explicit CEngine(ICommHost* host = nullptr, std::shared_ptr<IPortSystem> ports = nullptr);
  ~CEngine();

  // One main-timer tick: advance the clock, run the state machine on every
  // tick the step mask allows, expire status texts.
  void Tick();

  CCOMCOM& Com() { return com_; }
  CCommMachine& Machine() { return machine_; }
  ParamState& Params() { return params_; }
  CStatusSlots& Status() { return status_; }
  const CStatusSlots& Status() const { return status_; }
  const CMemoryLabel& Label(int slot) const { return labels_[slot]; }
  int StepMask() const { return com_.StepMask(); }

 private:
  ICommHost defaultHost_;
  CCOMCOM com_;
  CComLink link_;
  ParamState params_;
  CStatusSlots status_;
  CMemoryLabel labels_[CStatusSlots::kSlotCount];
  CCommMachine machine_;
};

}  // namespace ign
