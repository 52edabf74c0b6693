#pragma once
// The undo ring's view of the main window.
#include "core/app/undo_ring.h"

namespace ign {

class TMainForm;

class TUndoHost : public IUndoHost {
 public:
  explicit TUndoHost(TMainForm& form) : form_(form) {}
  int ActivePage() const override;
  void ShowPage(int page) override;
  void LoadPages(int page) override;
  void WriteSettings() override;
  void SetUndoButtons(bool canUndo, bool canRedo) override;
  bool ProgramAfterChange() const override;
  void RequestProgramChanged() override;
  void FocusProgramAfterChange() override;
  void RecordImage(const Image& img) override;

 private:
  TMainForm& form_;
};

}  // namespace ign
