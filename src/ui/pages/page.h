#pragma once
// One parameter page: its four steps, run by the page dispatcher (TPages).
// Init builds the controls and item lists once; Store copies the controls
// into the image; Load sets the controls from the image and ends with
// Refresh; Refresh sets visibility and enabled state from the image and the
// feature flags. Relabel rebuilds the item lists in the current language and
// selects again from the image.
#include "core/params/image.h"

class QWidget;

namespace ign {

class TPage {
 public:
  virtual ~TPage() = default;
  virtual void Init(QWidget* sheet) = 0;
  virtual void Store(Image& img) = 0;
  virtual void Load(Image& img) = 0;
  virtual void Refresh(Image& img) = 0;
  virtual void Relabel(Image& /*img*/) {}
  // Run by the main timer on every tick (the page decides whether it is in front).
  virtual void Tick(Image& /*img*/, bool /*active*/) {}
};

}  // namespace ign
