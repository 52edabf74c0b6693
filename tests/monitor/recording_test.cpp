// The recording file: written byte for byte as specified, read back only
// when every field checks out, and kept within its limits.
#include <functional>

#include "core/monitor/player_messages.h"
#include "core/monitor/recording_reader.h"
#include "recording_fixture.h"

namespace ign::test {
namespace {

TEST_F(RecordingTest, WrittenFileHasEveryHeaderFieldAtItsOffset) {
  CMonitorPlayer p(sink_);
  const std::string path = Path("ride.ignlog");
  ASSERT_EQ(p.StartRecording(path, Header(), Initial(), 1000), CMonitorPlayer::Event::Started);
  EXPECT_EQ(p.RecordMonitor(Rpm(1500), 1385), CMonitorPlayer::Event::None);
  p.RecordView(Initial().view, 1400);  // the same view: not written again
  ViewRecord other = Initial().view;
  other.page = 5;
  p.RecordView(other, 1500);
  p.RecordMonitor(Rpm(1600), 1770);
  ASSERT_EQ(p.StopPlayer(), CMonitorPlayer::Event::Stopped);

  const std::string f = Read(path);
  const unsigned n = 4 + 3;  // unit info, edited, unit, view; monitor, view, monitor
  ASSERT_EQ(U16(f, 0), 12256 + 2 * n);
  EXPECT_EQ(uint8_t(f[2]), 0);
  EXPECT_EQ(U32(f, 4), 1767225600u);
  EXPECT_EQ(U32(f, 8), 6u);
  EXPECT_EQ(U32(f, 12), 1u);
  EXPECT_EQ(U32(f, 16), 7u);
  EXPECT_EQ(U32(f, 20), 100u);
  EXPECT_EQ(U16(f, 24 + 2), 1280u);
  EXPECT_EQ(U16(f, 24 + 6), 900u);
  EXPECT_EQ(U32(f, 56), 0x55u);
  EXPECT_EQ(U16(f, 60), 108u);
  EXPECT_EQ(std::string(f.c_str() + 62), "QUNTAR6   RSKEY=108.00   COMPILE=2026_01_02");
  EXPECT_EQ(U16(f, 252), 4u);
  EXPECT_EQ(U16(f, 254), n);
  const size_t header = 12256 + 2 * n;
  EXPECT_EQ(U32(f, 248), f.size() - header);

  const unsigned types[] = {1, 2, 3, 5, 4, 5, 4};
  const unsigned lengths[] = {84, 1058, 1058, 112, 158, 112, 158};
  const unsigned long times[] = {0, 0, 0, 0, 385, 500, 770};
  unsigned long expectOffset = 0;
  for (unsigned i = 0; i < n; ++i) {
    const unsigned long offset = U16(f, 256 + 2 * i) | (U16(f, 12256 + 2 * i) << 16);
    EXPECT_EQ(offset, expectOffset) << i;
    const size_t at = header + offset;
    EXPECT_EQ(U16(f, at), lengths[i]) << i;
    EXPECT_EQ(uint8_t(f[at + 2]), types[i]) << i;
    EXPECT_EQ(uint8_t(f[at + 3]), 0) << i;
    EXPECT_EQ(U32(f, at + 4), times[i]) << i;
    expectOffset += lengths[i];
  }
  // Payloads: the port and unit text; the images; the view's page and editor.
  EXPECT_EQ(uint8_t(f[header + 8]), 7);
  EXPECT_EQ(std::string(f.c_str() + header + 9), "IGNSIM  RSKEY=108.00");
  EXPECT_EQ(uint8_t(f[header + 84 + 8]), 11);
  EXPECT_EQ(uint8_t(f[header + 84 + 1058 + 8]), 22);
  EXPECT_EQ(uint8_t(f[header + 84 + 2 * 1058 + 8]), 3);
  EXPECT_EQ(uint8_t(f[header + 84 + 2 * 1058 + 12]), 41);
  EXPECT_EQ(U16(f, header + 84 + 2 * 1058 + 112 + 8 + 2), 1500u);  // word 1 of the record

  RecordingLoad l = ReadRecording(path);
  ASSERT_TRUE(l.recording) << RecordingErrorMessage(l);
  EXPECT_EQ(l.recording->CountOfType(Rec::Monitor), 2);
  EXPECT_EQ(l.recording->header.ident, "QUNTAR6   RSKEY=108.00   COMPILE=2026_01_02");
}

TEST_F(RecordingTest, WithoutAValidUnitImageTheInitialRecordsAreThree) {
  CMonitorPlayer p(sink_);
  ASSERT_EQ(p.StartRecording(Path("a.ignlog"), Header(), Initial(false), 0), CMonitorPlayer::Event::Started);
  p.StopPlayer();
  const std::string f = Read(Path("a.ignlog"));
  EXPECT_EQ(U16(f, 252), 3u);
  EXPECT_EQ(U16(f, 254), 3u);
}

TEST_F(RecordingTest, AFileThatCannotBeCreatedLeavesThePlayerIdle) {
  CMonitorPlayer p(sink_);
  EXPECT_EQ(p.StartRecording(Path("missing/dir/a.ignlog"), Header(), Initial(), 0),
            CMonitorPlayer::Event::CannotWrite);
  EXPECT_EQ(p.State(), PlayerState::Idle);
  SetLanguage(LNG_CESKY);
  EXPECT_EQ(PlayerMessage(CMonitorPlayer::Event::CannotWrite, "x.ignlog"), "Záznam nelze zapsat:\nx.ignlog");
  EXPECT_EQ(PlayerMessage(CMonitorPlayer::Event::Stopped, "x.ignlog"), "");
}

TEST_F(RecordingTest, RunningRecordingIsRewrittenEveryThirtySeconds) {
  CMonitorPlayer p(sink_);
  const std::string path = Path("long.ignlog");
  ASSERT_EQ(p.StartRecording(path, Header(), Initial(), 0), CMonitorPlayer::Event::Started);
  for (int64_t t = 385; t < 40000; t += 385) {
    p.RecordMonitor(Rpm(int(t / 10)), t);
    p.Tick(t);
  }
  // Killed here: the file on disk is the one written at 30 s, complete and readable.
  RecordingLoad l = ReadRecording(path);
  ASSERT_TRUE(l.recording) << RecordingErrorMessage(l);
  const Recording& r = *l.recording;
  EXPECT_EQ(r.records.back().timeMs, 30030u);  // the last record at the 30 s write
  EXPECT_EQ(r.CountOfType(Rec::Monitor), 78);
  p.StopPlayer();
  EXPECT_EQ(ReadRecording(path).recording->CountOfType(Rec::Monitor), 103);
}

TEST_F(RecordingTest, SixThousandRecordsStopTheRecordingAndTheFilePlays) {
  CMonitorPlayer p(sink_);
  const std::string path = Path("full.ignlog");
  ASSERT_EQ(p.StartRecording(path, Header(), Initial(), 0), CMonitorPlayer::Event::Started);
  CMonitorPlayer::Event e = CMonitorPlayer::Event::None;
  int added = 0;
  while (e == CMonitorPlayer::Event::None && added < 7000) {
    e = p.RecordMonitor(Rpm(added), 10 * added);
    if (e == CMonitorPlayer::Event::None) ++added;
  }
  EXPECT_EQ(e, CMonitorPlayer::Event::Full);
  EXPECT_EQ(
      PlayerMessage(e, path),
      "The recording has reached its limit of 6000 records or 2,000,000 bytes and has stopped. It is saved "
      "in:\n" +
          path);
  EXPECT_EQ(added, 6000 - 4);
  EXPECT_EQ(p.State(), PlayerState::Idle);
  RecordingLoad l = ReadRecording(path);
  ASSERT_TRUE(l.recording) << RecordingErrorMessage(l);
  EXPECT_EQ(l.recording->records.size(), 6000u);
  EXPECT_GT(l.recording->data.size(), 65535u * 10);
  EXPECT_EQ(U16(Read(path), 0), 12256u + 12000u);
}

TEST_F(RecordingTest, TwoMillionBytesStopTheRecordingToo) {
  CMonitorPlayer p(sink_);
  ASSERT_EQ(p.StartRecording(Path("big.ignlog"), Header(), Initial(), 0), CMonitorPlayer::Event::Started);
  CMonitorPlayer::Event e = CMonitorPlayer::Event::None;
  int images = 0;
  while (e == CMonitorPlayer::Event::None && images < 3000) {
    e = p.RecordImage(std::span<const uint8_t>(edited_.data(), 1050), images);
    images += e == CMonitorPlayer::Event::None;
  }
  EXPECT_EQ(e, CMonitorPlayer::Event::Full);
  RecordingLoad l = ReadRecording(Path("big.ignlog"));
  ASSERT_TRUE(l.recording);
  EXPECT_LE(l.recording->data.size(), 2000000u);
  EXPECT_GT(l.recording->data.size() + 1058, 2000000u);
}

// A valid recording of four initial records and three monitor records.
std::string SmallRecording(const std::string& dir, NoteSink& sink) {
  CMonitorPlayer p(sink);
  const std::string path = dir + "/small.ignlog";
  RecordingHeader h;
  h.startTime = 1767225600;
  std::array<uint8_t, 1050> img{};
  InitialRecords in;
  in.edited = std::span<const uint8_t>(img.data(), 1050);
  in.unit = in.edited;
  in.view.page = 2;
  p.StartRecording(path, h, in, 0);
  for (int i = 1; i <= 3; ++i) {
    MonitorRecord r;
    r.bytes[2] = uint8_t(i);
    p.RecordMonitor(r, 100 * i);
  }
  p.StopPlayer();
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST_F(RecordingTest, DamagedFilesAreRefusedWithAMessage) {
  const std::string good = SmallRecording(dir_, sink_);
  ASSERT_TRUE(
      ParseRecording(std::span(reinterpret_cast<const uint8_t*>(good.data()), good.size())).recording);
  const size_t header = 12256 + 2 * 7;
  const struct {
    const char* what;
    std::function<void(std::string&)> spoil;
    RecordingError error;
    const char* text;
  } cases[] = {
      {"empty", [](std::string& f) { f.clear(); }, RecordingError::Truncated, "truncated"},
      {"header cut", [](std::string& f) { f.resize(12000); }, RecordingError::Truncated, "truncated"},
      {"data cut", [](std::string& f) { f.pop_back(); }, RecordingError::DataSize, "damaged"},
      {"data extra", [](std::string& f) { f.push_back(0); }, RecordingError::DataSize, "damaged"},
      {"header length", [](std::string& f) { Put16(f, 0, 12256 + 2); }, RecordingError::HeaderLength,
       "damaged"},
      {"header length odd", [](std::string& f) { Put16(f, 0, 65535); }, RecordingError::HeaderLength,
       "damaged"},
      {"key 109", [](std::string& f) { Put16(f, 60, 109); }, RecordingError::Key,
       "RS keys are not equal (109!=108)"},
      {"no records",
       [](std::string& f) {
         Put16(f, 254, 0);
         Put16(f, 0, 12256);
       },
       RecordingError::Counts, "damaged"},
      {"too many",
       [](std::string& f) {
         Put16(f, 254, 6001);
         Put16(f, 0, 12256);
       },
       RecordingError::Counts, "damaged"},
      {"negative count",
       [](std::string& f) {
         Put16(f, 254, 0xFFFF);
         Put16(f, 0, 12256);
       },
       RecordingError::Counts, "damaged"},
      {"no initial", [](std::string& f) { Put16(f, 252, 0); }, RecordingError::Counts, "damaged"},
      {"initial above count", [](std::string& f) { Put16(f, 252, 8); }, RecordingError::Counts, "damaged"},
      {"data size", [](std::string& f) { Put32(f, 248, U32(f, 248) + 1); }, RecordingError::DataSize,
       "damaged"},
      {"offset outside", [](std::string& f) { Put16(f, 256 + 12, 0xFFF0); }, RecordingError::Offset,
       "damaged"},
      {"high half outside", [](std::string& f) { Put16(f, 12256 + 2, 1); }, RecordingError::Offset,
       "damaged"},
      {"record length 7", [=](std::string& f) { Put16(f, header, 7); }, RecordingError::RecordLength,
       "damaged"},
      {"record past the end", [=](std::string& f) { Put16(f, header + 84 + 2 * 1058 + 112 + 2 * 158, 200); },
       RecordingError::RecordLength, "damaged"},
      {"type length", [=](std::string& f) { f[header + 2] = 4; }, RecordingError::RecordLength, "damaged"},
  };
  for (const auto& c : cases) {
    std::string f = good;
    c.spoil(f);
    Write(Path("bad.ignlog"), f);
    RecordingLoad l = ReadRecording(Path("bad.ignlog"));
    EXPECT_FALSE(l.recording) << c.what;
    EXPECT_EQ(l.error, c.error) << c.what;
    EXPECT_NE(RecordingErrorMessage(l).find(c.text), std::string::npos)
        << c.what << ": " << RecordingErrorMessage(l);
  }
  RecordingLoad missing = ReadRecording(Path("none.ignlog"));
  EXPECT_EQ(missing.error, RecordingError::Open);
  EXPECT_NE(RecordingErrorMessage(missing).find("cannot be read"), std::string::npos);
}

TEST_F(RecordingTest, UnknownRecordTypesAreKeptAndSkipped) {
  std::string f = SmallRecording(dir_, sink_);
  const size_t header = 12256 + 2 * 7;
  f[header + 84 + 2 * 1058 + 112 + 2] = 9;  // the first monitor record becomes type 9
  RecordingLoad l = ParseRecording(std::span(reinterpret_cast<const uint8_t*>(f.data()), f.size()));
  ASSERT_TRUE(l.recording);
  CMonitorPlayer p(sink_);
  p.StartPlaying(std::move(*l.recording), "x", 0);
  p.Tick(1000);
  EXPECT_EQ(sink_.Types(), "EUVMM");
}

}  // namespace
}  // namespace ign::test
