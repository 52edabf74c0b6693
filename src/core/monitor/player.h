#pragma once
// The monitor recorder and player: one state (0 idle, 1 recording, 5
// recording paused, 2 playing, 6 playing paused), the recording hooks, the
// paced replay and what the player panel shows. Driven by a millisecond clock
// value, so the window and ignctl share it; replayed records go to a sink.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "core/monitor/record.h"
#include "core/monitor/recorder.h"
#include "core/monitor/recording_reader.h"

namespace ign {

// Where replayed records go.
class IPlaybackSink {
 public:
  virtual ~IPlaybackSink() = default;
  virtual void ApplyEditedImage(std::span<const uint8_t> image1050) = 0;  // then reload the pages
  virtual void ApplyUnitImage(std::span<const uint8_t> image1050) = 0;    // valid; CompareImages
  virtual void ApplyMonitor(const MonitorRecord& record) = 0;             // display update (and CSV)
  virtual void ApplyView(const ViewRecord& view) = 0;                     // page, then SelectSheet
};

enum class PlayerState : int { Idle = 0, Recording = 1, Playing = 2, RecordingPaused = 5, PlayingPaused = 6 };

// What the player panel shows.
struct PlayerView {
  std::string position;  // LabelPlayPos
  std::string file;      // LabelPlayFile
  bool labelsVisible = false;
  bool barVisible = false;
  int barMaximum = 0, barPosition = 0;  // ScrollBarPlay, set without feedback
  std::array<bool, 4> buttons{};        // Record, Play, Pause, Stop
  std::string device;                   // LabelPlayDevice: the recorded unit information
  bool deviceVisible = false;
};

// The first records of a recording, in their order.
struct InitialRecords {
  int port = 0;
  std::string unitInfo;             // status-bar panel 4 text
  std::span<const uint8_t> edited;  // 1050 bytes
  std::span<const uint8_t> unit;    // 1050 bytes, empty when the unit image is not valid
  ViewRecord view;
};

class CMonitorPlayer {
 public:
  static constexpr int64_t kRewriteMs = 30000;  // a running recording is written this often

  enum class Event { None, Started, CannotWrite, Full, Stopped };

  explicit CMonitorPlayer(IPlaybackSink& sink) : sink_(sink) {}

  PlayerState State() const { return state_; }
  bool IsPlaying() const { return state_ == PlayerState::Playing || state_ == PlayerState::PlayingPaused; }
  bool IsRecording() const {
    return state_ == PlayerState::Recording || state_ == PlayerState::RecordingPaused;
  }

  // Record button in state 5: recording goes on. Returns true when it did.
  bool ResumeRecording(int64_t nowMs);
  // Record button in state 0 with a file chosen: writes the initial records
  // and the file at once. CannotWrite leaves the player idle.
  Event StartRecording(const std::string& path, RecordingHeader header, const InitialRecords& initial,
                       int64_t nowMs);
  // Play button in state 6: goes on, or starts over at the end. Returns true when it did.
  bool ResumePlaying(int64_t nowMs);
  // Play button in state 0 with a file read: applies the initial records.
  void StartPlaying(Recording recording, const std::string& path, int64_t nowMs);
  void Pause(int64_t nowMs);
  // Stop button and exit: a recording is written (CannotWrite when that failed).
  Event StopPlayer();

  // Every main-timer tick: paced replay while playing, the periodic write while recording.
  Event Tick(int64_t nowMs);
  // The scroll bar moved to position (states 2 and 6).
  void PlayPosChange(int position, int64_t nowMs);

  // Recording hooks; each does nothing unless recording (not paused).
  Event RecordMonitor(const MonitorRecord& r, int64_t nowMs);
  Event RecordImage(std::span<const uint8_t> image1050, int64_t nowMs);
  Event RecordUnitImage(std::span<const uint8_t> image1050, int64_t nowMs);
  Event RecordView(const ViewRecord& view, int64_t nowMs);  // only when it changed
  Event RecordUnitInfo(int port, const std::string& text, int64_t nowMs);

  PlayerView View(int64_t nowMs) const;
  int Position() const { return position_; }
  int Length() const { return length_; }
  const Recording& Loaded() const { return play_; }
  const std::string& FileName() const { return path_; }
  // The time of the record shown last: seconds since 1970 and milliseconds (0: none).
  int64_t DisplaySeconds() const { return displaySeconds_; }
  int DisplayMs() const { return displayMs_; }

 private:
  Event Append(uint8_t type, std::string_view payload, int64_t nowMs);
  void ApplyRecord(int index);
  void ApplyInitial();

  IPlaybackSink& sink_;
  PlayerState state_ = PlayerState::Idle;
  std::string path_;
  CRecorder recorder_;
  Recording play_;
  std::string device_;
  int position_ = 0, length_ = 0;
  int64_t startClock_ = 0, playClock_ = 0, pauseClock_ = 0, lastSave_ = 0;
  int64_t displaySeconds_ = 0;
  int displayMs_ = 0;
  ViewRecord lastView_{};
};

}  // namespace ign
