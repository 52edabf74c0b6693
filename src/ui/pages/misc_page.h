#pragma once
// The Miscellaneous page (TabSheetRuzne, page 0): limiters, quickshift,
// retard and the two multifunction inputs.
#include <array>

#include "ui/pages/controls.h"
#include "ui/pages/page.h"

namespace ign {

class TPages;

class TMiscPage : public TPage {
 public:
  explicit TMiscPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;
  void Relabel(Image& img) override;

 private:
  struct Row {
    TUpDown* edit;
    QLabel* label;
    int flag;  // feature flag that shows the row's up-down, -1 for always
  };
  void BuildInputList(int input);
  void WriteMonitorLabels();

  TPages& pages_;
  std::array<Row, 6> rows_{};
  std::array<TRadioGroup*, 2> inputs_{};
  std::array<QCheckBox*, 2> inverse_{};
  std::array<QLabel*, 2> monitor_{};
};

}  // namespace ign
