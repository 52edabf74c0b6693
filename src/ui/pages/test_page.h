#pragma once
// The Test page (TabSheet_Ladeni, page 9): test rpm and servo test time, the
// proprietary words, and the one-shot test buttons. A test button never
// touches the image: it ORs its bit into the pending test bits that the next
// monitor request carries.
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "ui/pages/controls.h"
#include "ui/pages/page.h"

namespace ign {

class TPages;

class TTestPage : public TPage {
 public:
  explicit TTestPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;
  void Relabel(Image& img) override;

  // The handler of every test button: its bit into the pending test bits.
  void ButtonTestClick(QPushButton* button);
  // The dump copy chosen: its start offset into EditLoadBin.
  void FormComboLoadBinChange(int copy);

 private:
  QWidget* BuildProprietary(QWidget* sheet);
  QWidget* BuildButtons(QWidget* sheet);
  QWidget* BuildLoadBin(QWidget* sheet);

  TPages& pages_;
  TUpDown* testRpm_ = nullptr;
  TUpDown* testServo_ = nullptr;
  QGroupBox* proprietary_ = nullptr;
  std::array<TUpDown*, 5> prop_{};
  std::array<QPushButton*, 4> ignition_{};
  std::array<QPushButton*, 4> output_{};
  QPushButton* n2o_ = nullptr;
  QGroupBox* outputs_ = nullptr;
  std::array<QLabel*, 10> testLabels_{};
  QWidget* loadBin_ = nullptr;  // developer test mode only
  QLineEdit* loadBinOffset_ = nullptr;
};

}  // namespace ign
