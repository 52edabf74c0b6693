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
  row->addWidget(Button("SpeedButtonNew", "MenuNew", "Set default parametrs", menu));
  row->addWidget(Button("SpeedButtonOpen", "MenuOpen", "Open file with parametrs", menu));
  row->addWidget(Button("SpeedButtonSave", "MenuSave", "Save parametrs to file", menu));
  row->addWidget(Button("SpeedButtonPrint", "MenuPrint", "Print parametrs", menu));
  row->addSpacing(12);
  row->addWidget(Button("SpeedButtonZpet", "MenuZpet", "Undo", menu));
  row->addWidget(Button("SpeedButtonZnovu", "MenuZnovu", "Redo", menu));
  row->addSpacing(12);
  row->addWidget(Button("ButtonRead", "MenuRead", "Reading parametrs from ignition", menu));
  row->addWidget(
      Button("ButtonVerify", "MenuVerify", "Compare set parametrs  with parametrs of ignition", menu));
  row->addWidget(Button("ButtonProgram", "MenuProgram", "Programing  set parametrs to ignition", menu));
  row->addSpacing(12);
  progHned_ = new QCheckBox(QStringLiteral("Programming after change"), box_);
  progHned_->setObjectName("CheckBoxProgHned");
  progHned_->setToolTip(QStringLiteral("Programing at once after change"));
  progHned_->setAutoFillBackground(true);
  QObject::connect(progHned_, &QCheckBox::toggled, box_, [this] { ShowProgramAfterChangeState(); });
  row->addWidget(progHned_);
  row->addStretch(1);
}

QToolButton* TToolBar::Button(const char* name, const char* action, const char* hint, const TMainMenu& menu) {
  auto* b = new QToolButton(box_);
  b->setObjectName(name);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  QAction* a = menu.Item(action);
  a->setToolTip(QString::fromUtf8(hint));
  b->setDefaultAction(a);
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
