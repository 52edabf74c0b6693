#include "core/comm/ccom.h"

#include <algorithm>
#include <cstring>

#include "core/comm/serial_port.h"

namespace ign {

bool CCOM::TxPut(const uint8_t* data, uint32_t len) {
  if (!TxIdle() || len == 0) return false;
  len = std::min<uint32_t>(len, kTxBufSize);
  std::memcpy(txBuf, data, len);
  txLen.store(len, std::memory_order_release);
  wake.Signal();
  return true;
}

bool CCOM::RxGet(uint8_t& byte) {
  const uint32_t r = rxRead.load(std::memory_order_relaxed);
  if (r == rxWrite.load(std::memory_order_acquire)) return false;
  byte = rxRing[r];
  rxRead.store(r + 1 >= kRxRingSize ? 0 : r + 1, std::memory_order_release);
  return true;
}

uint32_t CCOM::RxCount() const {
  const uint32_t r = rxRead.load(std::memory_order_acquire);
  const uint32_t w = rxWrite.load(std::memory_order_acquire);
  return w >= r ? w - r : w + kRxRingSize - r;
}

void CCOM::RxDiscard() { rxRead.store(rxWrite.load(std::memory_order_acquire), std::memory_order_release); }

RingRuns FreeRuns(uint32_t readIndex, uint32_t writeIndex) {
  RingRuns runs;
  if (writeIndex < readIndex) {
    runs.first = readIndex - writeIndex;
  } else {
    runs.first = kRxRingSize - writeIndex;
    runs.second = readIndex;
  }
  if (runs.second > 0)
    --runs.second;
  else if (runs.first > 0)
    --runs.first;
  return runs;
}

bool FillRing(CCOM& com, ISerialDevice& device) {
  int waiting = device.Waiting();
  if (waiting < 0) return false;
  if (waiting == 0) return true;
  const uint32_t r = com.rxRead.load(std::memory_order_acquire);
  uint32_t w = com.rxWrite.load(std::memory_order_relaxed);
  const RingRuns runs = FreeRuns(r, w);
  if (runs.first == 0 && runs.second == 0) {
    com.ringFullPasses.fetch_add(1, std::memory_order_relaxed);
    return true;
  }
  const int ask1 = std::min<int>(waiting, int(runs.first));
  int got = ask1 > 0 ? device.Read(com.rxRing + w, ask1) : 0;
  if (got < 0) return false;
  w += uint32_t(got);
  if (w >= kRxRingSize) w -= kRxRingSize;
  com.rxWrite.store(w, std::memory_order_release);
  if (got < ask1) return true;
  waiting -= got;
  const int ask2 = std::min<int>(waiting, int(runs.second));
  if (ask2 <= 0) return true;
  // The first run ended at the top of the ring, so the write index is 0 here.
  got = device.Read(com.rxRing + w, ask2);
  if (got < 0) return false;
  w += uint32_t(got);
  com.rxWrite.store(w, std::memory_order_release);
  return true;
}

}  // namespace ign
