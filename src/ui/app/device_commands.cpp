#include "ui/app/device_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QPalette>
#include <QProgressBar>

#include "core/text/messages.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"
#include "ui/app/session_boxes.h"

namespace ign {

namespace {
constexpr int kMsgComOffline = 89;
constexpr int kMsgComAuto = 90;
}  // namespace

TDeviceCommands::TDeviceCommands(CSession& session, TSessionBoxes& boxes, TMainMenu& menu,
                                 TMainLayout& layout, int& comPort, std::function<void()> settle)
    : QObject(&boxes),
      session_(session),
      engine_(session.Engine()),
      boxes_(boxes),
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
void TDeviceCommands::MenuReadClick() { session_.Read(); }

void TDeviceCommands::MenuVerifyClick() {
  if (!engine_.Machine().Connected()) return;
  settle_();
  session_.Verify();
}

// The session's check first: a refusal is told, a question asked; the pages
// are settled only for a programming that goes ahead.
void TDeviceCommands::MenuProgramClick() {
  if (!session_.Machine().Connected()) return;
  const Preflight check = session_.CheckProgram();
  if (check.verdict == Verdict::Refuse) {
    boxes_.Tell(check);
    return;
  }
  if (check.verdict == Verdict::Confirm && !boxes_.Ask(check)) return;
  settle_();
  session_.Program(true);
  session_.StepBetweenTicks();
}

void TDeviceCommands::MenuResetClick() { session_.Reset(); }

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
