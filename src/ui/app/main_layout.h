#pragma once
// The widgets of the main window's client area, top to bottom: the status
// row (connection, result, gauge, congruence, COM), the tool bar, the page
// control, the live display and the player box.
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <memory>

#include "ui/app/tool_bar.h"

class QMainWindow;

namespace ign {

class TMainMenu;
class TLivePanel;

class TMainLayout {
 public:
  TMainLayout(QMainWindow& window, const TMainMenu& menu);

  QLabel* labelConnection = nullptr;
  QLabel* labelResult = nullptr;
  QLabel* labelCongruence = nullptr;
  QLabel* labelCom = nullptr;
  QProgressBar* gaugeProgram = nullptr;
  QTabWidget* pageControl = nullptr;
  TLivePanel* livePanel = nullptr;
  QGroupBox* groupBoxPlayer = nullptr;
  std::unique_ptr<TToolBar> toolBar;
};

}  // namespace ign
