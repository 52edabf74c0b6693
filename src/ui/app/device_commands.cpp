// TMainForm: the COM menu and the device menu (Read, Verify, Program, Reset).
#include <QAction>
#include <QActionGroup>
#include <QMessageBox>
#include <QPalette>
#include <QProgressBar>
#include <cstdio>

#include "core/comm/comm_const.h"
#include "core/params/image.h"
#include "core/text/messages.h"
#include "ui/app/comm_adapter.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/app/status_widgets.h"

namespace ign {

namespace {
constexpr int kMsgNewInstallation = 62;
constexpr int kMsgComOffline = 89;
constexpr int kMsgComAuto = 90;
constexpr const char* kDifferentBike =
    "There is a different bike choosen in set software and in ignition unit,\n are you sure to reprogram it "
    "?\n";
}  // namespace

// ---- COM menu -------------------------------------------------------------------

void TMainForm::BuildComMenu() {
  if (!comRadioGroup_) {
    comRadioGroup_ = new QActionGroup(this);
    comRadioGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  }
  comm_->Com().ClearPortListChanged();
  const int connected = comm_->UnitConnected() ? comm_->ConnectedPort() : 0;
  comMenuConnectedPort_ = connected;
  ComMenuModel model =
      BuildComMenuModel(settings_.comPort, connected, *comm_, Msg(kMsgComOffline), Msg(kMsgComAuto));
  for (int i = 0; i < kComMenuItems; ++i) {
    const ComMenuItem& m = model[size_t(i)];
    QAction* a = menu_->com[size_t(i)];
    a->setSeparator(m.separator);
    a->setText(m.separator ? QString() : QString::fromUtf8(m.caption.c_str()));
    // Radio items are drawn as such only inside an exclusive group; the group
    // allows none checked, since the connected port may be missing.
    a->setActionGroup(m.radio ? comRadioGroup_ : nullptr);
    a->setCheckable(m.checked || m.radio || i < 2);
    a->setChecked(m.checked);
    a->setEnabled(m.enabled);
    a->setVisible(m.visible);
  }
}

void TMainForm::MenuCom1Click(int item) {
  if (item < 0 || item >= kComMenuItems) return;
  const std::string caption = menu_->com[size_t(item)]->text().toStdString();
  if (!ApplyComMenuChoice(item, caption, settings_.comPort, *comm_)) return;
  comm_->Com().SetConfiguredPort(settings_.comPort);
  BuildComMenu();
}

// ---- Device menu ----------------------------------------------------------------

void TMainForm::ConnectDeviceMenu() {
  connect(menu_->Item("MenuRead"), &QAction::triggered, this, &TMainForm::MenuReadClick);
  connect(menu_->Item("MenuVerify"), &QAction::triggered, this, &TMainForm::MenuVerifyClick);
  connect(menu_->Item("MenuProgram"), &QAction::triggered, this, &TMainForm::MenuProgramClick);
  connect(menu_->Item("MenuReset"), &QAction::triggered, this, &TMainForm::MenuResetClick);
}

void TMainForm::MenuReadClick() { comm_->Machine().RequestRead(); }

void TMainForm::MenuVerifyClick() {
  if (!comm_->Machine().Connected()) return;
  StoreActivePage();
  NormaliseEditedImage();
  ReloadActivePage();
  comm_->Machine().RequestVerify();
}

void TMainForm::MenuProgramClick() {
  CCommMachine& m = comm_->Machine();
  if (!m.Connected()) return;
  if (m.newInstallation) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Attention"),
                    QString::fromUtf8(Msg(kMsgNewInstallation)), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return;
  }
  if (m.UnitBike() != -1 && m.UnitBike() != params_.edited[Adrb::BIKE]) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), QString::fromUtf8(kDifferentBike),
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setWindowModality(Qt::ApplicationModal);
    if (box.exec() != QMessageBox::Ok) return;
  }
  StoreActivePage();
  NormaliseEditedImage();
  ReloadActivePage();
  m.RequestProgram();
}

void TMainForm::MenuResetClick() { comm_->Machine().RequestReset(); }

// The version part of a monitor record: key (index 150) and subversion (149)
// give the version state and text that status panel 4 shows with the unit.
void TMainForm::TakeMonitorVersion(const uint8_t* record) {
  const int key = record[150], subversion = record[149];
  char text[256];
  if (key == kProgramKey && subversion == kProgramSubversion) {
    std::snprintf(text, sizeof text, "RSKEY=%d.%02d", kProgramKey, kProgramSubversion);
    unitInfo_.SetVersion(VersionState::Match, text);
  } else {
    std::snprintf(text, sizeof text, "%s  PC-%d.%02d, IGN-%d.%02d", Msg(key != kProgramKey ? 17 : 18),
                  kProgramKey, kProgramSubversion, key, subversion);
    unitInfo_.SetVersion(VersionState::Mismatch, text);
  }
  panels_->SetText(4, unitInfo_.PanelText());
}

void TMainForm::ShowGauge(const GaugeView& g) {
  gaugeProgram_->setMaximum(g.maximum);
  gaugeProgram_->setValue(g.position);
  QPalette p = gaugeProgram_->palette();
  p.setColor(QPalette::Highlight,
             QColor(int(g.colour & 0xFF), int((g.colour >> 8) & 0xFF), int((g.colour >> 16) & 0xFF)));
  gaugeProgram_->setPalette(p);
  gaugeProgram_->setVisible(g.visible);
}

}  // namespace ign
