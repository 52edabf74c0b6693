#include "ui/app/monitor_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <chrono>
#include <cstdio>

#include "core/device/engine.h"
#include "core/monitor/player_messages.h"
#include "core/monitor/recording_reader.h"
#include "core/text/lngstr.h"
#include "ui/app/dialog_filter.h"
#include "ui/app/dialog_start_folder.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/mapedit/map_editor.h"
#include "ui/monitor/live_display.h"
#include "ui/monitor/player_panel.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {

constexpr const char* kCsvFilter = "CSV log file|*.csv";
constexpr const char* kLogFilter = "IGN log file|*.ignlog";
constexpr const char* kCsvStart = "CSV output monitor";
constexpr const char* kCsvStop = "Stop CSV recording";
constexpr const char* kPlaybackWord = "###PLAYBACK##WIEDERGABE##PŘEHRÁVÁNÍ";
constexpr const char* kPausedWord = "###paused##angehalten##pozastaveno";
}  // namespace

TMonitorCommands::TMonitorCommands(TMainForm& form, QGroupBox* playerBox)
    : QObject(&form), form_(form), player_(std::make_unique<CMonitorPlayer>(*this)) {
  chooseFile = [this](bool save, const char* filter, const char* extension) {
    // The folder of the settings files, without their name.
    const QString start = DialogStart(DialogFolderOf(form_.DialogFileName()));
    QString path = save ? QFileDialog::getSaveFileName(&form_, QString(), start, DialogFilter(filter))
                        : QFileDialog::getOpenFileName(&form_, QString(), start, DialogFilter(filter));
    if (!path.isEmpty() && save && QFileInfo(path).suffix().isEmpty()) path += QString(".") + extension;
    return path.toStdString();
  };
  panel_ = new TPlayerPanel(playerBox);
  panel_->onButton = [this](int b) { SpeedButtonPlay(b); };
  panel_->onPosition = [this](int p) { PlayPosChange(p); };
  ShowPlayer();
}

TMonitorCommands::~TMonitorCommands() = default;

int64_t TMonitorCommands::NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// ---- CSV log --------------------------------------------------------------------

void TMonitorCommands::ToggleCsvLog() {
  CCsvLog& csv = form_.LiveDisplay().Csv();
  QAction* item = form_.MainMenu().Item("MenuCSVout");
  if (csv.Running()) {
    csv.Stop();
  } else {
    const std::string path = chooseFile(true, kCsvFilter, "csv");
    if (path.empty()) return;
    if (!csv.Start(path)) message(csv.Message());
  }
  item->setText(QString::fromUtf8(csv.Running() ? kCsvStop : kCsvStart));
  form_.Status().RefreshTitle();
}

void TMonitorCommands::CsvStopped(const std::string& why) {
  form_.MainMenu().Item("MenuCSVout")->setText(QString::fromUtf8(kCsvStart));
  form_.Status().RefreshTitle();
  message(why);
}

// ---- Recorder and player --------------------------------------------------------

void TMonitorCommands::SpeedButtonPlay(int button) {
  const int64_t now = NowMs();
  switch (button) {
    case TPlayerPanel::Record:
      if (!player_->ResumeRecording(now) && player_->State() == PlayerState::Idle) StartRecording();
      break;
    case TPlayerPanel::Play:
      if (!player_->ResumePlaying(now) && player_->State() == PlayerState::Idle) StartPlaying();
      break;
    case TPlayerPanel::Pause: player_->Pause(now); break;
    case TPlayerPanel::Stop: StopPlayer(); break;
  }
  ShowPlayer();
}

void TMonitorCommands::StartRecording() {
  const std::string path = chooseFile(true, kLogFilter, "ignlog");
  if (path.empty()) return;
  RecordingHeader header;
  header.startTime = uint32_t(UnixNow());
  header.os = OsVersionFields();
  const QList<QScreen*> screens = QGuiApplication::screens();
  for (int i = 0; i < std::min<int>(4, int(screens.size())); ++i) {
    const QRect g = screens[i]->geometry();
    header.screens[size_t(i)] = {int16_t(g.left()), int16_t(g.width()), int16_t(g.top()),
                                 int16_t(g.height())};
  }
  header.ident = form_.ProgramIdentification();
  CSettingsDoc& params = form_.Params();
  InitialRecords initial;
  initial.port = form_.Engine().ConnectedPort();
  initial.unitInfo = form_.UnitPanelText();
  initial.edited = std::span<const uint8_t>(params.Edited().data(), RS_LEN_EXE);
  if (params.UnitValid()) initial.unit = std::span<const uint8_t>(params.Unit().data(), RS_LEN_EXE);
  initial.view = CurrentView();
  Handle(player_->StartRecording(path, header, initial, NowMs()));
}

void TMonitorCommands::StartPlaying() {
  const std::string path = chooseFile(false, kLogFilter, "ignlog");
  if (!path.empty()) PlayRecording(path);
}

void TMonitorCommands::PlayFile(const std::string& path) {
  if (player_->State() != PlayerState::Idle) StopPlayer();
  PlayRecording(path);
  ShowPlayer();
}

