#pragma once
// The parameter pages in the main window: the session's pages host, with what
// only the window has.
#include "ui/pages/session_pages_host.h"

namespace ign {

class TMainForm;

class TPagesHost : public TSessionPagesHost {
 public:
  TPagesHost(TMainForm& form, CSession& session) : TSessionPagesHost(session), form_(form) {}
  QWidget* ProgramAfterChangeBox() override;
  int32_t Tick() const override;
  bool StartupComplete() const override;
  void NewDefaults(int group) override;
  bool DeveloperTestMode() const override;
  void NoteRecorderView() override;
  void RefreshLiveDisplay() override;
  void LoadBinaryDump() override;

 private:
  TMainForm& form_;
};

}  // namespace ign
