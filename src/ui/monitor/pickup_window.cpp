#include "ui/monitor/pickup_window.h"

#include "core/monitor/pickup_view.h"
#include "ui/monitor/pickup_paint.h"

namespace ign {

CMonPickup::~CMonPickup() { delete form_.data(); }

void CMonPickup::Open(QWidget* parent) {
  if (!form_) {
    form_ = new TFormMon(parent);
    form_->clearDimensions = [this] {
      model_.dimensions.Clear();
      Draw();
    };
    form_->measureDone = [this] { StoreMeasurement(); };
    form_->rightClick = [this](QPoint at) { RemoveDimensionAt(at); };
  }
  form_->SetDefaultColours();
  form_->mode = PickupMode::Synchronised;
  form_->show();
  form_->setFocus();  // the drawing, not the first colour box, takes the mouse at once
  redraw_ = true;
}

void CMonPickup::Toggle() {
  if (!form_) return;
  if (form_->isVisible()) {
    form_->hide();
    return;
  }
  form_->Resume();
  form_->show();
  form_->setFocus();
  redraw_ = true;
}

bool CMonPickup::IsVisible() const { return form_ && form_->isVisible(); }

void CMonPickup::Taken(const TakenStream& taken) {
  further_ = taken.further;
  if (form_) form_->mode = taken.mode;
}

BuildResult CMonPickup::Build(CPickupRing& ring) {
  const PickupMode mode = form_ ? form_->mode : model_.modeSeen;
  // A list of the other mode must not be mixed with the new one.
  model_.NoteMode(mode);
  return model_.Build(ring, mode, further_);
}

void CMonPickup::Tick() {
  if (!form_) return;
  if (model_.NoteMode(form_->mode)) redraw_ = true;
  if (form_->TakeRedrawRequest()) redraw_ = true;
  if (model_.curves.newData) {
    model_.curves.newData = false;
    redraw_ = true;
  }
}

std::optional<Dimension> CMonPickup::CurrentMeasurement() const {
  if (!form_ || !(form_->held & Qt::LeftButton)) return std::nullopt;
  const double scale = PickupScale(*form_, model_.curves);
  if (scale == 0) return std::nullopt;
  const double press = PositionAt(form_->measureStart.x(), form_->originX, scale);
  const double now = PositionAt(form_->measureEnd.x(), form_->originX, scale);
  return Measure(model_.curves.list, press, now, form_->measureStart.y() - form_->originOffsetY,
                 form_->measureEnd.y());
}

void CMonPickup::StoreMeasurement() {
  if (!form_) return;
  const double scale = PickupScale(*form_, model_.curves);
  if (scale == 0) return;
  const double press = PositionAt(form_->measureStart.x(), form_->originX, scale);
  const double now = PositionAt(form_->measureEnd.x(), form_->originX, scale);
  if (auto d = Measure(model_.curves.list, press, now, form_->measureStart.y() - form_->originOffsetY,
                       form_->measureEnd.y()))
    model_.dimensions.Add(*d);
}

void CMonPickup::RemoveDimensionAt(QPoint at) {
  for (size_t i = 0; i < model_.dimensions.Size(); ++i) {
    if (labelRects_[i].contains(at)) {
      model_.dimensions.Remove(i);
      redraw_ = true;
      return;
    }
  }
}

void CMonPickup::Draw() {
  redraw_ = false;
  if (!IsVisible()) return;
  QImage& image = form_->FitImage();
  labelRects_ = PaintPickup(image, *form_, model_, CurrentMeasurement()).labelRects;
  form_->Present();
}

}  // namespace ign
