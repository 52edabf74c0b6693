// TMainForm: "New" and "New for actual page": the default settings, for the
// whole image or for the parameters of the page in front.
#include <QTimer>
#include <cstdio>

#include "core/device/engine.h"
#include "core/text/messages.h"
#include "ui/app/handover_server.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/pages/pages.h"
#include "ui/pages/question_box.h"

namespace ign {

namespace {
constexpr int kMsgDefaultSetting = 34;  // "Do you want default setting?"
}

void TMainForm::NewSettings(bool forActualPage) {
  pages_->CommitPending();
  const int group = forActualPage ? ActivePageIndex() : Group::All;
  if (AskYesNoCancel(this, Msg(kMsgDefaultSetting)) != Answer::Yes) return;
  NewDefaults(group);
  pages_->CommitEdit();
}

void TMainForm::NewDefaults(int group) {
  session_->LoadDefaults(group);
  ReloadActivePage();
  status_.ShowStatus(Slot::Result, nullptr, 0, Colour::None, Colour::None, 10);
  // The title reads the settings' file name; both forget the file.
  files_->session.currentFile.clear();
  settings_.file.clear();
  status_.RefreshTitle();
  AddRecent("");
}

void TMainForm::StartHandoverServer() {
  handover_ = std::make_unique<THandoverServer>(
      this, HandoverSocketPath(config_),
      [this](const HandoverMessage& m) {
        engine_->Machine().HandleHandover(m.port, m.code);
        BuildComMenu();
      },
      [this](const InstanceRequest& request) {
        // After the socket's slot returns: opening may ask or warn in a box.
        QTimer::singleShot(0, this, [this, request] {
          if (isMinimized()) showNormal();
          raise();
          activateWindow();
          if (request.kind != InstanceRequest::Open) return;
          std::fprintf(stderr, "ignset: opening %s from another start\n", request.path.c_str());
          OpenGivenFile(request.path);
        });
      });
}

}  // namespace ign
