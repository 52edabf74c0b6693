#pragma once
// The Bike page (TabSheetBike, page 1): the bike preset, the pick-up system,
// the lobes and edges of each ignition channel, the tachometer output and the
// pick-up polarities. Built in bike_page.cpp; its steps in bike_steps.cpp.
#include <QComboBox>
#include <array>

#include "ui/pages/controls.h"
#include "ui/pages/page.h"

class QGridLayout;

namespace ign {

class TPages;

class TBikePage : public TPage {
 public:
  explicit TBikePage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;
  void Relabel(Image& img) override;
  // The typed "-1" and "-2" of the tachometer pulses.
  void Tick(Image& img, bool active) override;

  // The bike selector's handler (steps 1 to 7).
  void ComboBoxBikeChange();

  // One lobe of a channel: its up-down and flags.
  struct LobeRow {
    QLabel* label = nullptr;
    TUpDown* edit = nullptr;
    QCheckBox* secondEdge = nullptr;
    QCheckBox* secondPickup = nullptr;
  };
  struct Channel {
    QGroupBox* box = nullptr;
    LobeRow start;  // "Maximum advance", PICKUP1_LOBES
    LobeRow end;    // "Start advance", PICKUP2_LOBES
    QLabel* fullSync = nullptr;
    QCheckBox* secondTurn = nullptr;
  };

 private:
  void BuildLists(const Image& img);
  void BuildChannels(QWidget* special, QGridLayout* grid, int row);
  void NameChannelBoxes();

  TPages& pages_;
  QComboBox* bike_ = nullptr;
  QComboBox* system_ = nullptr;
  QComboBox* geberMode_ = nullptr;
  QComboBox* fourStroke_ = nullptr;
  QComboBox* syncPolarity_ = nullptr;
  TUpDown* rpmPulses_ = nullptr;
  TUpDown* rpmCorrection_ = nullptr;
  QLabel* rpmCorrectionLabel_ = nullptr;
  std::array<TRadioGroup*, 2> polarity_{};
  QCheckBox* interchange_ = nullptr;
  QCheckBox* noLobeCheck_ = nullptr;
  QCheckBox* interlock_ = nullptr;
  QCheckBox* sparkBefore_ = nullptr;
  QCheckBox* specStart_ = nullptr;
  TUpDown* specStartPerc_ = nullptr;
  QLabel* specStartPercLabel_ = nullptr;
  QCheckBox* specDwell_ = nullptr;
  QCheckBox* flywheel_ = nullptr;
  TUpDown* compensation_ = nullptr;
  QLabel* compensationLabel_ = nullptr;
  TUpDown* revWithout_ = nullptr;
  QLabel* revWithoutLabel_ = nullptr;
  TUpDown* maxLobeLen_ = nullptr;
  QLabel* fourStrokeLabel_ = nullptr;
  QGroupBox* special_ = nullptr;
  QLabel* systemLabel_ = nullptr;
  TUpDown* lobeCount_ = nullptr;
  QLabel* lobeCountLabel_ = nullptr;
  TUpDown* channelCount_ = nullptr;
  QLabel* channelCountLabel_ = nullptr;
  std::array<QLabel*, 5> headings_{};  // Lobe, 2nd Edge, 2nd Pick-up, Full Sync., 2nd turn
  QLabel* fullSyncLabel_ = nullptr;
  std::array<Channel, 4> channels_{};
};

}  // namespace ign
