#pragma once
// The COM menu and the device menu (Read, Verify, Program, Reset) of the main
// window, and the transfer gauge: what the user asks of the unit, handed to
// the engine.
#include <QObject>
#include <functional>

#include "core/session/session.h"

class QActionGroup;
class QWidget;

namespace ign {

class TMainMenu;
class TMainLayout;
class TSessionBoxes;

class TDeviceCommands : public QObject {
 public:
  // comPort: the configured port of the application settings, changed by the
  // COM menu. settle: stores the page in front into the image, normalises it
  // and reloads the page, before the image goes to the unit or is compared.
  // boxes: where the checks before an operation tell or ask the tuner.
  TDeviceCommands(CSession& session, TSessionBoxes& boxes, TMainMenu& menu, TMainLayout& layout, int& comPort,
                  std::function<void()> settle);

  void BuildComMenu();
  void MenuCom1Click(int item);
  void MenuReadClick();
  void MenuVerifyClick();
  void MenuProgramClick();
  void MenuResetClick();

  // Tick steps: the menu follows a changed port list or a new connection; the
  // device items are enabled while a unit is connected.
  void RebuildComMenuWhenPortsChanged();
  void EnableDeviceCommands();

  void ShowGauge(const GaugeView& gauge);

 private:
  CSession& session_;
  CEngine& engine_;
  TSessionBoxes& boxes_;
  TMainMenu& menu_;
  TMainLayout& layout_;
  int& comPort_;
  std::function<void()> settle_;
  QActionGroup* comRadioGroup_ = nullptr;
  int comMenuConnectedPort_ = 0;  // the connected port the COM menu was built for
};

}  // namespace ign
