// TMainForm: the COM menu.
#include <QAction>
#include <QActionGroup>

#include "core/text/messages.h"
#include "ui/app/comm_adapter.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"

namespace ign {

namespace {
constexpr int kMsgComOffline = 89;
constexpr int kMsgComAuto = 90;
}  // namespace

void TMainForm::BuildComMenu() {
  comm_->ClearPortListChanged();
  const int connected = comm_->UnitConnected() ? comm_->ConnectedPort() : 0;
  ComMenuModel model =
      BuildComMenuModel(settings_.comPort, connected, *comm_, Msg(kMsgComOffline), Msg(kMsgComAuto));
  for (int i = 0; i < kComMenuItems; ++i) {
    const ComMenuItem& m = model[size_t(i)];
    QAction* a = menu_->com[size_t(i)];
    a->setSeparator(m.separator);
    a->setText(QString::fromUtf8(m.caption.c_str()));
    a->setCheckable(m.checked || m.radio || i < 2);
    a->setChecked(m.checked);
    a->setEnabled(m.enabled);
    a->setVisible(m.visible);
  }
}

void TMainForm::MenuCom1Click(int item) {
  if (item < 0 || item >= kComMenuItems) return;
  const std::string caption = menu_->com[size_t(item)]->text().toStdString();
  if (ApplyComMenuChoice(item, caption, settings_.comPort, *comm_)) BuildComMenu();
}

}  // namespace ign
