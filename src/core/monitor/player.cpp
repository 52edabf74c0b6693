#include "core/monitor/player.h"

#include <algorithm>
#include <cstring>

#include "core/monitor/display_format.h"
#include "core/monitor/local_time.h"

namespace ign {

using monitor_detail::Format;

namespace {

std::string_view Bytes(std::span<const uint8_t> s) {
  return std::string_view(reinterpret_cast<const char*>(s.data()), s.size());
}

}  // namespace

CMonitorPlayer::Event CMonitorPlayer::Append(uint8_t type, std::string_view payload, int64_t nowMs) {
  if (state_ != PlayerState::Recording || !recorder_.Active()) return Event::None;
  const uint32_t t = uint32_t(std::max<int64_t>(0, nowMs - startClock_));
  if (recorder_.Add(type, payload, t) == CRecorder::Append::Full) {
    const Event e = StopPlayer();
    return e == Event::CannotWrite ? e : Event::Full;
  }
  length_ = position_ = recorder_.Count();
  return Event::None;
}

bool CMonitorPlayer::ResumeRecording(int64_t nowMs) {
  if (state_ != PlayerState::RecordingPaused) return false;
  startClock_ += nowMs - pauseClock_;
  state_ = PlayerState::Recording;
  return true;
}

CMonitorPlayer::Event CMonitorPlayer::StartRecording(const std::string& path, RecordingHeader header,
                                                     const InitialRecords& initial, int64_t nowMs) {
  if (state_ != PlayerState::Idle) return Event::None;
  path_ = path;
  position_ = length_ = 0;
  displaySeconds_ = displayMs_ = 0;
  lastView_ = {};
  recorder_.Begin(path, header);
  startClock_ = lastSave_ = nowMs;
  state_ = PlayerState::Recording;
  RecordUnitInfo(initial.port, initial.unitInfo, nowMs);
  RecordImage(initial.edited, nowMs);
  if (!initial.unit.empty()) RecordUnitImage(initial.unit, nowMs);
  RecordView(initial.view, nowMs);
  recorder_.MarkInitial();
  if (!recorder_.Save()) {
    recorder_.End();
    state_ = PlayerState::Idle;
    position_ = length_ = 0;
    return Event::CannotWrite;
  }
  return Event::Started;
}

bool CMonitorPlayer::ResumePlaying(int64_t nowMs) {
  if (state_ != PlayerState::PlayingPaused) return false;
  if (play_.initialCount + position_ >= int(play_.records.size())) {
    // From the end it starts over, with the state of the start.
    displaySeconds_ = displayMs_ = 0;
    startClock_ = playClock_ = nowMs;
    position_ = 0;
    ApplyInitial();
  } else {
    playClock_ += nowMs - pauseClock_;
  }
  state_ = PlayerState::Playing;
  return true;
}

void CMonitorPlayer::StartPlaying(Recording recording, const std::string& path, int64_t nowMs) {
  if (state_ != PlayerState::Idle) return;
  play_ = std::move(recording);
  path_ = path;
  device_.clear();
  for (int i = 0; i < play_.initialCount; ++i) {
    if (play_.records[size_t(i)].type != Rec::UnitInfo) continue;
    const auto p = play_.Payload(i);
    const char* text = reinterpret_cast<const char*>(p.data() + 1);
    device_ = Format("COM%i: %s", p[0], std::string(text, strnlen(text, p.size() - 1)).c_str());
    break;
  }
  position_ = 0;
  length_ = int(play_.records.size()) - play_.initialCount + 1;
  displaySeconds_ = displayMs_ = 0;
  startClock_ = playClock_ = nowMs;
  ApplyInitial();
  state_ = PlayerState::Playing;
}

void CMonitorPlayer::Pause(int64_t nowMs) {
  if (state_ == PlayerState::Recording)
    state_ = PlayerState::RecordingPaused;
  else if (state_ == PlayerState::Playing)
    state_ = PlayerState::PlayingPaused;
  else
    return;
  pauseClock_ = nowMs;
}

CMonitorPlayer::Event CMonitorPlayer::StopPlayer() {
  Event e = Event::Stopped;
  if (IsRecording() && !recorder_.Save()) e = Event::CannotWrite;
  recorder_.End();
  play_ = Recording{};
  state_ = PlayerState::Idle;
  return e;
}

void CMonitorPlayer::ApplyInitial() {
  for (int i = 0; i < play_.initialCount; ++i) ApplyRecord(i);
}

void CMonitorPlayer::ApplyRecord(int index) {
  if (index < 0 || index >= int(play_.records.size())) return;
  const RecordEntry& e = play_.records[size_t(index)];
  displaySeconds_ = int64_t(play_.header.startTime) + e.timeMs / 1000;
  displayMs_ = int(e.timeMs % 1000);
  const auto payload = play_.Payload(index);
  switch (e.type) {
    case Rec::EditedImage: sink_.ApplyEditedImage(payload.first(1050)); break;
    case Rec::UnitImage: sink_.ApplyUnitImage(payload.first(1050)); break;
    case Rec::Monitor: {
      MonitorRecord r;
      std::memcpy(r.bytes.data(), payload.data(), kMonitorDataLen);
      r.bytes[0] = 0;
      r.bytes[Mon::KEY] = uint8_t(play_.header.key);  // the record keeps bytes 0..149 only
      sink_.ApplyMonitor(r);
      break;
    }
    case Rec::View: {
      ViewRecord v;
      v.page = payload[0];
      std::memcpy(v.editorIds.data(), payload.data() + 4, 50);
      std::memcpy(v.sheets.data(), payload.data() + 54, 50);
      sink_.ApplyView(v);
      break;
    }
    default: break;  // unit information and unknown types change nothing
  }
}

CMonitorPlayer::Event CMonitorPlayer::Tick(int64_t nowMs) {
  if (state_ == PlayerState::Recording || state_ == PlayerState::RecordingPaused) {
    if (nowMs - lastSave_ < kRewriteMs) return Event::None;
    lastSave_ = nowMs;
    return recorder_.Save() ? Event::None : Event::CannotWrite;
  }
  if (state_ != PlayerState::Playing) return Event::None;
  const int count = int(play_.records.size());
  const int i = play_.initialCount + position_;
  int j = i - 1;
  const int64_t base = play_.records[size_t(j)].timeMs;
  const int64_t elapsed = nowMs - playClock_;
  while (j < count && elapsed >= int64_t(play_.records[size_t(j)].timeMs) - base) ++j;
  if (j != i) {
    for (int k = i; k < j; ++k) ApplyRecord(k);
    position_ = j - play_.initialCount;
    // The clock moves to when the last applied record was due, not to now, so
    // lateness within a tick never adds up over a long recording.
    playClock_ += std::max<int64_t>(0, int64_t(play_.records[size_t(j - 1)].timeMs) - base);
  }
  if (j == count) {
    state_ = PlayerState::PlayingPaused;
    pauseClock_ = nowMs;
  }
  return Event::None;
}

void CMonitorPlayer::PlayPosChange(int position, int64_t nowMs) {
  if (!IsPlaying()) return;
  position_ = std::clamp(position, 0, std::max(0, length_ - 1));
  if (position_ > 0)
    ApplyRecord(play_.initialCount + position_ - 1);
  else
    ApplyInitial();
  playClock_ = pauseClock_ = nowMs;
}

CMonitorPlayer::Event CMonitorPlayer::RecordMonitor(const MonitorRecord& r, int64_t nowMs) {
  return Append(Rec::Monitor,
                std::string_view(reinterpret_cast<const char*>(r.bytes.data()), kMonitorDataLen), nowMs);
}

CMonitorPlayer::Event CMonitorPlayer::RecordImage(std::span<const uint8_t> image, int64_t nowMs) {
  return Append(Rec::EditedImage, Bytes(image.first(1050)), nowMs);
}

CMonitorPlayer::Event CMonitorPlayer::RecordUnitImage(std::span<const uint8_t> image, int64_t nowMs) {
  return Append(Rec::UnitImage, Bytes(image.first(1050)), nowMs);
}

CMonitorPlayer::Event CMonitorPlayer::RecordView(const ViewRecord& view, int64_t nowMs) {
  if (state_ != PlayerState::Recording || view == lastView_) return Event::None;
  lastView_ = view;
  uint8_t payload[Rec::kViewLen - Rec::kRecordHead] = {};
  payload[0] = view.page;
  std::memcpy(payload + 4, view.editorIds.data(), 50);
  std::memcpy(payload + 54, view.sheets.data(), 50);
  return Append(Rec::View, std::string_view(reinterpret_cast<const char*>(payload), sizeof payload), nowMs);
}

CMonitorPlayer::Event CMonitorPlayer::RecordUnitInfo(int port, const std::string& text, int64_t nowMs) {
  char payload[Rec::kUnitInfoLen - Rec::kRecordHead] = {};
  payload[0] = char(port & 0xFF);
  std::strncpy(payload + 1, text.c_str(), sizeof payload - 2);
  return Append(Rec::UnitInfo, std::string_view(payload, sizeof payload), nowMs);
}

PlayerView CMonitorPlayer::View(int64_t nowMs) const {
  PlayerView v;
  std::string when;
  if (displaySeconds_ != 0) {
    const LocalTime t = LocalFromUnix(displaySeconds_, displayMs_);
    when = Format("%04i_%02i_%02i %02i:%02i:%02i.%02i", t.year, t.month, t.day, t.hour, t.minute, t.second,
                  t.millisecond / 10);
  }
  switch (state_) {
    case PlayerState::Recording:
      v.position = Format("Recording (%i) %i seconds", position_, int((nowMs - startClock_) / 1000));
      v.buttons = {false, false, true, true};
      break;
    case PlayerState::RecordingPaused:
      v.position = Format("Recording (%i) - pause", position_);
      v.buttons = {true, false, false, true};
      break;
    case PlayerState::Playing:
      v.position = Format("Play (%i) %s", position_, when.c_str());
      v.buttons = {false, false, true, true};
      break;
    case PlayerState::PlayingPaused:
      v.position = Format("Play (%i) - pause %s", position_, when.c_str());
      v.buttons = {false, true, false, true};
      break;
    case PlayerState::Idle: v.buttons = {true, true, false, false}; break;
  }
  v.file = path_;
  v.labelsVisible = state_ != PlayerState::Idle;
  v.barVisible = v.deviceVisible = IsPlaying();
  v.barMaximum = std::max(0, length_ - 1);
  v.barPosition = position_;
  v.device = IsPlaying() ? device_ : std::string();
  return v;
}

}  // namespace ign
