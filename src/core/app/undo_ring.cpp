#include "core/app/undo_ring.h"

#include <algorithm>

namespace ign {

CUndoRing::CUndoRing(ParamState& params, IStatus& status, IUndoHost& host)
    : params_(params), status_(status), host_(host), ring_(kUndoEntries) {}

void CUndoRing::Store(int position) {
  std::copy(params_.edited.begin(), params_.edited.begin() + RS_LEN_EXE, ring_[position].image.begin());
  ring_[position].page = host_.ActivePage();
}

void CUndoRing::ResetUndo() {
  current_ = oldest_ = newest_ = 0;
  Store(0);
  host_.WriteSettings();
  RefreshUndoButtons();
  params_.marks.fill(0);
}

bool CUndoRing::TakeSnapshot() {
  bool changed = false;
  const Entry& entry = ring_[current_];
  for (int i = 0; i < RS_LEN_EXE; ++i)
    if (params_.edited[i] != entry.image[i]) {
      params_.marks[i] = 1;
      changed = true;
    }
  if (!changed) return false;
  host_.RecordImage(params_.edited);
  CompareImages(params_, status_);
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
  bool changed = false;
  const Entry& entry = ring_[current_];
  for (int i = 0; i < RS_LEN_EXE; ++i)
    if (params_.edited[i] != entry.image[i]) {
      params_.edited[i] = entry.image[i];
      params_.marks[i] = 1;
      changed = true;
    }
  host_.LoadPages(host_.ActivePage());
  // Show the page on which the undone (or redone) change was made.
  if (ring_[pageSource].page != host_.ActivePage()) host_.ShowPage(ring_[pageSource].page);
  host_.LoadPages(host_.ActivePage());
  RefreshUndoButtons();
  if (host_.ProgramAfterChange() && changed) host_.RequestProgramChanged();
  CompareImages(params_, status_);
}

void CUndoRing::RefreshUndoButtons() { host_.SetUndoButtons(CanUndo(), CanRedo()); }

}  // namespace ign
