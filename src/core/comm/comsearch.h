#pragma once
// The port search: probes up to three ports at a time with the rows of the
// search table, identifies a unit by its answer and connects the first unit
// whose key equals the program's key. Runs on the main thread only.
#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/comm/codec.h"
#include "core/comm/comiosys.h"
#include "core/comm/search_memory.h"
#include "core/comm/search_table.h"

namespace ign {

class IStatus;

namespace SlotState {
constexpr int Idle = 0;
constexpr int Opening = 1;
constexpr int SentOnce = 2;
constexpr int CoolDown = 3;
constexpr int SentAgain = 4;
constexpr int Identified = 5;
constexpr int ProtocolFailed = 6;
constexpr int PortFailed = 7;
}  // namespace SlotState

struct SearchSlot {
  int port = 0;  // 0: slot free
  int row = 0;
  // The port's order of rows: the row that last connected on it (-1: none)
  // first, then the others in table order; step is the place in that order.
  int firstRow = -1;
  int step = 0;
  int64_t time = 0;
  int state = SlotState::Idle;
  int hardwareId = -1;
  int key = -1;
  char name[32] = {};
  int maxFrameLen = 0;
  int frameOverhead = 0;
  CFrameCodec codec;
};

// What the rest of the program may know about the connected unit.
struct LinkInfo {
  int port = 0;
  int protocol = 0;
  int hardwareId = -1;
  int key = -1;
  std::string name;
  int maxFrameLen = 0;
  int frameOverhead = 0;
};

// A unit that answered the probe with another key than the program's.
struct UnmatchedUnit {
  int port = 0;
  int key = -1;
  int hardwareId = -1;
  std::string name;  // as shown: "model vKEY"
};

class CCOMSEARCH : public CCOMIOSYS {
 public:
  explicit CCOMSEARCH(const CTickClock& clock, std::shared_ptr<IPortSystem> system = nullptr,
                      const std::string& traceFile = {});

  void SearchStep();

  int ConnectedPort() const { return connectedPort_.load(std::memory_order_acquire); }
  bool Enabled() const { return enabled_.load(std::memory_order_acquire) != 0; }
  void SetEnabled(bool enabled) { enabled_.store(enabled ? 1 : 0, std::memory_order_release); }
  void SetProgramKey(int low, int high) { keyLow_ = low, keyHigh_ = high; }
  int ProgramKey() const { return keyLow_ + 256 * keyHigh_; }
  // -1: search off, 0: automatic, n > 0: only port n.
  void SetConfiguredPort(int port) { configuredPort_ = port; }
  int ConfiguredPort() const { return configuredPort_; }
  // Where the automatic search starts looking (1..255; anything else means 1).
  void SetNextPort(int port) { nextPort_ = port < 1 || port > kMaxPortNumber ? 1 : port; }
  int NextPort() const { return nextPort_; }
  void SetStatus(IStatus* status) { status_ = status; }
  // The row that last connected on each port; a connection updates it. Main
  // thread only, like the search; the owner keeps it across runs.
  CSearchMemory& Memory() { return memory_; }
  const CSearchMemory& Memory() const { return memory_; }

  LinkInfo ActiveLink() const;
  int SlotPort(int slot) const { return (slot >= 0 && slot < kSearchSlots) ? slots_[slot].port : 0; }
  int SlotState(int slot) const { return (slot >= 0 && slot < kSearchSlots) ? slots_[slot].state : 0; }

  // The last unit the search found with another key, and how many such
  // answers there have been. Main thread only, like the search.
  std::optional<UnmatchedUnit> LastUnmatched() const { return lastUnmatched_; }
  int UnmatchedCount() const { return unmatchedCount_; }

  // True while the last open of the port found it held by another program
  // (until an open succeeds). The search skips such a port and tries it again
  // only every kHeldRetryMs; a change sets the port-list-changed flag, so
  // that menus show it. Main thread only.
  bool PortHeld(int port) const { return port >= 1 && port <= kMaxPortNumber && held_[size_t(port)]; }
  // The present ports held by another program, ascending. Main thread only.
  std::vector<int> HeldPorts() const;

 protected:
  // The winning slot, copied at the connection. The protocol thread copies it
  // out under the mutex when it sees a new link generation.
  mutable std::mutex linkMutex_;
  SearchSlot activeLink_;
  std::atomic<uint32_t> linkGeneration_{0};
  std::atomic<int> connectedPort_{0};

 private:
  void SearchSlots();
  enum class Next { Slot, EndStep };
  Next HandleSlot(int index);
  void HandleAnswer(int index);
  void SendProbe(SearchSlot& slot);
  bool TakePort(int index);
  void Connect(int index);
  bool HeldByOtherSlot(int index, int port) const;
  void NoteUnmatched(int index);
  // Tells the user why a slot's port did not open, once per port and error.
  void ReportOpenFailure(int index);
  // The slot's open has just failed because another program holds the port.
  bool OpenFoundHeld(const SearchSlot& slot) const;
  // Lets a held port go without counting it as failed, and notes when.
  void SkipHeldPort(int index, int64_t now);
  void SetHeld(int port, bool held);
  // A held port whose next try is not due yet.
  bool LeaveAlone(int port, int64_t now) const;

  SearchSlot slots_[kSearchSlots];
  CSearchMemory memory_;
  std::atomic<int> enabled_{1};
  int keyLow_ = kProgramKey;
  int keyHigh_ = 0;
  int configuredPort_ = 0;
  int nextPort_ = 1;
  bool foundTraced_ = false;
  IStatus* status_ = nullptr;
  std::optional<UnmatchedUnit> lastUnmatched_;
  int unmatchedCount_ = 0;
  // The open error last shown for each port; 0 when none is shown or the
  // port has opened since.
  std::array<int, kPortCount> shownOpenError_{};
  // Ports found held by another program, and when the search last tried each.
  std::array<bool, kPortCount> held_{};
  std::array<int64_t, kPortCount> heldTriedAt_{};
};

}  // namespace ign
