#include "ui/app/tool_bar.h"

#include <QAction>
#include <QHBoxLayout>

#include "ui/app/main_menu.h"

namespace ign {

TToolBar::TToolBar(QWidget* parent, const TMainMenu& menu) {
  box_ = new QGroupBox(parent);
  box_->setObjectName("GroupBoxToolBar");
  auto* row = new QHBoxLayout(box_);
  row->setContentsMargins(4, 2, 4, 2);
  row->addWidget(Button("SpeedButtonNew", "MenuNew", menu));
  row->addWidget(Button("SpeedButtonOpen", "MenuOpen", menu));
  row->addWidget(Button("SpeedButtonSave", "MenuSave", menu));
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
QToolButton* TToolBar::Button(const char* name, const char* action, const TMainMenu& menu) {
  auto* b = new QToolButton(box_);
  b->setObjectName(name);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setDefaultAction(menu.Item(action));
  b->setMinimumWidth(64);
  return b;
}

// Red while checked: every change goes straight into the unit.
void TToolBar::ShowProgramAfterChangeState() {
  QPalette p = progHned_->palette();
  p.setColor(QPalette::Window,
             progHned_->isChecked() ? QColor(255, 0, 0) : box_->palette().color(QPalette::Window));
  progHned_->setPalette(p);
}

}  // namespace ign
