#include "core/comm/stream.h"

#include <cstring>

namespace ign {

void StreamShare::Announce(uint8_t type, uint16_t length, uint8_t xorCheck, uint8_t sumCheck,
                           uint8_t further) {
  if (type == 0 || length == 0) return;
  if (live.type.load(std::memory_order_acquire) != 0) return;  // one is still arriving
  live.length.store(length, std::memory_order_relaxed);
  live.xorCheck.store(xorCheck, std::memory_order_relaxed);
  live.sumCheck.store(sumCheck, std::memory_order_relaxed);
  live.further.store(further, std::memory_order_relaxed);
  live.count.store(0, std::memory_order_relaxed);
  live.type.store(type, std::memory_order_release);
}

bool StreamShare::Take(uint8_t& type, uint16_t& length, uint8_t& further, uint8_t* data) {
  type = completed.type.load(std::memory_order_acquire);
  if (type == 0) return false;
  length = completed.length.load(std::memory_order_relaxed);
  further = completed.further.load(std::memory_order_relaxed);
  std::memcpy(data, completed.data, length);
  completed.length.store(0, std::memory_order_relaxed);
  completed.type.store(0, std::memory_order_release);
  return true;
}

bool StreamShare::DropIfFull() {
  if (live.count.load(std::memory_order_relaxed) < kStreamBufSize) return false;
  DropLive();
  return true;
}

void StreamShare::DropLive() {
  live.count.store(0, std::memory_order_relaxed);
  live.type.store(0, std::memory_order_release);
  dropped.fetch_add(1, std::memory_order_relaxed);
}

bool StreamShare::Feed(uint8_t byte) {
  if (DropIfFull()) return true;
  uint16_t count = live.count.load(std::memory_order_relaxed);
  live.data[count++] = byte;
  live.count.store(count, std::memory_order_relaxed);
  const uint16_t length = live.length.load(std::memory_order_relaxed);
  if (count < length) return false;
  uint8_t x = 0;
  uint8_t s = 0;
  for (uint16_t i = 0; i < length; ++i) {
    x ^= live.data[i];
    s = uint8_t(s + live.data[i]);
  }
  if (x == live.xorCheck.load(std::memory_order_relaxed) &&
      s == live.sumCheck.load(std::memory_order_relaxed)) {
    // Never overwrite a stream the main thread has not taken yet.
    if (completed.type.load(std::memory_order_acquire) == 0) {
      std::memcpy(completed.data, live.data, length);
      completed.length.store(length, std::memory_order_relaxed);
      completed.count.store(length, std::memory_order_relaxed);
      completed.xorCheck.store(x, std::memory_order_relaxed);
      completed.sumCheck.store(s, std::memory_order_relaxed);
      completed.further.store(live.further.load(std::memory_order_relaxed), std::memory_order_relaxed);
      completed.type.store(live.type.load(std::memory_order_relaxed), std::memory_order_release);
    } else {
      overrun.fetch_add(1, std::memory_order_relaxed);
    }
  } else {
    dropped.fetch_add(1, std::memory_order_relaxed);
    int mask = stepMask.load(std::memory_order_relaxed);
    if (mask == 1 || mask == 3) stepMask.compare_exchange_strong(mask, mask * 2 + 1);
  }
  live.count.store(0, std::memory_order_relaxed);
  live.type.store(0, std::memory_order_release);
  return true;
}

}  // namespace ign
