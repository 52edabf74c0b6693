#include "core/session/session_monitor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "core/monitor/player_messages.h"
#include "core/monitor/recording_reader.h"
#include "core/session/session.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

constexpr const char* kPlaybackWord = "###PLAYBACK##WIEDERGABE##PŘEHRÁVÁNÍ";
constexpr const char* kPausedWord = "###paused##angehalten##pozastaveno";

int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

CSessionMonitor::CSessionMonitor(CSession& session, ISessionView& view)
    : session_(session), view_(view), nowMs_(SteadyMs), player_(*this) {}

CSessionMonitor::~CSessionMonitor() = default;

// ---- The live display -------------------------------------------------------------

void CSessionMonitor::TakeRecord(const uint8_t* record) {
  live_.SetRecord(record);
  Handle(player_.RecordMonitor(live_.Record(), nowMs_()));
  Show(true);
}

bool CSessionMonitor::LiveData() const { return session_.Machine().Connected() || player_.IsPlaying(); }

void CSessionMonitor::Show(bool newRecord) {
  if (showing_) return;  // a page refresh asked for the display it is part of
  showing_ = true;
  DisplayInput in;
  in.edited = &session_.Params().Edited();
  const LiveOptions options = view_.LiveDisplayOptions();
  in.developerMode = options.developerMode;
  in.propSigned = options.propSigned;
  const UnitInfo& unit = session_.UnitInformation().Texts();
  in.unitName = unit.name;
  in.unitDate = unit.productionDate;
  in.unitTime = unit.productionTime;
  const bool data = LiveData();
  MonitorUpdate u = live_.Show(data, std::move(in), RowTime(), newRecord);
  if (data) {
    const StreamAnnouncement& s = u.model.stream;
    session_.Engine().Com().Stream().Announce(s.type, s.length, s.xorCheck, s.sumCheck, s.further);
  }
  // One-shot bits of the self-test for the next request's byte 21.
  if (u.testBits) session_.AddTestBits(1, u.testBits);
  shown_ = std::move(u.model);
  view_.LiveShown(shown_);
  if (u.csvStopped) {
    Tell(live_.Csv().Message());
    Changed();
  }
  showing_ = false;
}

void CSessionMonitor::StartSelfTest() {
  if (!session_.Machine().Connected()) return;
  if (live_.SelfTest().Start(live_.Kept().rpm, session_.UnitInformation().PanelText()))
    session_.Machine().RequestReset();
}

LocalTime CSessionMonitor::RowTime() const {
  if (player_.IsPlaying() && player_.DisplaySeconds() != 0)
    return LocalFromUnix(player_.DisplaySeconds(), player_.DisplayMs());
  return LocalNow();
}

// ---- The CSV log ------------------------------------------------------------------

bool CSessionMonitor::StartCsv(const std::string& path) {
  const bool started = live_.Csv().Start(path);
  if (!started) Tell(live_.Csv().Message());
  Changed();
  return started;
}

void CSessionMonitor::StopCsv() {
  live_.Csv().Stop();
  Changed();
}

// ---- Recorder and player ----------------------------------------------------------

bool CSessionMonitor::ResumeRecording() {
  const bool resumed = player_.ResumeRecording(nowMs_());
  Changed();
  return resumed;
}

bool CSessionMonitor::StartRecording(const std::string& path, RecordingHeader header) {
  const CSettingsDoc& doc = session_.Params();
  InitialRecords initial;
  initial.port = session_.Engine().ConnectedPort();
  initial.unitInfo = session_.UnitInformation().PanelText();
  initial.edited = std::span<const uint8_t>(doc.Edited().data(), RS_LEN_EXE);
  if (doc.UnitValid()) initial.unit = std::span<const uint8_t>(doc.Unit().data(), RS_LEN_EXE);
  initial.view = view_.CurrentView();
  Handle(player_.StartRecording(path, std::move(header), initial, nowMs_()));
  return player_.IsRecording();
}

bool CSessionMonitor::ResumePlaying() {
  const bool resumed = player_.ResumePlaying(nowMs_());
  Changed();
  return resumed;
}

bool CSessionMonitor::PlayFile(const std::string& path) {
  RecordingLoad load = ReadRecording(path);
  if (!load.recording) {
    Tell(RecordingErrorMessage(load));
    Changed();
    return false;
  }
  Play(std::move(*load.recording), path);
  return true;
}

