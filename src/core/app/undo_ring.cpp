#include "core/app/undo_ring.h"

#include <algorithm>

namespace ign {

CUndoRing::CUndoRing(CSettingsDoc& params, IUndoHost& host)
    : params_(params), host_(host), ring_(kUndoEntries) {}

void CUndoRing::Store(int position) {
  std::copy(params_.Edited().begin(), params_.Edited().begin() + RS_LEN_EXE, ring_[position].image.begin());
  ring_[position].page = host_.ActivePage();
}

void CUndoRing::ResetUndo() {
  current_ = oldest_ = newest_ = 0;
  Store(0);
  host_.WriteSettings();
  RefreshUndoButtons();
  params_.ClearMarks();
}

bool CUndoRing::TakeSnapshot() {
  Image before{};
  std::copy(ring_[current_].image.begin(), ring_[current_].image.end(), before.begin());
  if (!params_.CommitEdit(before)) return false;
  host_.RecordImage(params_.Edited());
  current_ = Next(current_);
  newest_ = current_;
  if (current_ == oldest_) oldest_ = Next(oldest_);
  Store(current_);
  host_.WriteSettings();
  RefreshUndoButtons();
  return true;
}

void CUndoRing::Undo() {
  if (!CanUndo()) return;
  const int pageSource = current_;
  current_ = Prev(current_);
  ApplyCurrent(pageSource);
  host_.FocusProgramAfterChange();
}

void CUndoRing::Redo() {
  if (!CanRedo()) return;
  current_ = Next(current_);
  ApplyCurrent(current_);
  host_.FocusProgramAfterChange();
}

void CUndoRing::ApplyCurrent(int pageSource) {
  const bool changed = params_.ApplySnapshot(ring_[current_].image);
  host_.LoadPages(host_.ActivePage());
  // Show the page on which the undone (or redone) change was made.
  if (ring_[pageSource].page != host_.ActivePage()) host_.ShowPage(ring_[pageSource].page);
  host_.LoadPages(host_.ActivePage());
  RefreshUndoButtons();
  if (host_.ProgramAfterChange() && changed) host_.RequestProgramChanged();
}

void CUndoRing::RefreshUndoButtons() { host_.SetUndoButtons(CanUndo(), CanRedo()); }

}  // namespace ign
