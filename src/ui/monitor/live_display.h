#pragma once
// The live monitor in the window: what the session's monitor decoded, drawn.
#include <QPointer>
#include <map>
#include <string>

#include <array>

#include "core/monitor/display_model.h"
#include "core/monitor/selftest.h"

class QWidget;

namespace ign {

class TLivePanel;

// Draws the live monitor's updates on the panel and on the controls of the
// window that carry live values (found by name, once).
class TLiveDisplay {
 public:
  TLiveDisplay(QWidget& window, TLivePanel& panel);

  // One decoded display update.
  void Show(const DisplayModel& model);
  // The self-test's label and memo (after its count moved).
  void ShowSelfTest(const CSelfTest& selfTest);
  // The proprietary values to show signed (CheckBoxPropMon1..5).
  std::array<bool, 5> PropSigned();

 private:
  // A control of the window by name, looked up once.
  template <typename T>
  T* Control(const QString& name);

  QWidget& window_;
  std::map<QString, QPointer<QObject>> controls_;
  TLivePanel& panel_;
  size_t memoLines_ = 0;
};

}  // namespace ign