void TMonitorCommands::PlayRecording(const std::string& path) {
  RecordingLoad load = ReadRecording(path);
  if (!load.recording) {
    message(RecordingErrorMessage(load));
    return;
  }
  // The tuner's work comes back when playback stops.
  form_.Pages().CommitPending();
  form_.Session().KeepForPlayback();
  Kept k;
  k.file = form_.CurrentFile();
  k.page = form_.ActivePageIndex();
  kept_ = std::move(k);
  player_->StartPlaying(std::move(*load.recording), path, NowMs());
}

void TMonitorCommands::StopPlayer() {
  const bool wasPlaying = player_->IsPlaying();
  const std::string path = player_->FileName();
  const std::string stopped = PlayerMessage(player_->StopPlayer(), path);
  if (!stopped.empty()) message(stopped);
  if (wasPlaying && kept_) {
    form_.Session().RestoreAfterPlayback();
    form_.RestoreFileName(kept_->file);
    form_.ShowPage(kept_->page);
    form_.Pages().LoadPages(true);
    kept_.reset();
    form_.RefreshLiveDisplay();  // no data any more unless a unit is connected
  }
  ShowPlayer();
}

void TMonitorCommands::PlayPosChange(int position) {
  player_->PlayPosChange(position, NowMs());
  ShowPlayer();
}

void TMonitorCommands::Tick() {
  if (player_->State() == PlayerState::Idle) return;
  Handle(player_->Tick(NowMs()));
  ShowPlayer();
}

void TMonitorCommands::Handle(CMonitorPlayer::Event event) {
  const std::string text = PlayerMessage(event, player_->FileName());
  if (!text.empty()) message(text);
  ShowPlayer();
}

void TMonitorCommands::ShowPlayer() {
  panel_->Show(player_->View(NowMs()));
  if (onPlayback) onPlayback(PlaybackBanner());
}

// Played data must never pass for the running engine: the banner names the
// recording and the recorded time of what is shown.
std::string TMonitorCommands::PlaybackBanner() const {
  if (!player_->IsPlaying()) return {};
  std::string text = LngStr(kPlaybackWord);
  text += ": " + QFileInfo(QString::fromStdString(player_->FileName())).fileName().toStdString();
  if (player_->DisplaySeconds() != 0) {
    const LocalTime t = RowTime();
    char when[64];
    std::snprintf(when, sizeof when, "   %02i.%02i.%04i %02i:%02i:%02i", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    text += when;
  }
  if (player_->State() == PlayerState::PlayingPaused) text += std::string("   (") + LngStr(kPausedWord) + ")";
  return text;
}

LocalTime TMonitorCommands::RowTime() const {
  if (player_->IsPlaying() && player_->DisplaySeconds() != 0)
    return LocalFromUnix(player_->DisplaySeconds(), player_->DisplayMs());
  return LocalNow();
}

// ---- Recorder hooks -------------------------------------------------------------

void TMonitorCommands::RecordMonitor(const MonitorRecord& record) {
  Handle(player_->RecordMonitor(record, NowMs()));
}

void TMonitorCommands::RecordImage(const Image& edited) {
  Handle(player_->RecordImage(std::span<const uint8_t>(edited.data(), RS_LEN_EXE), NowMs()));
}

void TMonitorCommands::RecordView() { Handle(player_->RecordView(CurrentView(), NowMs())); }

ViewRecord TMonitorCommands::CurrentView() const {
  ViewRecord view;
  view.page = uint8_t(form_.ActivePageIndex());
  const auto& editors = form_.Pages().Editors();
  for (size_t i = 0; i < editors.size() && i < view.editorIds.size(); ++i) {
    const CTabModel& model = editors[i]->Model();
    view.editorIds[i] = uint8_t(model.Identifier());
    view.sheets[i] = uint8_t(std::max(0, model.ActiveIndex()));
  }
  return view;
}

// ---- Playback -------------------------------------------------------------------

void TMonitorCommands::ApplyEditedImage(std::span<const uint8_t> image) {
  form_.Params().Replace(image);
  form_.Pages().FlagEditors(EditorRefresh::kData | EditorRefresh::kMarkers);
  form_.Pages().LoadPages(true);
}

void TMonitorCommands::ApplyUnitImage(std::span<const uint8_t> image) { form_.Params().SetUnit(image); }

void TMonitorCommands::ApplyMonitor(const MonitorRecord& record) {
  form_.LiveDisplay().Record() = record;
  form_.LiveDisplay().Update(true);
}

void TMonitorCommands::ApplyView(const ViewRecord& view) {
  if (view.page != form_.ActivePageIndex()) form_.ShowPage(view.page);
  // The first entry with an editor's identifier is its own: the unused
  // entries are zero and would otherwise turn editor 0 back to sheet 0.
  for (auto& entry : form_.Pages().Editors()) {
    TTab& tab = *entry->widget;
    for (size_t i = 0; i < view.editorIds.size(); ++i) {
      if (view.editorIds[i] != tab.Identifier()) continue;
      if (view.sheets[i] != tab.Model().ActiveIndex()) tab.SelectSheet(view.sheets[i]);
      break;
    }
  }
}

}  // namespace ign