void CSessionMonitor::Play(Recording recording, const std::string& path) {
  if (player_.State() != PlayerState::Idle) StopPlayer();
  // The tuner's work comes back when playback stops.
  view_.CommitPendingChange();
  session_.KeepForPlayback();
  keptPage_ = view_.ActivePage();
  keptFile_ = session_.Files().session.currentFile;
  player_.StartPlaying(std::move(recording), path, nowMs_());
  Changed();
}

void CSessionMonitor::Pause() {
  player_.Pause(nowMs_());
  Changed();
}

void CSessionMonitor::StopPlayer() {
  const bool wasPlaying = player_.IsPlaying();
  TellEvent(player_.StopPlayer());
  if (wasPlaying && keptPage_) {
    session_.RestoreAfterPlayback();
    session_.Files().session.currentFile = keptFile_;
    view_.FileNameChanged();
    view_.ShowPage(*keptPage_);
    view_.ReloadAllPages();
    keptPage_.reset();
    Show();  // no data any more unless a unit is connected
  }
  Changed();
}

void CSessionMonitor::PlayPosChange(int position) {
  player_.PlayPosChange(position, nowMs_());
  Changed();
}

void CSessionMonitor::RecordView() { Handle(player_.RecordView(view_.CurrentView(), nowMs_())); }

void CSessionMonitor::RecordImage(const Image& edited) {
  Handle(player_.RecordImage(std::span<const uint8_t>(edited.data(), RS_LEN_EXE), nowMs_()));
}

// Played data must never pass for the running engine: the banner names the
// recording and the recorded time of what is shown.
std::string CSessionMonitor::PlaybackBanner() const {
  if (!player_.IsPlaying()) return {};
  std::string text = LngStr(kPlaybackWord);
  text += ": " + std::filesystem::path(player_.FileName()).filename().string();
  if (player_.DisplaySeconds() != 0) {
    const LocalTime t = RowTime();
    char when[64];
    std::snprintf(when, sizeof when, "   %02i.%02i.%04i %02i:%02i:%02i", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    text += when;
  }
  if (player_.State() == PlayerState::PlayingPaused) text += std::string("   (") + LngStr(kPausedWord) + ")";
  return text;
}

void CSessionMonitor::TellEvent(CMonitorPlayer::Event event) {
  const std::string text = PlayerMessage(event, player_.FileName());
  if (!text.empty()) Tell(text);
}

void CSessionMonitor::Handle(CMonitorPlayer::Event event) {
  TellEvent(event);
  if (event != CMonitorPlayer::Event::None) Changed();
}

void CSessionMonitor::Tell(const std::string& text) {
  session_.Record({SessionMessage::Kind::Monitor, std::string(), text, false});
  session_.Announce();
}

void CSessionMonitor::Changed() { view_.MonitorChanged(); }

// ---- Playback ---------------------------------------------------------------------

void CSessionMonitor::ApplyEditedImage(std::span<const uint8_t> image) {
  session_.Params().Replace(image);
  view_.PlayedImageApplied();
}

void CSessionMonitor::ApplyUnitImage(std::span<const uint8_t> image) { session_.Params().SetUnit(image); }

void CSessionMonitor::ApplyMonitor(const MonitorRecord& record) {
  live_.Record() = record;
  Show(true);
}

void CSessionMonitor::ApplyView(const ViewRecord& view) { view_.ApplyView(view); }

// ---- The pick-up streams and the tick ---------------------------------------------

void CSessionMonitor::SetStreamWanted(bool wanted) { session_.Machine().streamWanted = wanted; }

void CSessionMonitor::ResetStreamSteps() {
  session_.Engine().Com().Stream().stepMask.store(1, std::memory_order_release);
}

void CSessionMonitor::TakeStream() {
  if (const auto taken = ::ign::TakeStream(session_.Engine().Com().Stream(), ring_))
    view_.PickupStreamTaken(*taken);
}

// The display takes over the connection state: a lost unit clears it at
// once, a new one shows with its first record.
void CSessionMonitor::FollowConnection() {
  const bool connected = session_.Machine().Connected();
  if (connected == connected_) return;
  connected_ = connected;
  if (!connected) Show();
}

void CSessionMonitor::Tick() {
  TakeStream();
  live_.SelfTest().Tick(LocalNow());
  FollowConnection();
  if (player_.State() == PlayerState::Idle) return;
  TellEvent(player_.Tick(nowMs_()));
  Changed();  // the panel's position moves on every tick
}

}  // namespace ign
