#pragma once
// The Sensors page (TabSheetSensors, page 2): the load sensor, the servo
// sensor and the throttle-sensor and pressure-sensor calibration editors.
//
// The two TP buttons copy the live load-sensor voltage into the 0 % or the
// 100 % row of "TP sensor" and commit; they are enabled only while live
// values exist, so a press without a unit never writes 0 mV.
#include <QPushButton>

#include "ui/pages/controls.h"
#include "ui/pages/page.h"

namespace ign {

class TPages;
class TTab;
class CTabModel;

class TSensorsPage : public TPage {
 public:
  explicit TSensorsPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;
  // The item lists in the current language (the load-sensor items follow
  // SERVO_SENSOR), selected again from the image.
  void Relabel(Image& img) override;

  // The live values came or went: the TP buttons follow.
  void LiveChanged();
  // BitBtnTps0Click (row 0) and BitBtnTps100Click (row 1).
  void TpsButtonClick(int row);
  void RadioGroupCidloLambdaModeClick();

  CTabModel& ThrottleModel() const;
  CTabModel& PressureModel() const;
  TTab* ThrottleEditor() const { return throttle_; }
  TTab* PressureEditor() const { return pressure_; }

 private:
  void WriteLoadSensorItems(const Image& img);

  TPages& pages_;
  TRadioGroup* loadSensor_ = nullptr;
  TRadioGroup* servoSensor_ = nullptr;
  TRadioGroup* lambdaMode_ = nullptr;
  QPushButton* tps0_ = nullptr;
  QPushButton* tps100_ = nullptr;
  TTab* throttle_ = nullptr;
  TTab* pressure_ = nullptr;
  TTab* lambda_ = nullptr;
};

}  // namespace ign
