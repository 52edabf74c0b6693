#pragma once
// The Servo page (TabSheetServo, page 5): the exhaust servo map and its settings.
#include "ui/pages/page.h"

namespace ign {

class TPages;

class TServoPage : public TPage {
 public:
  explicit TServoPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;

 private:
  TPages& pages_;
};

}  // namespace ign
