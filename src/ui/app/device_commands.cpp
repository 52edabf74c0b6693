#include "ui/app/device_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QMessageBox>
#include <QPalette>
#include <QProgressBar>

#include "core/params/image.h"
#include "core/text/messages.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"

namespace ign {

namespace {
constexpr int kMsgNewInstallation = 62;
constexpr int kMsgComOffline = 89;
constexpr int kMsgComAuto = 90;
constexpr int kMsgDifferentBike = 63;
}  // namespace

TDeviceCommands::TDeviceCommands(QWidget* window, CEngine& engine, TMainMenu& menu, TMainLayout& layout,
                                 int& comPort, std::function<void()> settle)
    : QObject(window),
      window_(window),
      engine_(engine),
      menu_(menu),
      layout_(layout),
      comPort_(comPort),
      settle_(std::move(settle)) {
  connect(menu_.Item("MenuRead"), &QAction::triggered, this, &TDeviceCommands::MenuReadClick);
  connect(menu_.Item("MenuVerify"), &QAction::triggered, this, &TDeviceCommands::MenuVerifyClick);
  connect(menu_.Item("MenuProgram"), &QAction::triggered, this, &TDeviceCommands::MenuProgramClick);
  connect(menu_.Item("MenuReset"), &QAction::triggered, this, &TDeviceCommands::MenuResetClick);
  for (int i = 0; i < TMainMenu::kComItems; ++i)
    connect(menu_.com[size_t(i)], &QAction::triggered, this, [this, i] { MenuCom1Click(i); });
}

// ---- COM menu -------------------------------------------------------------------

void TDeviceCommands::BuildComMenu() {
  if (!comRadioGroup_) {
    comRadioGroup_ = new QActionGroup(this);
    comRadioGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  }
  engine_.Com().ClearPortListChanged();
  const int connected = engine_.UnitConnected() ? engine_.ConnectedPort() : 0;
  comMenuConnectedPort_ = connected;
  ComMenuModel model = BuildComMenuModel(comPort_, connected, engine_, Msg(kMsgComOffline), Msg(kMsgComAuto));
  for (int i = 0; i < kComMenuItems; ++i) {
    const ComMenuItem& m = model[size_t(i)];
    QAction* a = menu_.com[size_t(i)];
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

void TDeviceCommands::MenuCom1Click(int item) {
  if (item < 0 || item >= kComMenuItems) return;
  const std::string caption = menu_.com[size_t(item)]->text().toStdString();
  if (!ApplyComMenuChoice(item, caption, comPort_, engine_)) return;
  engine_.Com().SetConfiguredPort(comPort_);
  BuildComMenu();
}

void TDeviceCommands::RebuildComMenuWhenPortsChanged() {
  // In automatic mode the menu marks the connected port, so a new connection
  // also rebuilds it.
  const int connected = engine_.UnitConnected() ? engine_.ConnectedPort() : 0;
  if (engine_.Com().PortListChanged() || connected != comMenuConnectedPort_) BuildComMenu();
}

// ---- Device menu ----------------------------------------------------------------

void TDeviceCommands::EnableDeviceCommands() {
  const bool connected = engine_.UnitConnected();
  for (const char* name : {"MenuRead", "MenuVerify", "MenuProgram", "MenuReset"})
    menu_.Item(name)->setEnabled(connected);
}

// Each operation starts at once, not on the next tick.
void TDeviceCommands::MenuReadClick() {
  engine_.Machine().RequestRead();
  engine_.StepBetweenTicks();
}

void TDeviceCommands::MenuVerifyClick() {
  if (!engine_.Machine().Connected()) return;
  settle_();
  engine_.Machine().RequestVerify();
  engine_.StepBetweenTicks();
}

void TDeviceCommands::MenuProgramClick() {
  CCommMachine& m = engine_.Machine();
  if (!m.Connected()) return;
  if (m.newInstallation) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Attention"),
                    QString::fromUtf8(Msg(kMsgNewInstallation)), QMessageBox::Ok, window_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return;
  }
  if (m.UnitBike() != -1 && m.UnitBike() != engine_.Params().edited[Adrb::BIKE]) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"),
                    QString::fromUtf8(Msg(kMsgDifferentBike)), QMessageBox::Ok | QMessageBox::Cancel,
                    window_);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setWindowModality(Qt::ApplicationModal);
    if (box.exec() != QMessageBox::Ok) return;
  }
  settle_();
  m.RequestProgram();
  engine_.StepBetweenTicks();
}

void TDeviceCommands::MenuResetClick() {
  engine_.Machine().RequestReset();
  engine_.StepBetweenTicks();
}

void TDeviceCommands::ShowGauge(const GaugeView& g) {
  QProgressBar* gauge = layout_.gaugeProgram;
  gauge->setMaximum(g.maximum);
  gauge->setValue(g.position);
  QPalette p = gauge->palette();
  p.setColor(QPalette::Highlight,
             QColor(int(g.colour & 0xFF), int((g.colour >> 8) & 0xFF), int((g.colour >> 16) & 0xFF)));
  gauge->setPalette(p);
  gauge->setVisible(g.visible);
}

}  // namespace ign
