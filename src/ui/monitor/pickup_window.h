#pragma once
// CMonPickup: the pick-up monitor behind its window. It keeps the curves and
// the dimensions (PickupModel), builds them from the sample ring when the
// main timer says so, and draws them into the window's image.
#include <QPointer>
#include <QRect>
#include <array>
#include <cstdint>

#include "core/monitor/pickup_model.h"
#include "core/monitor/pickup_take.h"
#include "ui/monitor/pickup_form.h"

namespace ign {

class CMonPickup {
 public:
  ~CMonPickup();

  // Creates the window (a top-level window owned by parent) and shows it.
  void Open(QWidget* parent);
  // Hides a visible window; shows a hidden one where it was, ending the pause.
  void Toggle();
  // The window exists and is visible.
  bool IsVisible() const;
  bool Paused() const { return form_ && form_->Paused(); }
  // Asks the unit for streams: visible and not paused.
  bool WantsStream() const { return IsVisible() && !Paused(); }

  // A stream went into the ring: its type sets the window's mode.
  void Taken(const TakenStream& taken);
  // The curve list from the ring in the window's mode.
  BuildResult Build(CPickupRing& ring);
  // Per tick: a mode change clears the curves and the dimensions; new data or
  // a request of the window sets the redraw flag.
  void Tick();
  bool RedrawWanted() const { return redraw_; }
  // Draws into the window's image and shows it (when the window is visible).
  void Draw();

  TFormMon* Form() { return form_; }
  PickupModel& Model() { return model_; }
  uint8_t Further() const { return further_; }

 private:
  void StoreMeasurement();
  void RemoveDimensionAt(QPoint at);
  std::optional<Dimension> CurrentMeasurement() const;

  QPointer<TFormMon> form_;
  PickupModel model_;
  uint8_t further_ = 1;
  bool redraw_ = false;
  std::array<QRect, CDimensionList::kCapacity> labelRects_{};
};

}  // namespace ign
