#include "core/app/engine.h"

#include "core/app/tick_clock.h"

namespace ign {

CEngine::CEngine(ICommHost* host, std::shared_ptr<IPortSystem> ports)
    : com_(std::move(ports)), link_(com_), machine_(link_, params_, status_, host ? *host : defaultHost_) {
  for (int slot : {Slot::Connection, Slot::Result, Slot::Congruence}) status_.BindLabel(slot, &labels_[slot]);
  status_.Start();
  com_.SetStatus(&status_);
}

CEngine::~CEngine() { com_.SetStatus(nullptr); }

void CEngine::Tick() {
  AdvanceTick();
  if ((Ticks() & StepMask()) == 0) machine_.CommStep();
  status_.ExpireStatus();
}

}  // namespace ign
