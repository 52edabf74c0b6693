// TMainForm: the pick-up monitor, its button and its timer duties.
#include <QAbstractButton>

#include "core/device/engine.h"
#include "ui/app/main_form.h"

namespace ign {

namespace {
constexpr uint32_t kBuildEvery = 16;  // ticks between two builds of the curve list
}  // namespace

void TMainForm::ConnectPickupButton() {
  if (auto* button = findChild<QAbstractButton*>("ButtonMonPu"))
    connect(button, &QAbstractButton::clicked, this, &TMainForm::ButtonMonPuClick);
}

void TMainForm::ButtonMonPuClick() {
  if (!pickup_) {
    pickup_ = std::make_unique<CMonPickup>();
    pickup_->Open(this);
    return;
  }
  pickup_->Toggle();
}

void TMainForm::TakePickupStream() {
  const auto taken = TakeStream(engine_->Com().Stream(), pickupRing_);
  if (taken && pickup_) pickup_->Taken(*taken);
}

void TMainForm::BuildPickupCurves() {
  if (!pickup_ || tickCount_ % kBuildEvery != 0) return;
  if (pickup_->Paused())
    engine_->Com().Stream().stepMask.store(1, std::memory_order_release);
  else
    pickup_->Build(pickupRing_);
}

void TMainForm::TickPickupMonitor() {
  engine_->Machine().streamWanted = pickup_ && pickup_->WantsStream();
  if (!pickup_) return;
  pickup_->Tick();
  if (pickup_->RedrawWanted()) pickup_->Draw();
}

}  // namespace ign
