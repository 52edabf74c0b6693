#include "core/comm/comiosys.h"

#include <chrono>
#include <climits>
#include <cstring>
#include <system_error>

#include "core/base/tick_clock.h"
#include "core/comm/posix_serial.h"

namespace ign {

CCOMIOSYS::CCOMIOSYS(const CTickClock& clock, std::shared_ptr<IPortSystem> system,
                     const std::string& traceFile)
    : clock_(clock), system_(std::move(system)) {
  if (!system_) system_ = std::make_shared<PosixPortSystem>(PortNaming{});
  for (int i = 0; i < kPortCount; ++i) {
    ports_[size_t(i)].port = uint8_t(i);
    const std::string path = system_->DevicePath(i);
    std::snprintf(ports_[size_t(i)].devicePath, sizeof ports_[0].devicePath, "%s", path.c_str());
  }
  if (!traceFile.empty()) trace_.Open(traceFile.c_str());
  trace_.Line("Open LOG");
}

CCOMIOSYS::~CCOMIOSYS() {
  StopThreads();
  trace_.Close();
}

void CCOMIOSYS::StopThreads() {
  if (stop_.exchange(true, std::memory_order_acq_rel)) return;
  CloseAll();
  for (CCOM& com : ports_) com.wake.Signal();
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kJoinLimitMs);
  for (CCOM& com : ports_) {
    if (!com.thread.joinable()) continue;
    while (com.threadState.load(std::memory_order_acquire) != ThreadState::Ended && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (com.threadState.load(std::memory_order_acquire) == ThreadState::Ended) {
      com.thread.join();
    } else {
      // A system call that never returns must not hang the program's exit.
      trace_.Linef("COM%i: I/O thread did not stop, left behind", com.port);
      com.thread.detach();
    }
  }
}

void CCOMIOSYS::RequestOpen(int port, int baud) {
  if (port < 0 || port > kMaxPortNumber) return;
  CCOM& com = Port(port);
  com.result.store(PortResult::None, std::memory_order_release);
  com.baud.store(baud, std::memory_order_release);
  const bool busy = com.ioState.load(std::memory_order_acquire) != IoState::Closed || com.request.load() != 0;
  com.request.store(busy ? PortRequest::Open | PortRequest::Close : PortRequest::Open);
}

void CCOMIOSYS::RequestClose(int port) {
  if (port < 0 || port > kMaxPortNumber) return;
  CCOM& com = Port(port);
  if (com.ioState.load(std::memory_order_acquire) != IoState::Closed || com.request.load() != 0) {
    com.result.store(PortResult::None, std::memory_order_release);
    com.request.store(PortRequest::Close);
  }
}

void CCOMIOSYS::CloseAll() {
  for (int port = 0; port <= kMaxPortNumber; ++port) RequestClose(port);
}

bool CCOMIOSYS::IsPresent(int port) const {
  return port >= 0 && port <= kMaxPortNumber && Port(port).present.load(std::memory_order_acquire) != 0;
}

int CCOMIOSYS::OpenError(int port) const {
  if (port < 0 || port > kMaxPortNumber) return 0;
  return Port(port).openError.load(std::memory_order_acquire);
}

std::vector<int> CCOMIOSYS::PresentPorts() const {
  std::vector<int> ports;
  for (int port = 1; port <= kMaxPortNumber; ++port)
    if (IsPresent(port)) ports.push_back(port);
  return ports;
}

std::string CCOMIOSYS::DevicePathOf(int port) const {
  if (port < 1 || port > kMaxPortNumber) return {};
  return system_->DevicePath(port);
}

std::string CCOMIOSYS::DescriptionOf(int port) const {
  if (port < 1 || port > kMaxPortNumber) return {};
  return system_->Description(port);
}

std::string CCOMIOSYS::DeviceNameOf(int port) const {
  const std::string path = DevicePathOf(port);
  if (path.empty()) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool CCOMIOSYS::EnumeratePorts() {
  PortPresence found{};
  if (!system_->List(found)) {
    // Without a listing, the low port numbers are tried as if present.
    bool changed = false;
    for (int port = 0; port < 30; ++port) {
      if (Port(port).present.exchange(1) == 0) changed = true;
    }
    return changed;
  }
  bool changed = false;
  for (int port = 0; port < kPortCount; ++port) {
    const int32_t now = found[size_t(port)] ? 1 : 0;
    if (Port(port).present.exchange(now) != now) changed = true;
  }
  return changed;
}

void CCOMIOSYS::Command(CCOM& com, uint8_t command) {
  com.threadCommand.store(command, std::memory_order_release);
  com.wake.Signal();
}

void CCOMIOSYS::StartIoThread(CCOM& com) {
  com.threadState.store(ThreadState::Running, std::memory_order_release);
  try {
    com.thread = std::thread([this, port = int(com.port)] { IoThread(port); });
  } catch (const std::system_error&) {
    com.threadState.store(ThreadState::None, std::memory_order_release);
    throw;
  }
}

void CCOMIOSYS::ServicePorts(int enumerateEveryMs) {
  const int64_t now = clock_.Ms();
  if (!everEnumerated_ || now - lastEnumeration_ > enumerateEveryMs) {
    lastEnumeration_ = now;
    everEnumerated_ = true;
    if (EnumeratePorts()) SetPortListChanged();
    enumerated_.store(1, std::memory_order_release);
  }
  if (Stopping()) return;

  for (CCOM& com : ports_) {
    if (com.threadState.load(std::memory_order_acquire) == ThreadState::Ended) {
      if (com.thread.joinable()) com.thread.join();
      com.threadState.store(ThreadState::None, std::memory_order_release);
    }
    const uint8_t request = com.request.load();
    if (request == 0) continue;
    const uint8_t io = com.ioState.load(std::memory_order_acquire);

    if (request & PortRequest::Close) {
      if (io == IoState::Closed) {
        com.request.store(request & ~PortRequest::Close);
      } else if (io != IoState::Closing) {
        com.requestTime = now;
        Command(com, ThreadCmd::Close);
      }
      continue;
    }

    if (com.result.load(std::memory_order_acquire) == PortResult::OpenFailed) {
      com.request.store(0);
      continue;
    }
    if (io == IoState::Open) {
      com.request.store(0);
      continue;
    }
    if (io == IoState::Opening || com.threadCommand.load(std::memory_order_acquire) == ThreadCmd::Open) {
      if (now - com.requestTime > kOpenGiveUpMs) {
        com.result.store(PortResult::OpenTimedOut, std::memory_order_release);
        Command(com, ThreadCmd::Close);
        com.request.store(PortRequest::Close);
      }
      continue;
    }
    // Everything the thread reads at the open is written before the command.
    std::snprintf(com.lineSettings, sizeof com.lineSettings, "%i,N,8,1", int(com.baud.load()));
    const std::string path = system_->DevicePath(com.port);
    std::snprintf(com.devicePath, sizeof com.devicePath, "%s", path.c_str());
    com.requestTime = now;
    com.result.store(PortResult::None, std::memory_order_release);
    com.wake.Open();  // made before the thread starts; kept until the layer goes
    Command(com, ThreadCmd::Open);
    if (com.threadState.load(std::memory_order_acquire) == ThreadState::Ended) {
      com.thread.join();
      com.threadState.store(ThreadState::None, std::memory_order_release);
    }
    if (!com.thread.joinable() && com.threadState.load(std::memory_order_acquire) == ThreadState::None) {
      try {
        StartIoThread(com);
      } catch (const std::system_error&) {
        com.threadCommand.store(ThreadCmd::None, std::memory_order_release);
        com.result.store(PortResult::NoThread, std::memory_order_release);
        com.request.store(0);
        continue;
      }
    }
  }
}

}  // namespace ign
