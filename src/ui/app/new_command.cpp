// TMainForm: "New" and "New for actual page": the default settings, for the
// whole image or for the parameters of the page in front.
#include <QMessageBox>

#include "core/device/engine.h"
#include "core/text/messages.h"
#include "ui/app/handover_server.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"

namespace ign {

namespace {
constexpr int kMsgDefaultSetting = 34;  // "Do you want default setting?"
}

void TMainForm::NewSettings(bool forActualPage) {
  const int group = forActualPage ? ActivePageIndex() : Group::All;
  const auto answer = QMessageBox::question(this, QString(), QString::fromUtf8(Msg(kMsgDefaultSetting)),
                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer != QMessageBox::Yes) return;
  defaults_.LoadDefaults(params_.edited, group);
  ReloadActivePage();
  CommitImageChange();
  status_.ShowStatus(Slot::Result, nullptr, 0, Colour::None, Colour::None, 10);
  files_->session.currentFile.clear();
  status_.RefreshTitle();
  AddRecent("");
}

void TMainForm::StartHandoverServer() {
  handover_ = std::make_unique<THandoverServer>(this, [this](const HandoverMessage& m) {
    engine_->Machine().HandleHandover(m.port, m.code);
    BuildComMenu();
  });
}

}  // namespace ign
