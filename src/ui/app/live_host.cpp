// TMainForm: the live display, the monitor commands and their host.
#include <QAbstractButton>
#include <QAction>

#include "ui/app/live_host.h"

#include "core/device/engine.h"
#include "core/monitor/recording_format.h"
#include "core/text/relabel.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/app/session_boxes.h"
#include "ui/app/status_widgets.h"
#include "ui/monitor/live_panel.h"
#include "ui/pages/pages.h"

namespace ign {

// Data: a unit is connected, or a recording plays.
bool TLiveHost::LiveData() const { return form_.Engine().Machine().Connected() || form_.PlaybackRunning(); }
const Image& TLiveHost::EditedImage() const { return form_.Params().Edited(); }
bool TLiveHost::DeveloperMode() const { return form_.DeveloperTestMode(); }
LocalTime TLiveHost::RowTime() const { return form_.Monitor().RowTime(); }

void TLiveHost::UnitTexts(std::string& unit, std::string& date, std::string& time) const {
  const UnitInfo& info = form_.UnitInformation().Texts();
  unit = info.name;
  date = info.productionDate;
  time = info.productionTime;
}

void TLiveHost::AnnounceStream(const StreamAnnouncement& s) {
  form_.Engine().Com().Stream().Announce(s.type, s.length, s.xorCheck, s.sumCheck, s.further);
}

void TLiveHost::FeedPages(const LivePoint& live, int loadVoltage) {
  LiveFeed feed;
  feed.sensorVoltage = loadVoltage;
  feed.valid = live.valid;
  feed.rpm = live.rpm;
  feed.throttle = live.throttle;
  feed.pressure = live.pressure;
  feed.status = live.status;
  feed.loadSensor = live.loadSensor;
  form_.Pages().SetLive(feed);
}

void TLiveHost::RefreshPages() { form_.Pages().RefreshPages(false); }

void TLiveHost::AddTestBits(int index, uint8_t bits) {
  auto& pending = form_.Engine().Machine().testBits;
  if (index >= 0 && index < int(pending.size())) pending[size_t(index)] |= bits;
}

void TLiveHost::CsvStopped(const std::string& message) { form_.Monitor().CsvStopped(message); }

void TMainForm::BuildLiveDisplay() {
  liveHost_ = std::make_unique<TLiveHost>(*this);
  liveDisplay_ = std::make_unique<TLiveDisplay>(*this, *layout_->livePanel, *liveHost_);
  monitor_ = new TMonitorCommands(*this, layout_->groupBoxPlayer);
  monitor_->message = [this](const std::string& text) { boxes_->ShowLater(text); };
  monitor_->onPlayback = [this](const std::string& banner) { layout_->livePanel->ShowPlayback(banner); };
  connect(menu_->Item("MenuCSVout"), &QAction::triggered, monitor_, &TMonitorCommands::ToggleCsvLog);
  if (auto* selftest = findChild<QAbstractButton*>("ButtonSelftest"))
    connect(selftest, &QAbstractButton::clicked, this, &TMainForm::ButtonSelftestClick);
  ConnectPickupButton();
  // The last of the relabelling: the live display in the new language.
  relabelSteps_.push_back(
      RegisterRelabelStep(RelabelOrder::StatusSlots + 1, [this] { RefreshLiveDisplay(); }));
}

void TMainForm::RefreshLiveDisplay() {
  if (liveDisplay_) liveDisplay_->Update();
}

// A monitor answer (the session has taken the unit's version from it): the
// recorder, then the display update.
void TMainForm::MonitorRecord(const uint8_t* record) {
  if (!liveDisplay_) return;
  liveDisplay_->Record().SetData(record + 1);
  monitor_->RecordMonitor(liveDisplay_->Record());
  liveDisplay_->Update(true);
}

bool TMainForm::PlaybackRunning() const { return monitor_ && monitor_->Playing(); }
bool TMainForm::PlayerActive() const { return PlaybackRunning(); }

// The display takes over the connection state: a lost unit clears the
// display at once, a new one shows with its first record.
void TMainForm::FollowConnectionForDisplay() {
  const bool connected = engine_->Machine().Connected();
  if (connected == displayConnected_) return;
  displayConnected_ = connected;
  if (!connected) RefreshLiveDisplay();
}

std::string TMainForm::ProgramIdentification() const { return ::ign::ProgramIdentification(buildDate_); }

void TMainForm::RestoreFileName(const std::string& file) {
  settings_.file = file;
  if (files_) files_->session.currentFile = file;
  status_.RefreshTitle();
}

}  // namespace ign
