#include "ui/app/tool_bar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMouseEvent>

#include "ui/app/main_menu.h"

namespace ign {

TToolBar::TToolBar(QWidget* parent, const TMainMenu& menu) {
  box_ = new QGroupBox(parent);
  box_->setObjectName("GroupBoxToolBar");
  auto* row = new QHBoxLayout(box_);
  row->setContentsMargins(4, 2, 4, 2);
  row->addWidget(Button("SpeedButtonNew", "MenuNew", menu));
  TSpeedButton* open = Button("SpeedButtonOpen", "MenuOpen", menu);
  open->SetAlternate(Qt::ControlModifier, menu.Item("MenuOpenExeDir"));
  row->addWidget(open);
  TSpeedButton* save = Button("SpeedButtonSave", "MenuSave", menu);
  save->SetAlternate(Qt::ShiftModifier, menu.Item("MenuQuicksave"));
  save->SetAlternate(Qt::ControlModifier, menu.Item("MenuSaveExeDir"));
  row->addWidget(save);
  row->addWidget(Button("SpeedButtonPrint", "MenuPrint", menu));
  row->addSpacing(12);
  row->addWidget(Button("SpeedButtonZpet", "MenuZpet", menu));
  row->addWidget(Button("SpeedButtonZnovu", "MenuZnovu", menu));
  row->addSpacing(12);
  row->addWidget(Button("ButtonRead", "MenuRead", menu));
  row->addWidget(Button("ButtonVerify", "MenuVerify", menu));
  row->addWidget(Button("ButtonProgram", "MenuProgram", menu));
  row->addSpacing(12);
  progHned_ = new QCheckBox(QStringLiteral("Programming after change"), box_);
  progHned_->setObjectName("CheckBoxProgHned");
  progHned_->setAutoFillBackground(true);
  QObject::connect(progHned_, &QCheckBox::toggled, box_, [this] { ShowProgramAfterChangeState(); });
  row->addWidget(progHned_);
  row->addStretch(1);
}

// Caption, hint and enabled state come from the menu item (relabelled with the language).
TSpeedButton* TToolBar::Button(const char* name, const char* action, const TMainMenu& menu) {
  auto* b = new TSpeedButton(box_);
  b->setObjectName(name);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setDefaultAction(menu.Item(action));
  b->setMinimumWidth(64);
  return b;
}

void TSpeedButton::SetAlternate(Qt::KeyboardModifier modifier, QAction* action) {
  (modifier == Qt::ShiftModifier ? shift_ : control_) = action;
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  modifiers_ = event->modifiers();  // the keys held when the click completes
  QToolButton::mouseReleaseEvent(event);
  modifiers_ = {};
}

// A click of a button with a menu command triggers it here.
void TSpeedButton::nextCheckState() {
  QAction* alternate = modifiers_ & Qt::ShiftModifier     ? shift_
                       : modifiers_ & Qt::ControlModifier ? control_
                                                          : nullptr;
  if (alternate && alternate->isEnabled())
    alternate->trigger();
  else
    QToolButton::nextCheckState();
}

// Red while checked: every change goes straight into the unit.
void TToolBar::ShowProgramAfterChangeState() {
  QPalette p = progHned_->palette();
  p.setColor(QPalette::Window,
             progHned_->isChecked() ? QColor(255, 0, 0) : box_->palette().color(QPalette::Window));
  progHned_->setPalette(p);
}

}  // namespace ign
