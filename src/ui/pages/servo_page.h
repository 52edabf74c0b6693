#pragma once
// The Servo page (TabSheetServo, page 5): the exhaust servo map and its
// settings.
//
// The map editor sits in the container "ServoMapEditorHost". Switching the
// cell unit ("Percent") converts every cell and commits once more inside the
// commit that stored the switch; that inner commit takes the one undo step
// and the one programming, the outer one then finds nothing changed.
#include "ui/pages/controls.h"
#include "ui/pages/page.h"

namespace ign {

class TPages;
class TTab;
class CTabModel;
struct TEditorEntry;

class TServoPage : public TPage {
 public:
  explicit TServoPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;

  CTabModel& Model() const;
  TTab* Editor() const { return editor_; }

 private:
  // OnSheetChanged of the servo editor: the enabled state, the map mode and
  // the map into the image.
  void CopyBack(Image& img);

  TPages& pages_;
  TTab* editor_ = nullptr;
  QCheckBox* enable_ = nullptr;
  QCheckBox* percent_ = nullptr;
  QLabel* hysterLabel_ = nullptr;
  TUpDown* hyster_ = nullptr;
  QLabel* offLabel_ = nullptr;
  TUpDown* off_ = nullptr;
};

}  // namespace ign
