#pragma once
// The Power out page (TabSheetPOut, page 4): the switched and PWM outputs
// with their switch maps and PWM maps.
//
// Four output cells (PanelPOut<n>) in a two-by-two grid; outputs 3 and 4
// are built but never shown or stored. Each cell holds the function group
// (RadioGroupPOut<n>), the switch map and the PWM map in the same place
// (POutSwitchMap<n>, POutPwmMap<n>), the up-downs EditPOutHyster<n>,
// EditPOutPwm<n>, EditPOutFreq<n>, EditPOutPulse<n> with their labels
// (LabelPOutHyster<n> ...) and the live label LabelMonPOut<n>.
//
// The refresh lays an output's maps out again only when its function or the
// load sensor changed since it last did; it never changes the image.
#include <QLabel>
#include <array>

#include "core/mapedit/model.h"
#include "ui/pages/controls.h"
#include "ui/pages/page.h"

namespace ign {

class TPages;
class TTab;

class TPowerOutPage : public TPage {
 public:
  static constexpr int kCells = 4;    // outputs built
  static constexpr int kOutputs = 2;  // outputs stored, loaded and shown

  explicit TPowerOutPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;
  void Relabel(Image& img) override;

  // A click on an output's function group: the function takes its fixed
  // values and the change is committed like any other.
  void RadioGroupPOutClick(int output);

  CTabModel& SwitchModel(int output);
  CTabModel& PwmModel(int output);

 private:
  struct Output {
    QWidget* cell = nullptr;
    TRadioGroup* function = nullptr;
    TTab* switchMap = nullptr;
    TTab* pwmMap = nullptr;
    TUpDown* hysteresis = nullptr;
    TUpDown* pwm = nullptr;
    TUpDown* frequency = nullptr;
    TUpDown* pulse = nullptr;
    QLabel* hysteresisLabel = nullptr;
    QLabel* pwmLabel = nullptr;
    QLabel* frequencyLabel = nullptr;
    QLabel* pulseLabel = nullptr;
    QLabel* monitor = nullptr;
    // What the maps were last laid out for; -1: not yet.
    int laidOutFunction = -1;
  };

  void BuildCell(QWidget* sheet, int n);
  void BuildFunctionList(int n);
  void WriteTexts(const Image& img);
  void LoadMaps(const Image& img, int n);
  void ShowOutput(const Image& img, int n);

  TPages& pages_;
  std::array<Output, kCells> out_{};
  int laidOutSensor_ = -1;
};

}  // namespace ign
