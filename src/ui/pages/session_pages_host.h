#pragma once
// TSessionPagesHost: the pages over a session. Everything the pages store,
// load, commit and request goes to the session; a front end derives from it
// for what only it has (the "Programming after change" box, the file name of
// New, the live display).
#include "core/session/session.h"
#include "ui/pages/pages.h"

namespace ign {

class TSessionPagesHost : public IPagesHost {
 public:
  explicit TSessionPagesHost(CSession& session) : session_(session) {}

  CSettingsDoc& Params() override { return session_.Params(); }
  void NormaliseImage() override { session_.NormaliseEdited(); }
  bool Snapshot() override { return session_.Snapshot(); }
  bool ProgramAfterChange() const override { return session_.ProgramAfterChange(); }
  void RequestProgramChanged() override { session_.Machine().RequestProgramChanged(); }
  QWidget* ProgramAfterChangeBox() override { return nullptr; }
  int32_t Tick() const override { return session_.Engine().Clock().Ticks(); }
  bool StartupComplete() const override { return true; }
  // The defaults and an empty status slot 2; the front end forgets its file name.
  void NewDefaults(int group) override;
  void SetBikeChanged() override { session_.SetBikeChanged(); }
  void ApplyBikePreset() override { session_.ApplyBikePreset(); }
  void AddTestBits(int index, uint8_t bits) override;
  void NoteTestRequest(const std::array<std::string, 3>& caption) override;
  void ShowValueNote(const std::string& packed) override;

 protected:
  CSession& session_;
};

}  // namespace ign
