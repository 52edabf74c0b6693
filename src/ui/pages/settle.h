#pragma once
// The pending control change: a run of stepping events on one control (up-down
// clicks, the wheel, arrow keys) is committed once, 5 ticks after its last
// event; anything else (Enter, focus loss, a check box, a list, another
// control, a change from outside the controls) commits at once, taking the
// pending change with it. Plain C++: the control is only an identity.
#include <cstdint>
#include <functional>

namespace ign {

enum class ChangeKind { Immediate, Stepping };

class CChangeSettle {
 public:
  static constexpr int32_t kSettleTicks = 5;

  explicit CChangeSettle(std::function<void()> commit) : commit_(std::move(commit)) {}

  // A user's change of control (an identity; any non-null pointer).
  void NoteChange(const void* control, ChangeKind kind, int32_t nowTick);
  // On every tick: a pending control whose deadline has come is committed.
  void Settle(int32_t nowTick);
  // Commits a pending change now; nothing happens when none is pending.
  void CommitPending(int32_t nowTick);

  // Forgets a pending change without committing it (its control was stored
  // by a commit that runs for another reason).
  void Forget() {
    control_ = nullptr;
    deadline_ = 0;
  }

  bool Pending() const { return control_ != nullptr; }
  const void* PendingControl() const { return control_; }
  int32_t Deadline() const { return deadline_; }

 private:
  std::function<void()> commit_;
  const void* control_ = nullptr;
  ChangeKind kind_ = ChangeKind::Immediate;
  int32_t deadline_ = 0;
};

}  // namespace ign
