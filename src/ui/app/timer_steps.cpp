// TMainForm: the steps of the 55 ms timer tick, in their order.
#include <QAction>

#include "core/app/tick_clock.h"
#include "ui/app/comm_adapter.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"

namespace ign {

namespace {
constexpr uint32_t kTracedTicks = 50;
constexpr uint32_t kPickupCurveEvery = 16;
}  // namespace

void TMainForm::Timer1Timer() {
  TraceFirstTicks();
  CountTick();
  if (!initialised_ || closed_) return;
  if (firstInitialisedTick_) {
    firstInitialisedTick_ = false;
    MoveFocusOffPages();
    ApplyTestHook();
  }
  if ((tickCount_ & uint32_t(comm_->Com().StepMask())) == 0) CommStep();
  RebuildComMenuWhenPortsChanged();
  CommitPendingChange();
  PushEditorState();
  status_.ExpireStatus();
  RefreshAdvanceDisplay();
  PollUpdateCheck();
  FeedPickupMonitor();
  EnableDeviceCommands();
  FixRpmPulseText();
  if (tickCount_ % kPickupCurveEvery == 0) BuildPickupCurves();
  StepPickupMonitor();
  CountSelfTestDisplay();
  TakeConnectionState();
  StepPlayer();
}

void TMainForm::TraceFirstTicks() {
  if (tickCount_ < kTracedTicks) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "T%03u", unsigned(tickCount_));
    Trace(buf);
  }
}

void TMainForm::CountTick() {
  ++tickCount_;
  AdvanceTick();  // the program clock: ticks x 50 ms
}

void TMainForm::MoveFocusOffPages() {
  // Moves the keyboard focus from the page edit fields to a check box outside
  // them, once the pages exist.
}

void TMainForm::CommStep() { comm_->Machine().CommStep(); }

void TMainForm::RebuildComMenuWhenPortsChanged() {
  // In automatic mode the menu marks the connected port, so a new connection
  // also rebuilds it.
  const int connected = comm_->UnitConnected() ? comm_->ConnectedPort() : 0;
  if (comm_->Com().PortListChanged() || connected != comMenuConnectedPort_) BuildComMenu();
}

void TMainForm::CommitPendingChange() {
  // A control change whose settle time has run out is committed here once the
  // page bindings exist.
}

void TMainForm::PushEditorState() {
  // Live values and markers go to the map editors here once they exist.
}

void TMainForm::RefreshAdvanceDisplay() {
  // The Advance Map page's live advance display, once that page exists.
}

void TMainForm::PollUpdateCheck() {
  // The update check is polled here once it exists.
}

void TMainForm::FeedPickupMonitor() {
  // A completed stream of pick-up samples goes to the pick-up monitor here.
}

void TMainForm::EnableDeviceCommands() {
  const bool connected = comm_->UnitConnected();
  for (const char* name : {"MenuRead", "MenuVerify", "MenuProgram", "MenuReset"})
    menu_->Item(name)->setEnabled(connected);
}

void TMainForm::FixRpmPulseText() {
  // "-1" and "-2" in the rpm-pulse edit become "pickup 1" and "pickup 2"
  // (RPM_PULSES 255 and 254) once the Bike page exists.
}

void TMainForm::BuildPickupCurves() {
  // The pick-up monitor builds its curve list here (or resets the step mask
  // while it is paused) once it exists.
}

void TMainForm::StepPickupMonitor() {
  // The pick-up monitor's Tick and Draw steps, once it exists.
}

void TMainForm::CountSelfTestDisplay() {
  // The self-test display timer of the live display counts down here.
}

void TMainForm::TakeConnectionState() {
  // The display takes over the unit-connection state here once the state
  // machine exists.
}

void TMainForm::StepPlayer() {
  // The player's PlayTick runs here while a recording is played back.
}

}  // namespace ign
