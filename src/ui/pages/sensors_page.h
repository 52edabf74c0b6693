#pragma once
// The Sensors page (TabSheetSensors, page 2): the load sensor and the
// throttle-sensor and pressure-sensor calibration editors.
#include "ui/pages/page.h"

namespace ign {

class TPages;

class TSensorsPage : public TPage {
 public:
  explicit TSensorsPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;

 private:
  TPages& pages_;
};

}  // namespace ign
