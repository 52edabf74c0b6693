#include "fuzz/targets/fuzz_recording.h"
#include "fuzz/targets/fuzz_check.h"

#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/monitor/player.h"
#include "core/monitor/recording_reader.h"

namespace ign::fuzz {

namespace {

class CountingSink : public IPlaybackSink {
 public:
  void ApplyEditedImage(std::span<const uint8_t> image) override { FUZZ_CHECK(image.size() == 1050); }
  void ApplyUnitImage(std::span<const uint8_t> image) override { FUZZ_CHECK(image.size() == 1050); }
  void ApplyMonitor(const MonitorRecord& r) override {
    FUZZ_CHECK(r.bytes[0] == 0);
    ++monitors;
  }
  void ApplyView(const ViewRecord&) override {}
  int monitors = 0;
};

std::vector<uint8_t> Spread(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(Rec::kHeaderBase, 0);
  const size_t head = std::min<size_t>(size, Rec::kOffLow);
  std::copy(data, data + head, file.begin());
  size_t at = head;
  if (size >= size_t(Rec::kOffLow)) {
    const size_t count =
        std::min<size_t>(data[Rec::kOffCount] | (data[Rec::kOffCount + 1] << 8), Rec::kMaxRecords);
    const size_t table = std::min(2 * count, size - at);
    std::copy(data + at, data + at + table, file.begin() + Rec::kOffLow);
    at += table;
  }
  file.insert(file.end(), data + at, data + size);
  return file;
}

void Check(std::span<const uint8_t> bytes) {
  RecordingLoad l = ParseRecording(bytes);
  FUZZ_CHECK(l.recording.has_value() == (l.error == RecordingError::None));
  FUZZ_CHECK(!RecordingErrorMessage(l).empty() || l.recording);
  if (!l.recording) return;
  const Recording& r = *l.recording;
  FUZZ_CHECK(!r.records.empty() && r.records.size() <= size_t(Rec::kMaxRecords));
  FUZZ_CHECK(r.initialCount >= 1 && r.initialCount <= int(r.records.size()));
  int monitors = 0;
  for (const RecordEntry& e : r.records) {
    FUZZ_CHECK(e.length >= Rec::kRecordHead);
    FUZZ_CHECK(size_t(e.offset) + e.length <= r.data.size());
    const int want = Rec::LengthOfType(e.type);
    FUZZ_CHECK(want == 0 || want == e.length);
    monitors += e.type == Rec::Monitor;
  }
  CountingSink sink;
  CMonitorPlayer p(sink);
  const int length = int(r.records.size()) - r.initialCount + 1;
  p.StartPlaying(std::move(*l.recording), "fuzz", 0);
  FUZZ_CHECK(p.Length() == length);
  p.Tick(int64_t(1) << 40);
  FUZZ_CHECK(p.State() == PlayerState::PlayingPaused);
  FUZZ_CHECK(sink.monitors == monitors);
  p.PlayPosChange(length / 2, 1);
  p.PlayPosChange(0, 2);
  p.PlayPosChange(length + 5, 3);
  FUZZ_CHECK(p.Position() == length - 1);
  p.ResumePlaying(4);
  p.Tick(5);
  p.View(6);
  p.StopPlayer();
}

}  // namespace

int RecordingReader(const uint8_t* data, size_t size) {
  Check(std::span<const uint8_t>(data, size));
  const std::vector<uint8_t> spread = Spread(data, size);
  Check(spread);
  return 0;
}

}  // namespace ign::fuzz

#ifdef IGN_FUZZ_RECORDING_MAIN
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ign::fuzz::RecordingReader(data, size);
}
#endif
