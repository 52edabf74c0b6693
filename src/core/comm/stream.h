#pragma once
// The pick-up sample stream that a unit sends after a monitor answer, outside
// any frame. The main thread announces it, the protocol thread collects it and
// hands a complete, intact stream over through `completed`.
#include <atomic>
#include <cstdint>

#include "core/comm/comm_const.h"

namespace ign {

struct StreamDescriptor {
  std::atomic<uint8_t> type{0};  // 0: none; the hand-over field, written last
  std::atomic<uint16_t> length{0};
  std::atomic<uint16_t> count{0};
  std::atomic<uint8_t> xorCheck{0};
  std::atomic<uint8_t> sumCheck{0};
  std::atomic<uint8_t> further{0};
  uint8_t data[kStreamBufSize] = {};
};

struct StreamShare {
  StreamDescriptor live;       // being received (protocol thread)
  StreamDescriptor completed;  // type != 0: a stream waits for the main thread
  // The communication step mask of the main timer: 1, 3 or 7. A damaged stream slows the steps.
  std::atomic<int> stepMask{1};
  std::atomic<uint32_t> dropped{0};  // damaged or overlong streams
  std::atomic<uint32_t> overrun{0};  // good streams lost because the last was not taken yet

  // Main thread: a monitor record announces a stream (type 0 announces none).
  void Announce(uint8_t type, uint16_t length, uint8_t xorCheck, uint8_t sumCheck, uint8_t further);
  // Main thread: a completed stream waits to be taken.
  bool Waiting() const { return completed.type.load(std::memory_order_acquire) != 0; }
  // Main thread: copies the completed stream out and frees it. False when none waits.
  bool Take(uint8_t& type, uint16_t& length, uint8_t& further, uint8_t* data /* kStreamBufSize */);

  // Protocol thread: one byte of the live stream. True when the stream ended
  // with it (completed, damaged or too long).
  bool Feed(uint8_t byte);
  // Protocol thread: drops a stream that has grown to the buffer's size.
  bool DropIfFull();
  // Protocol thread: drops the live stream (it stopped arriving).
  void DropLive();
};

}  // namespace ign
