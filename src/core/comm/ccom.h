#pragma once
// One port record. The fields that two threads share are atomics: the caller
// (main thread, or the protocol thread for the connected port) fills the
// transmit buffer and then publishes the transmit length; the I/O thread
// fills the ring and then publishes the write index; and the other way round.
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "core/comm/comm_const.h"
#include "core/comm/port_wake.h"

namespace ign {

class ISerialDevice;

namespace IoState {
constexpr uint8_t Closed = 0;
constexpr uint8_t Opening = 16;
constexpr uint8_t Open = 32;
constexpr uint8_t Closing = 48;
}  // namespace IoState

namespace PortResult {
constexpr uint8_t None = 0;
constexpr uint8_t OpenFailed = 1;
constexpr uint8_t OpenTimedOut = 2;
constexpr uint8_t NoThread = 3;
constexpr uint8_t DeviceLost = 4;  // the device failed while open (pulled adapter, closed pty)
}  // namespace PortResult

namespace PortRequest {
constexpr uint8_t Open = 1;
constexpr uint8_t Close = 2;
}  // namespace PortRequest

namespace ThreadCmd {
constexpr uint8_t None = 0;
constexpr uint8_t Open = 1;
constexpr uint8_t Close = 2;
}  // namespace ThreadCmd

namespace ThreadState {
constexpr uint8_t None = 0;
constexpr uint8_t Running = 1;
constexpr uint8_t Ended = 2;
}  // namespace ThreadState

struct CCOM {
  uint8_t port = 0;
  char devicePath[256] = {};  // written by the main thread before the open command
  char lineSettings[20] = {};
  std::atomic<uint8_t> ioState{IoState::Closed};
  std::atomic<uint8_t> result{PortResult::None};
  // The errno of the last open attempt (0: it succeeded), written by the I/O
  // thread before it publishes the result or the open state.
  std::atomic<int> openError{0};
  std::atomic<int32_t> baud{115200};
  std::atomic<int32_t> present{0};
  std::thread thread;  // main thread only
  std::atomic<uint8_t> threadState{ThreadState::None};
  std::atomic<uint8_t> request{0};
  std::atomic<uint8_t> threadCommand{ThreadCmd::None};
  int64_t requestTime = 0;  // main thread only

  uint8_t txBuf[kTxBufSize] = {};
  std::atomic<uint32_t> txLen{0};
  uint8_t rxRing[kRxRingSize] = {};
  std::atomic<uint32_t> rxRead{0};
  std::atomic<uint32_t> rxWrite{0};

  // Wakes the I/O thread: signalled by TxPut and by every command to the thread.
  PortWake wake;

  // Counters for the trace: bytes left in the driver queue because the ring was full.
  std::atomic<uint32_t> ringFullPasses{0};

  // Data path for the single sender and the single consumer.
  bool TxIdle() const { return txLen.load(std::memory_order_acquire) == 0; }
  // Copies up to kTxBufSize bytes and publishes them; false (nothing done) while busy.
  bool TxPut(const uint8_t* data, uint32_t len);
  // Takes one byte from the ring; false when it is empty.
  bool RxGet(uint8_t& byte);
  uint32_t RxCount() const;
  // Drops everything in the ring (consumer side).
  void RxDiscard();
};

// Free space of the ring as the I/O thread sees it: a first run at the write
// index and a second run at the start, one slot kept free.
struct RingRuns {
  uint32_t first = 0;
  uint32_t second = 0;
};
RingRuns FreeRuns(uint32_t readIndex, uint32_t writeIndex);

// One receive pass of the I/O thread: moves queued bytes from the device into
// the ring. Returns false when the device has failed.
bool FillRing(CCOM& com, ISerialDevice& device);

}  // namespace ign
