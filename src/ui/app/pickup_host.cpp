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

// A completed stream went into the session's sample ring: its type sets the
// window's mode.
void TMainForm::PickupStreamTaken(const TakenStream& taken) {
  if (pickup_) pickup_->Taken(taken);
}

void TMainForm::BuildPickupCurves() {
  if (!pickup_ || tickCount_ % kBuildEvery != 0) return;
  if (pickup_->Paused())
    session_->Monitor().ResetStreamSteps();
  else
    pickup_->Build(session_->Monitor().PickupRing());
}

void TMainForm::TickPickupMonitor() {
  session_->Monitor().SetStreamWanted(pickup_ && pickup_->WantsStream());
  if (!pickup_) return;
  pickup_->Tick();
  if (pickup_->RedrawWanted()) pickup_->Draw();
}

}  // namespace ign
