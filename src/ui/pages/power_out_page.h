#pragma once
// The Power out page (TabSheetPOut, page 4): the switched and PWM outputs
// with their switch maps and PWM maps.
#include "ui/pages/page.h"

namespace ign {

class TPages;

class TPowerOutPage : public TPage {
 public:
  explicit TPowerOutPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;

 private:
  TPages& pages_;
};

}  // namespace ign
