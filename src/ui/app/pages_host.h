#pragma once
// The parameter pages' view of the main window.
#include "ui/pages/pages.h"

namespace ign {

class TMainForm;

class TPagesHost : public IPagesHost {
 public:
  explicit TPagesHost(TMainForm& form) : form_(form) {}
  CSettingsDoc& Params() override;
  void NormaliseImage() override;
  bool Snapshot() override;
  bool ProgramAfterChange() const override;
  void RequestProgramChanged() override;
  QWidget* ProgramAfterChangeBox() override;
  int32_t Tick() const override;
  bool StartupComplete() const override;
  void NewDefaults(int group) override;
  void SetBikeChanged() override;
  void ApplyBikePreset() override;
  void AddTestBits(int index, uint8_t bits) override;
  void NoteTestRequest(const std::array<std::string, 3>& caption) override;
  bool DeveloperTestMode() const override;
  void NoteRecorderView() override;
  void RefreshLiveDisplay() override;
  void LoadBinaryDump() override;
  void ShowValueNote(const std::string& packed) override;

 private:
  TMainForm& form_;
};

}  // namespace ign
