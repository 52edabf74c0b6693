#pragma once
// Wakes a port's I/O thread out of its wait when there is work that does not
// arrive on the line: a frame to send, a command, the layer stopping. The I/O
// thread waits on its device and on this at once, so received bytes and new
// work are both seen at once instead of on the next poll.
#include <atomic>

namespace ign {

class PortWake {
 public:
  PortWake() = default;
  ~PortWake();
  PortWake(const PortWake&) = delete;
  PortWake& operator=(const PortWake&) = delete;

  // Makes the descriptor on first use (before the I/O thread starts); false
  // when none could be made, in which case waits are only short sleeps.
  bool Open();
  bool IsOpen() const { return fd_.load(std::memory_order_acquire) >= 0; }
  // The descriptor to poll for reading; -1 when there is none.
  int Fd() const { return fd_.load(std::memory_order_acquire); }

  // Any thread: the next or current wait returns.
  void Signal() const;
  // Takes a pending signal, so that the next wait blocks again. Called right
  // after a wait returns and before the thread looks at its work, so that a
  // signal given after that look is never lost.
  void Drain() const;
  // Waits at most maxMs for a signal and takes it. Without a descriptor this
  // sleeps min(maxMs, 1) ms.
  void Wait(int maxMs) const;

 private:
  std::atomic<int> fd_{-1};
};

}  // namespace ign
