// TMainForm as the live monitor's view: the session's display updates drawn,
// the monitor commands' state shown, the page and sheets of a recording.
#include <QAbstractButton>
#include <QAction>

#include "core/app/dialog_start.h"
#include "core/device/engine.h"
#include "core/text/relabel.h"
#include "ui/app/main_form.h"
#include "ui/app/main_layout.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/app/status_widgets.h"
#include "ui/mapedit/map_editor.h"
#include "ui/monitor/live_display.h"
#include "ui/monitor/live_panel.h"
#include "ui/pages/pages.h"

namespace ign {

void TMainForm::BuildLiveDisplay() {
  liveDisplay_ = std::make_unique<TLiveDisplay>(*this, *layout_->livePanel);
  monitor_ =
      new TMonitorCommands(*this, session_->Monitor(), layout_->groupBoxPlayer, menu_->Item("MenuCSVout"));
  // The folder of the settings files, without their name.
  monitor_->startFolder = [this] { return DialogFolderOf(DialogFileName()); };
  monitor_->identification = [this] { return ProgramIdentification(); };
  monitor_->onPlayback = [this](const std::string& banner) { layout_->livePanel->ShowPlayback(banner); };
  monitor_->onCsvChanged = [this] { status_.RefreshTitle(); };
  if (auto* selftest = findChild<QAbstractButton*>("ButtonSelftest"))
    connect(selftest, &QAbstractButton::clicked, this, &TMainForm::ButtonSelftestClick);
  ConnectPickupButton();
  // The last of the relabelling: the live display in the new language.
  relabelSteps_.push_back(
      RegisterRelabelStep(RelabelOrder::StatusSlots + 1, [this] { RefreshLiveDisplay(); }));
}

void TMainForm::RefreshLiveDisplay() {
  if (liveDisplay_) session_->Monitor().Show();
}

LiveOptions TMainForm::LiveDisplayOptions() const {
  LiveOptions options;
  options.developerMode = DeveloperTestMode();
  if (liveDisplay_) options.propSigned = liveDisplay_->PropSigned();
  return options;
}

// A display update: the panel and the window's live labels, the live point
// for the pages and map editors, the self-test, and the pages' refresh when
// the second pick-up started or stopped.
void TMainForm::LiveShown(const DisplayModel& model) {
  if (!liveDisplay_) return;
  liveDisplay_->Show(model);
  LiveFeed feed;
  feed.sensorVoltage = model.kept.loadVoltage;
  feed.valid = model.live.valid;
  feed.rpm = model.live.rpm;
  feed.throttle = model.live.throttle;
  feed.pressure = model.live.pressure;
  feed.status = model.live.status;
  feed.loadSensor = model.live.loadSensor;
  pages_->SetLive(feed);
  liveDisplay_->ShowSelfTest(session_->Monitor().SelfTest());
  if (model.refreshPages) pages_->RefreshPages(false);
}

void TMainForm::MonitorChanged() {
  if (monitor_) monitor_->Show();
}

ViewRecord TMainForm::CurrentView() const {
  ViewRecord view;
  view.page = uint8_t(ActivePageIndex());
  if (!pages_) return view;
  const auto& editors = pages_->Editors();
  for (size_t i = 0; i < editors.size() && i < view.editorIds.size(); ++i) {
    const CTabModel& model = editors[i]->Model();
    view.editorIds[i] = uint8_t(model.Identifier());
    view.sheets[i] = uint8_t(std::max(0, model.ActiveIndex()));
  }
  return view;
}

void TMainForm::ApplyView(const ViewRecord& view) {
  if (view.page != ActivePageIndex()) ShowPage(view.page);
  // The first entry with an editor's identifier is its own: the unused
  // entries are zero and would otherwise turn editor 0 back to sheet 0.
  for (auto& entry : pages_->Editors()) {
    TTab& tab = *entry->widget;
    for (size_t i = 0; i < view.editorIds.size(); ++i) {
      if (view.editorIds[i] != tab.Identifier()) continue;
      if (view.sheets[i] != tab.Model().ActiveIndex()) tab.SelectSheet(view.sheets[i]);
      break;
    }
  }
}

void TMainForm::PlayedImageApplied() {
  pages_->FlagEditors(EditorRefresh::kData | EditorRefresh::kMarkers);
  pages_->LoadPages(true);
}

bool TMainForm::PlaybackRunning() const { return session_->Monitor().Playing(); }

std::string TMainForm::ProgramIdentification() const { return ::ign::ProgramIdentification(buildDate_); }

// After a playback the file commands' name is the tuner's again.
void TMainForm::FileNameChanged() {
  settings_.file = files_->session.currentFile;
  status_.RefreshTitle();
}

}  // namespace ign
