#include "core/device/engine.h"

#include <chrono>

#include "core/base/settings_dir.h"
#include "core/comm/posix_serial.h"

namespace ign {

namespace {
std::shared_ptr<IPortSystem> PortsOf(std::shared_ptr<IPortSystem> ports, const RunConfig& config) {
  if (ports) return ports;
  PortNaming naming;
  naming.portDir = config.portDir;
  if (naming.portDir.empty()) naming.mapFile = UsbPortMapFile(config);
  return std::make_shared<PosixPortSystem>(naming);
}
}  // namespace

CEngine::CEngine(ICommHost* host, std::shared_ptr<IPortSystem> ports, const RunConfig& config)
    : portDir_(config.portDir),
      status_(clock_),
      com_(clock_, PortsOf(std::move(ports), config), config.traceFile),
      link_(com_),
      machine_(link_, params_, status_, host ? *host : defaultHost_, clock_) {
  for (int slot : {Slot::Connection, Slot::Result, Slot::Congruence}) status_.BindLabel(slot, &labels_[slot]);
  status_.Start();
  com_.SetStatus(&status_);
  com_.EnumeratePorts();
}

CEngine::~CEngine() {
  com_.StopThreads();
  com_.SetStatus(nullptr);
}

void CEngine::Tick() {
  AdvanceClock();
  Step();
}

void CEngine::AdvanceClock() { clock_.Advance(); }

void CEngine::Step() {
  if ((clock_.Ticks() & com_.StepMask()) == 0) {
    seenJobEnds_ = com_.JobsEnded();
    machine_.CommStep();
  }
  status_.ExpireStatus();
}

bool CEngine::StepBetweenTicks() {
  if ((held_ && held_()) || !machine_.StepDueBetweenTicks()) return false;
  seenJobEnds_ = com_.JobsEnded();
  machine_.CommStep(CCommMachine::StepKind::BetweenTicks);
  return true;
}

bool CEngine::WaitForNextTick(int ms, const std::function<bool()>& done) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point due = Clock::now() + std::chrono::milliseconds(ms);
  // A request made since the last tick starts now.
  if (StepBetweenTicks() && done && done()) return true;
  for (Clock::time_point now = Clock::now(); now < due; now = Clock::now()) {
    const int left = int(std::chrono::ceil<std::chrono::milliseconds>(due - now).count());
    if (!com_.WaitForJobEnd(seenJobEnds_, left)) break;
    seenJobEnds_ = com_.JobsEnded();
    if (StepBetweenTicks() && done && done()) return true;
  }
  return false;
}

bool CEngine::PortPresent(int port) const { return port >= 0 && port <= 255 && com_.IsPresent(port); }

std::string CEngine::PortDevice(int port) const {
  // Links of a port folder are named after their number already.
  if (!portDir_.empty()) return {};
  const std::string path = com_.DevicePathOf(port);
  const size_t slash = path.rfind('/');
  const std::string device = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string what = com_.DescriptionOf(port);
  return what.empty() || device.empty() ? device : device + ": " + what;
}

}  // namespace ign
