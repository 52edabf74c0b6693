#include "ui/app/main_layout.h"

#include <QHBoxLayout>
#include <QMainWindow>
#include <QVBoxLayout>

#include "ui/monitor/live_panel.h"

namespace ign {

TMainLayout::TMainLayout(QMainWindow& window, const TMainMenu& menu) {
  auto* central = new QWidget(&window);
  auto* column = new QVBoxLayout(central);
  auto* statusRow = new QHBoxLayout();
  auto label = [central](const char* name) {
    auto* l = new QLabel(central);
    l->setObjectName(name);
    return l;
  };
  labelConnection = label("LabelConnection");
  labelResult = label("LabelResult");
  gaugeProgram = new QProgressBar(central);
  gaugeProgram->setObjectName("CGaugeProgram");
  labelCongruence = label("LabelCongruence");
  labelCom = label("LabelCom");
  for (QLabel* l : {labelConnection, labelResult, labelCongruence}) {
    l->setMinimumHeight(22);
    l->setMargin(2);
  }
  statusRow->addWidget(labelConnection, 2);
  statusRow->addWidget(labelResult, 3);
  statusRow->addWidget(gaugeProgram, 2);
  statusRow->addWidget(labelCongruence, 2);
  statusRow->addWidget(labelCom, 0);
  column->addLayout(statusRow);
  toolBar = std::make_unique<TToolBar>(central, menu);
  column->addWidget(toolBar->Box());

  pageControl = new QTabWidget(central);
  pageControl->setObjectName("PageControl1");
  // The pages take the room the window has; what a page needs never makes the
  // window grow by itself (a tab switch, a language switch, the player panel
  // or the playback banner showing).
  pageControl->setMinimumSize(1, 1);
  column->addWidget(pageControl, 1);
  livePanel = new TLivePanel(central);
  column->addWidget(livePanel);

  groupBoxPlayer = new QGroupBox(central);
  groupBoxPlayer->setObjectName("GroupBoxPlayer");
  groupBoxPlayer->hide();
  column->addWidget(groupBoxPlayer);
  window.setCentralWidget(central);
}

}  // namespace ign
