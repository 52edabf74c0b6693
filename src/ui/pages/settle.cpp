#include "ui/pages/settle.h"

namespace ign {

void CChangeSettle::NoteChange(const void* control, ChangeKind kind, int32_t nowTick) {
  const bool wasPending = control_ != nullptr;
  // Another control's change commits the pending one with it.
  if (wasPending && control_ != control) kind = ChangeKind::Immediate;
  control_ = control;
  if (!wasPending || kind == kind_) {
    kind_ = kind;
    deadline_ = nowTick + kSettleTicks;
  } else {
    kind_ = ChangeKind::Immediate;
  }
  if (kind_ == ChangeKind::Immediate) {
    control_ = nullptr;
    deadline_ = 0;
    if (commit_) commit_();
  }
}

void CChangeSettle::Settle(int32_t nowTick) {
  if (control_ && nowTick >= deadline_) NoteChange(control_, ChangeKind::Immediate, nowTick);
}

void CChangeSettle::CommitPending(int32_t nowTick) {
  if (control_) NoteChange(control_, ChangeKind::Immediate, nowTick);
}

}  // namespace ign
