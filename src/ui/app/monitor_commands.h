#pragma once
// The live monitor's commands of the main window: the CSV log (MenuCSVout)
// and the recorder and player (GroupBoxPlayer), with the hooks through which
// the rest of the window feeds the recorder. The core's player decides; this
// class asks for files, shows messages and applies replayed records.
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/monitor/local_time.h"
#include "core/monitor/player.h"
#include "core/params/image.h"

class QGroupBox;

namespace ign {

class TMainForm;
class TPlayerPanel;

class TMonitorCommands : public QObject, public IPlaybackSink {
 public:
  TMonitorCommands(TMainForm& form, QGroupBox* playerBox);
  ~TMonitorCommands() override;

  // The file dialogs and message boxes; tests put their own in. A chooser
  // returns "" when the user cancelled.
  std::function<std::string(bool save, const char* filter, const char* extension)> chooseFile;
  std::function<void(const std::string& text)> message;
  // The playback banner of the live panel: its text while a recording plays,
  // empty otherwise.
  std::function<void(const std::string& banner)> onPlayback;
  std::string PlaybackBanner() const;

  // MenuCSVout: starts the CSV log (asking for its file) or stops it.
  void ToggleCsvLog();
  // The CSV log stopped on a failed write: says so and restores menu and title.
  void CsvStopped(const std::string& why);

  // SpeedButtonPlay1..4.
  void SpeedButtonPlay(int button);
  void PlayPosChange(int position);
  // Every main-timer tick: the paced replay, the periodic write of a recording.
  void Tick();
  // Stop, and at exit: a recording is written; a playback gives the tuner's
  // image, file name and undo history back.
  void StopPlayer();
  // Plays the recording at path (a file given on the command line), after
  // stopping what the player did.
  void PlayFile(const std::string& path);

  // Recorder hooks.
  void RecordMonitor(const MonitorRecord& record);
  void RecordImage(const Image& edited);
  void RecordView();

  bool Playing() const { return player_->IsPlaying(); }
  CMonitorPlayer& Player() { return *player_; }
  // The time a CSV row carries: the recorded time while playing, else now.
  LocalTime RowTime() const;

  // IPlaybackSink: the player's replayed records.
  void ApplyEditedImage(std::span<const uint8_t> image1050) override;
  void ApplyUnitImage(std::span<const uint8_t> image1050) override;
  void ApplyMonitor(const MonitorRecord& record) override;
  void ApplyView(const ViewRecord& view) override;

 private:
  void StartRecording();
  void StartPlaying();
  void PlayRecording(const std::string& path);
  void Handle(CMonitorPlayer::Event event);
  void ShowPlayer();
  ViewRecord CurrentView() const;
  static int64_t NowMs();

  // What playback replaces and gives back when it stops.
  struct Kept {
    std::string file;
    int page = 0;
  };

  TMainForm& form_;
  std::unique_ptr<CMonitorPlayer> player_;
  TPlayerPanel* panel_ = nullptr;
  std::optional<Kept> kept_;
};

}  // namespace ign
