#pragma once
// CSessionMonitor: the session's live monitor. It takes the monitor records
// of the unit (or of a played recording), decodes them for display, writes
// the CSV log, runs the self-test, records and plays rides, and moves the
// unit's pick-up streams into the sample ring. The front end draws what it is
// given (ISessionView::LiveShown) and asks for files; every decision is here.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/monitor/live_monitor.h"
#include "core/monitor/pickup_ring.h"
#include "core/monitor/pickup_take.h"
#include "core/monitor/player.h"

namespace ign {

class CSession;
class ISessionView;

// What the display update takes from the front end's controls.
struct LiveOptions {
  bool developerMode = false;
  std::array<bool, 5> propSigned{};  // a proprietary value shown signed
};

class CSessionMonitor : private IPlaybackSink {
 public:
  CSessionMonitor(CSession& session, ISessionView& view);
  ~CSessionMonitor() override;
  CSessionMonitor(const CSessionMonitor&) = delete;
  CSessionMonitor& operator=(const CSessionMonitor&) = delete;

  // The player's clock in milliseconds (a steady clock unless set).
  void SetClock(std::function<int64_t()> nowMs) { nowMs_ = std::move(nowMs); }

  // ---- The live display ----
  // A monitor answer of the unit (index 0 unused): recorded, shown, logged.
  void TakeRecord(const uint8_t* record151);
  // One display update of the record as it stands (cleared when there is no
  // data). newRecord: the record has just arrived, so the CSV log and the
  // self-test take it; otherwise it is only shown again.
  void Show(bool newRecord = false);
  // Data to show: a unit is connected, or a recording plays.
  bool LiveData() const;
  MonitorRecord& Record() { return live_.Record(); }
  const DisplayModel& Shown() const { return shown_; }
  const MonitorKept& Kept() const { return live_.Kept(); }
  CSelfTest& SelfTest() { return live_.SelfTest(); }
  // The self-test starts (only with a unit); a turning engine is reset first.
  void StartSelfTest();
  // The time a CSV row carries: the recorded time while playing, else now.
  LocalTime RowTime() const;

  // ---- The CSV log ----
  // False when the file cannot be created (the reason is a session message).
  bool StartCsv(const std::string& path);
  void StopCsv();
  const CCsvLog& Csv() const { return live_.Csv(); }

  // ---- Recorder and player ----
  const CMonitorPlayer& Player() const { return player_; }
  bool Playing() const { return player_.IsPlaying(); }
  // Record goes on after a pause; false when there was nothing to resume.
  bool ResumeRecording();
  // Starts a recording in path with the front end's header; the initial
  // records are the session's. A file that cannot be written is a message.
  bool StartRecording(const std::string& path, RecordingHeader header);
  // Play goes on after a pause (or starts over at the end); false when there
  // was nothing to resume.
  bool ResumePlaying();
  // Plays the recording at path after stopping what the player did. A file
  // that cannot be read is a message; false then, and nothing changed.
  bool PlayFile(const std::string& path);
  // Plays a recording read already.
  void Play(Recording recording, const std::string& path);
  void Pause();
  // Stop, and at exit: a recording is written; a playback gives the tuner's
  // image, undo history, file name and page back.
  void StopPlayer();
  void PlayPosChange(int position);
  // The page and the sheets of the map editors changed (written when recording).
  void RecordView();
  // A committed change of the edited image (written when recording).
  void RecordImage(const Image& edited);
  // The player panel's view now.
  PlayerView PlayerPanel() const { return player_.View(nowMs_()); }
  // The banner over played data: the recording's name and the recorded time
  // of what is shown ("" while nothing plays).
  std::string PlaybackBanner() const;

  // ---- The pick-up streams ----
  CPickupRing& PickupRing() { return ring_; }
  // The unit sends pick-up streams while wanted.
  void SetStreamWanted(bool wanted);
  // The stream steps go back to every tick (a paused pick-up window).
  void ResetStreamSteps();

  // The session's tick steps: a completed stream into the ring, the
  // self-test's count, the display after a lost unit, the paced replay.
  void Tick();

 private:
  // IPlaybackSink: the player's replayed records.
  void ApplyEditedImage(std::span<const uint8_t> image1050) override;
  void ApplyUnitImage(std::span<const uint8_t> image1050) override;
  void ApplyMonitor(const MonitorRecord& record) override;
  void ApplyView(const ViewRecord& view) override;

  // The player's message for an event, if it has one; Handle also tells the
  // view when the event changed the player's state.
  void TellEvent(CMonitorPlayer::Event event);
  void Handle(CMonitorPlayer::Event event);
  void Tell(const std::string& text);
  void Changed();
  void TakeStream();
  void FollowConnection();

  CSession& session_;
  ISessionView& view_;
  std::function<int64_t()> nowMs_;
  CLiveMonitor live_;
  DisplayModel shown_;
  bool showing_ = false;
  bool connected_ = false;
  CMonitorPlayer player_;
  CPickupRing ring_;
  std::optional<int> keptPage_;  // the page in front when playback began
  std::string keptFile_;
};

}  // namespace ign
