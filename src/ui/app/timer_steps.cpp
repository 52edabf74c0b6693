// TMainForm: the steps of the 55 ms timer tick, in their order. Steps whose
// part is not built yet are named in the list and do nothing.
#include <cstdio>

#include "ui/app/device_commands.h"
#include "ui/app/main_form.h"
#include "ui/app/tool_bar.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {
constexpr uint32_t kTracedTicks = 50;
}  // namespace

void TMainForm::Timer1Timer() {
  TraceFirstTicks();
  ++tickCount_;
  engine_->AdvanceClock();  // the program clock: ticks x 50 ms
  if (!initialised_ || closed_) return;
  if (firstInitialisedTick_) {
    firstInitialisedTick_ = false;
    ToolBar().ProgramAfterChange()->setFocus();  // away from the page edit fields
    ApplyTestHook();
  }
  engine_->Step();  // the state machine on the ticks the step mask allows; status texts expire
  device_->RebuildComMenuWhenPortsChanged();
  pages_->SettleStep();             // a control change whose settle time has run out is committed
  pages_->PushEditorState();        // live values and markers to the map editors
  pages_->PageTick(Page::Advance);  // the Advance Map page's live mark
  // The update check is polled.
  // A completed stream of pick-up samples goes to the pick-up monitor.
  device_->EnableDeviceCommands();
  pages_->PageTick(Page::Bike);  // "-1" and "-2" in the rpm-pulse edit become "pickup 1" and "pickup 2"
  // Every 16th tick the pick-up monitor builds its curves (or resets the step mask while paused).
  // The pick-up monitor's Tick and Draw; the self-test display counts down;
  // the display takes over the connection state; the player steps.
}

void TMainForm::TraceFirstTicks() {
  if (tickCount_ < kTracedTicks) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "T%03u", unsigned(tickCount_));
    Trace(buf);
  }
}

}  // namespace ign
