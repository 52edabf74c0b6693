// Playing a recording: initial records, the recorded pace, pause, the end,
// position jumps, and the panel's texts and buttons.
#include "core/monitor/local_time.h"
#include "core/monitor/recording_reader.h"
#include "recording_fixture.h"

namespace ign::test {
namespace {

class PlayerTest : public RecordingTest {
 protected:
  // A recording with monitor records at the given times (rpm = index + 1).
  Recording Make(const std::vector<int64_t>& times) {
    CMonitorPlayer rec(sink_);
    EXPECT_EQ(rec.StartRecording(Path("p.ignlog"), Header(), Initial(), 0), CMonitorPlayer::Event::Started);
    for (size_t i = 0; i < times.size(); ++i) rec.RecordMonitor(Rpm(int(i) + 1), times[i]);
    rec.StopPlayer();
    RecordingLoad l = ReadRecording(Path("p.ignlog"));
    EXPECT_TRUE(l.recording) << RecordingErrorMessage(l);
    return std::move(*l.recording);
  }
  // Ticks every 55 ms from `from` until `to`, noting the time of each tick.
  void Run(CMonitorPlayer& p, int64_t from, int64_t to) {
    for (int64_t t = from; t <= to; t += 55) {
      sink_.now = t;
      p.Tick(t);
    }
  }
  std::vector<int> MonitorRpms() const {
    std::vector<int> v;
    for (const Applied& a : sink_.notes)
      if (a.type == 'M') v.push_back(a.value);
    return v;
  }
};

TEST_F(PlayerTest, InitialRecordsFirstThenTheRecordedPaceWithinOneTick) {
  std::vector<int64_t> times;
  for (int64_t t = 385; t <= 300000; t += 385 + (t % 7)) times.push_back(t);  // five minutes, uneven gaps
  Recording r = Make(times);
  CMonitorPlayer p(sink_);
  sink_.now = 10000;
  p.StartPlaying(std::move(r), Path("p.ignlog"), 10000);
  EXPECT_EQ(sink_.Types(), "EUV");
  EXPECT_EQ(p.State(), PlayerState::Playing);
  Run(p, 10055, 10000 + 301000);
  ASSERT_EQ(MonitorRpms().size(), times.size());
  int64_t worst = 0;
  for (size_t i = 0; i < times.size(); ++i) {
    const int64_t late = sink_.notes[3 + i].at - 10000 - times[i];
    EXPECT_GE(late, 0) << i;
    worst = std::max(worst, late);
  }
  EXPECT_LT(worst, 55);                              // never more than one tick late, however long the ride
  EXPECT_EQ(p.State(), PlayerState::PlayingPaused);  // paused at the end
  EXPECT_EQ(sink_.last.Byte(Mon::KEY), 108);         // the key comes from the header
}

TEST_F(PlayerTest, RecordsOfOneTickAreAppliedTogether) {
  CMonitorPlayer p(sink_);
  p.StartPlaying(Make({100, 110, 120, 400}), "x", 0);
  sink_.notes.clear();
  sink_.now = 130;
  p.Tick(130);
  EXPECT_EQ(MonitorRpms(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(p.Position(), 3);
}

TEST_F(PlayerTest, StartAndStopRecordingPausesAtItsEndAtOnce) {
  CMonitorPlayer p(sink_);
  p.StartPlaying(Make({}), "x", 0);
  EXPECT_EQ(p.Length(), 1);
  p.Tick(55);
  EXPECT_EQ(p.State(), PlayerState::PlayingPaused);
  EXPECT_EQ(sink_.Types(), "EUV");
}

TEST_F(PlayerTest, PauseHoldsThePaceAndPlayGoesOn) {
  CMonitorPlayer p(sink_);
  p.StartPlaying(Make({1000, 2000}), "x", 0);
  p.Tick(1000);
  EXPECT_EQ(MonitorRpms().size(), 1u);
  p.Pause(1100);
  EXPECT_EQ(p.State(), PlayerState::PlayingPaused);
  p.Tick(5000);  // nothing while paused
  EXPECT_EQ(MonitorRpms().size(), 1u);
  EXPECT_TRUE(p.ResumePlaying(11100));  // ten seconds of pause
  p.Tick(11900);
  EXPECT_EQ(MonitorRpms().size(), 1u);
  p.Tick(12000);
  EXPECT_EQ(MonitorRpms().size(), 2u);
}

TEST_F(PlayerTest, PlayAtTheEndStartsOver) {
  CMonitorPlayer p(sink_);
  p.StartPlaying(Make({100}), "x", 0);
  p.Tick(100);
  p.Tick(155);
  ASSERT_EQ(p.State(), PlayerState::PlayingPaused);
  sink_.notes.clear();
  EXPECT_TRUE(p.ResumePlaying(1000));
  EXPECT_EQ(p.Position(), 0);
  EXPECT_EQ(sink_.Types(), "EUV");  // the state of the start again
  p.Tick(1100);
  EXPECT_EQ(sink_.Types(), "EUVM");
}

TEST_F(PlayerTest, ScrollBarJumps) {
  CMonitorPlayer p(sink_);
  p.StartPlaying(Make({100, 200, 300, 400}), "x", 0);
  EXPECT_EQ(p.Length(), 5);
  EXPECT_EQ(p.View(0).barMaximum, 4);
  sink_.notes.clear();
  p.PlayPosChange(3, 50);
  EXPECT_EQ(MonitorRpms(), (std::vector<int>{3}));  // only the record at that position
  sink_.notes.clear();
  p.PlayPosChange(0, 60);
  EXPECT_EQ(sink_.Types(), "EUV");  // position 0: the initial records again
  sink_.notes.clear();
  p.PlayPosChange(99, 70);
  EXPECT_EQ(MonitorRpms(), (std::vector<int>{4}));
}

TEST_F(PlayerTest, NoHighHalvesAndMoreThan64KiBOfDataPlayInOrder) {
  std::vector<int64_t> times;
  for (int i = 0; i < 600; ++i) times.push_back(10 * (i + 1));  // 600 x 158 bytes: past 64 KiB
  Make(times);
  std::string f = Read(Path("p.ignlog"));
  const unsigned n = U16(f, 254);
  // Drop the high halves: header length 12256.
  f.erase(12256, 2 * n);
  Put16(f, 0, 12256);
  Write(Path("nohigh.ignlog"), f);
  RecordingLoad l = ReadRecording(Path("nohigh.ignlog"));
  ASSERT_TRUE(l.recording) << RecordingErrorMessage(l);
  ASSERT_GT(l.recording->data.size(), 65535u);
  CMonitorPlayer p(sink_);
  p.StartPlaying(std::move(*l.recording), "x", 0);
  p.Tick(100000);
  std::vector<int> expected;
  for (int i = 1; i <= 600; ++i) expected.push_back(i);
  EXPECT_EQ(MonitorRpms(), expected);
}

TEST_F(PlayerTest, PanelTextsAndButtonsByState) {
  CMonitorPlayer p(sink_);
  PlayerView v = p.View(0);
  EXPECT_EQ(v.buttons, (std::array<bool, 4>{true, true, false, false}));
  EXPECT_FALSE(v.labelsVisible);
  EXPECT_FALSE(v.barVisible);

  ASSERT_EQ(p.StartRecording(Path("r.ignlog"), Header(), Initial(), 1000), CMonitorPlayer::Event::Started);
  v = p.View(13500);
  EXPECT_EQ(v.position, "Recording (4) 12 seconds");
  EXPECT_EQ(v.file, Path("r.ignlog"));
  EXPECT_EQ(v.buttons, (std::array<bool, 4>{false, false, true, true}));
  EXPECT_FALSE(v.barVisible);
  p.Pause(14000);
  EXPECT_EQ(p.View(20000).position, "Recording (4) - pause");
  EXPECT_EQ(p.View(20000).buttons, (std::array<bool, 4>{true, false, false, true}));
  EXPECT_EQ(p.RecordMonitor(Rpm(1), 15000), CMonitorPlayer::Event::None);  // nothing while paused
  EXPECT_TRUE(p.ResumeRecording(24000));
  p.RecordMonitor(Rpm(1), 25000);
  p.StopPlayer();
  RecordingLoad l = ReadRecording(Path("r.ignlog"));
  ASSERT_TRUE(l.recording);
  EXPECT_EQ(l.recording->records.size(), 5u);
  EXPECT_EQ(l.recording->records.back().timeMs, 14000u);  // the pause does not count

  p.StartPlaying(std::move(*l.recording), Path("r.ignlog"), 0);
  v = p.View(0);
  EXPECT_EQ(v.position.substr(0, 11), "Play (0) 20");  // the time of the initial records
  EXPECT_TRUE(v.barVisible);
  EXPECT_TRUE(v.deviceVisible);
  EXPECT_EQ(v.device, "COM7: IGNSIM  RSKEY=108.00");
  EXPECT_EQ(v.buttons, (std::array<bool, 4>{false, false, true, true}));
  p.Tick(14000);
  v = p.View(14000);
  const LocalTime t = LocalFromUnix(1767225600 + 14, 0);
  char when[64];
  std::snprintf(when, sizeof when, "Play (1) - pause %04i_%02i_%02i %02i:%02i:%02i.00", t.year, t.month,
                t.day, t.hour, t.minute, t.second);
  EXPECT_EQ(v.position, when);
  EXPECT_EQ(v.buttons, (std::array<bool, 4>{false, true, false, true}));
  EXPECT_EQ(v.barPosition, 1);
  p.StopPlayer();
  EXPECT_EQ(p.State(), PlayerState::Idle);
}

}  // namespace
}  // namespace ign::test
