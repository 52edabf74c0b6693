#pragma once
// The live display of the main window: engine speed and load with their
// gauges, supply voltage, servo, advance per channel, pick-ups, input
// functions, limiters, full synchronisation and the unit's counters. The
// labels of the live display that lie on the pages (inputs, power outputs,
// test values, hour meter) belong to their pages and are found by name.
#include <QFrame>
#include <QPointer>
#include <map>
#include <string>

#include "core/monitor/display_model.h"

class QLabel;
class QProgressBar;

namespace ign {

class TLivePanel : public QFrame {
 public:
  explicit TLivePanel(QWidget* parent);
  ~TLivePanel() override;

  // Copies one decoded update onto the labels and gauges of window (this
  // panel's and the pages').
  void Show(QWidget& window, const DisplayModel& model);
  // The caption of the full-synchronisation row in the current language.
  void Relabel();
  // The banner over the panel while a recording plays; empty text hides it.
  void ShowPlayback(const std::string& banner);

 private:
  QLabel* Find(QWidget& window, const std::string& name);

  std::map<std::string, QPointer<QLabel>> labels_;  // every label found so far, by name
  QProgressBar* rpmGauge_ = nullptr;
  QProgressBar* tpsGauge_ = nullptr;
  QLabel* fullSyncCaption_ = nullptr;
  QLabel* playback_ = nullptr;
  int relabelStep_ = 0;
};

}  // namespace ign
