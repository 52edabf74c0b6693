#include "core/logs/recording_log.h"

#include <algorithm>

#include "core/logs/own_columns.h"

namespace ign {

CLog LogOfRecording(const Recording& rec) {
  CLog log;
  log.format = "recording";
  log.startUnix = rec.header.startTime;
  AddOwnChannels(log);
  LogChannel& sensor =
      log.AddChannel(kLoadSensorChannel, "", ChannelKind::Enumeration, ChannelRole::LoadSensor);
  const size_t sensorIndex = log.channels.size() - 1;
  (void)sensor;
  const int monitors = rec.CountOfType(Rec::Monitor);
  log.time.reserve(size_t(monitors));
  for (LogChannel& c : log.channels) c.values.reserve(size_t(monitors));
  double first = -1, last = 0;
  MonitorRecord r;
  for (int i = 0; i < int(rec.records.size()); ++i) {
    const RecordEntry& e = rec.records[size_t(i)];
    const double t = e.timeMs / 1000.0;
    if (e.type == Rec::EditedImage) {
      LogImage& img = log.images.emplace_back();
      img.time = t;
      const auto payload = rec.Payload(i);
      std::copy_n(payload.begin(), std::min<size_t>(payload.size(), RS_LEN_EXE), img.image.begin());
      continue;
    }
    if (e.type != Rec::Monitor) continue;
    if (first < 0) first = t;
    // Recording times never fall in a file the recorder wrote; a file that
    // says otherwise keeps its rows in time order all the same.
    last = std::max(last, t - first);
    log.time.push_back(last);
    // As the player applies it: bytes 0..149 as recorded, the key from the header.
    std::copy_n(rec.Payload(i).data(), kMonitorDataLen, r.bytes.begin());
    r.bytes[0] = 0;
    r.bytes[Mon::KEY] = uint8_t(rec.header.key);
    for (int c = 0; c < kCsvColumns; ++c) log.channels[size_t(c)].values.push_back(OwnValueOfRecord(r, c));
    log.channels[sensorIndex].values.push_back(float(SensorType(r)));
  }
  // Image times on the rows' time base.
  for (LogImage& img : log.images) img.time = first < 0 ? 0 : std::max(0.0, img.time - first);
  return log;
}

LogRead ReadRecordingLog(const std::string& path) {
  LogRead r;
  const RecordingLoad load = ReadRecording(path);
  if (!load.recording) {
    r.error = {LogFault::Recording, 0, 0, RecordingErrorMessage(load)};
    return r;
  }
  r.log = LogOfRecording(*load.recording);
  r.log->source = path;
  return r;
}

}  // namespace ign
