// TMainForm: the steps of the 55 ms timer tick, in their order. Steps whose
// part is not built yet are named in the list and do nothing.
#include <cstdio>

#include "ui/app/device_commands.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/app/tool_bar.h"
#include "ui/monitor/live_display.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {
constexpr uint32_t kTracedTicks = 50;
}  // namespace

void TMainForm::Timer1Timer() {
  TraceFirstTicks();
  ++tickCount_;
  session_->AdvanceClock();  // the program clock: ticks x 50 ms
  if (!initialised_ || closed_) return;
  if (firstInitialisedTick_) {
    firstInitialisedTick_ = false;
    ToolBar().ProgramAfterChange()->setFocus();  // away from the page edit fields
  }
  session_->Step();  // the state machine on the ticks the step mask allows (none under a holding box);
                     // status texts expire; the live monitor: a completed pick-up stream into the
                     // ring, the self-test's count, the display after a lost unit, the player's step
  device_->RebuildComMenuWhenPortsChanged();
  pages_->SettleStep();             // a control change whose settle time has run out is committed
  pages_->PushEditorState();        // live values and markers to the map editors
  pages_->PageTick(Page::Advance);  // the Advance Map page's live mark
  PollUpdateCheck();
  device_->EnableDeviceCommands();
  // A played recording's image is not the tuner's: it never goes to the unit.
  if (PlaybackRunning()) menu_->Item("MenuProgram")->setEnabled(false);
  pages_->PageTick(Page::Bike);  // "-1" and "-2" in the rpm-pulse edit become "pickup 1" and "pickup 2"
  BuildPickupCurves();           // every 16th tick (or the step mask back to 1 while paused)
  TickPickupMonitor();           // its Tick and Draw; byte 23 of the request follows the window
  liveDisplay_->ShowSelfTest(session_->Monitor().SelfTest());  // the self-test display counts down
}

void TMainForm::TraceFirstTicks() {
  if (tickCount_ < kTracedTicks) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "T%03u", unsigned(tickCount_));
    Trace(buf);
  }
}

}  // namespace ign
