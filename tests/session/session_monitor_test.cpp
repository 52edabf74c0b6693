// The session's live monitor with no front end and no unit: the CSV log, the
// recorder and player, and the display updates it hands to its view.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/atomic_file.h"
#include "core/monitor/recording_reader.h"
#include "core/session/session.h"
#include "core/text/language.h"
#include "tests/session/bare_session.h"

namespace ign {
namespace {

// A front end that draws nothing and remembers what it was asked to do.
class MonitorView : public ISessionView {
 public:
  LiveOptions LiveDisplayOptions() const override { return options; }
  void LiveShown(const DisplayModel& model) override {
    shown.push_back(model.live.rpm);
    refreshes += model.refreshPages;
    last = model;
  }
  void MonitorChanged() override { ++changes; }
  int ActivePage() const override { return page; }
  void ShowPage(int p) override { page = p; }
  ViewRecord CurrentView() const override {
    ViewRecord v;
    v.page = uint8_t(page);
    v.editorIds[0] = 7;
    v.sheets[0] = uint8_t(sheet);
    return v;
  }
  void ApplyView(const ViewRecord& v) override {
    applied.push_back(v);
    page = v.page;
  }
  void PlayedImageApplied() override { ++playedImages; }
  void FileNameChanged() override { ++fileNames; }

  LiveOptions options;
  std::vector<int> shown;
  DisplayModel last;
  int refreshes = 0;
  int changes = 0;
  int page = 2;
  int sheet = 0;
  std::vector<ViewRecord> applied;
  int playedImages = 0;
  int fileNames = 0;
};

// A monitor answer as the unit sends it: index 0 unused, words little-endian.
std::array<uint8_t, kMonitorRecordLen> Answer(int rpm, uint8_t pickup = 0) {
  std::array<uint8_t, kMonitorRecordLen> r{};
  r[2 * Mon::RPM] = uint8_t(rpm & 0xFF);
  r[2 * Mon::RPM + 1] = uint8_t(rpm >> 8);
  r[Mon::PICKUP] = pickup;
  return r;
}

class SessionMonitor : public ::testing::Test {
 protected:
  SessionMonitor() {
    SetLanguage(LNG_ENGLISH);
    session_ = test::MakeBareSession(view_, dir_, config_);
    Monitor().SetClock([this] { return now_; });
  }
  CSessionMonitor& Monitor() { return session_->Monitor(); }
  std::vector<SessionMessage> Messages() { return session_->TakeMessages(); }
  bool EditLimiter(uint8_t value) { return test::EditLimiter(*session_, value); }
  // A ride of three monitor answers 1 s apart, with a change of the limiter
  // and of the map sheet after the first.
  std::string RecordRide() {
    const std::string path = dir_.File("ride.ignlog");
    RecordingHeader header;
    header.startTime = 1700000000;
    EXPECT_TRUE(Monitor().StartRecording(path, header));
    now_ += 1000;
    Monitor().TakeRecord(Answer(1500).data());
    EXPECT_TRUE(EditLimiter(80));
    view_.sheet = 1;
    Monitor().RecordView();
    now_ += 1000;
    Monitor().TakeRecord(Answer(2500).data());
    now_ += 1000;
    Monitor().TakeRecord(Answer(3500).data());
    Monitor().StopPlayer();
    EXPECT_EQ(Monitor().Player().State(), PlayerState::Idle);
    return path;
  }

  test::TempDir dir_;
  RunConfig config_;
  MonitorView view_;
  std::unique_ptr<CSession> session_;
  int64_t now_ = 5000;
};

TEST_F(SessionMonitor, WithoutDataTheRecordIsClearedAndNothingIsLogged) {
  ASSERT_TRUE(Monitor().StartCsv(dir_.File("log.csv")));
  Monitor().TakeRecord(Answer(5000).data());
  EXPECT_FALSE(Monitor().LiveData());
  EXPECT_EQ(Monitor().Record().Word(Mon::RPM), 0);
  EXPECT_FALSE(view_.last.live.valid);
  Monitor().StopCsv();
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir_.File("log.csv"), text));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << "the two header lines, no row without a unit";
}

TEST_F(SessionMonitor, ACsvLogThatCannotBeCreatedIsOneMessageAndDoesNotStart) {
  const int changes = view_.changes;
  EXPECT_FALSE(Monitor().StartCsv(dir_.File("missing/log.csv")));
  EXPECT_FALSE(Monitor().Csv().Running());
  EXPECT_GT(view_.changes, changes) << "the menu item and the title are told";
  const std::vector<SessionMessage> m = Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].kind, SessionMessage::Kind::Monitor);
  EXPECT_FALSE(m[0].holding);
  EXPECT_NE(m[0].text.find("missing/log.csv"), std::string::npos) << m[0].text;
}

// The ride is recorded from the session's own records; played back, every
// answer is shown and logged with its recorded time, the recorded image and
// view are applied, and Stop gives the tuner's image, undo history, file
// name and page back.
TEST_F(SessionMonitor, APlayedRideIsShownAndLoggedAndTheTunersWorkComesBack) {
  const std::string ride = RecordRide();
  const RecordingLoad load = ReadRecording(ride);
  ASSERT_TRUE(load.recording) << RecordingErrorMessage(load);
  EXPECT_EQ(load.recording->CountOfType(Rec::Monitor), 3);
  EXPECT_EQ(load.recording->CountOfType(Rec::EditedImage), 2);  // initial and the change

  ASSERT_TRUE(EditLimiter(95));
  session_->Files().session.currentFile = "tuned.ign";
  view_.page = 4;
  const Image work = session_->Params().Edited();
  ASSERT_TRUE(session_->Undo().CanUndo());
  ASSERT_TRUE(Monitor().StartCsv(dir_.File("played.csv")));
  view_.shown.clear();

  ASSERT_TRUE(Monitor().PlayFile(ride));
  EXPECT_TRUE(Monitor().Playing());
  // The ride's settings are not the tuner's: they never go to the unit.
  EXPECT_EQ(session_->CheckProgram().verdict, Verdict::Refuse);
  session_->SetProgramAfterChange(true);
  ASSERT_TRUE(EditLimiter(70));
  EXPECT_EQ(session_->Machine().PendingRequest(), Request::None);
  session_->SetProgramAfterChange(false);
  EXPECT_TRUE(Monitor().LiveData());
  EXPECT_NE(session_->Params().Edited()[Adrb::LIMITER], 95) << "the recorded image is shown";
  now_ += 10000;
  Monitor().Tick();
  EXPECT_EQ(view_.shown, (std::vector<int>{1500, 2500, 3500}));
  EXPECT_EQ(session_->Params().Edited()[Adrb::LIMITER], 80);
  EXPECT_GE(view_.playedImages, 2);
  ASSERT_FALSE(view_.applied.empty());
  EXPECT_EQ(view_.applied.back().sheets[0], 1);
  EXPECT_EQ(view_.applied.back().page, 2);
  EXPECT_NE(Monitor().PlaybackBanner().find("PLAYBACK: ride.ignlog"), std::string::npos);

  Monitor().StopPlayer();
  EXPECT_FALSE(Monitor().Playing());
  EXPECT_EQ(session_->Params().Edited(), work);
  EXPECT_EQ(session_->Files().session.currentFile, "tuned.ign");
  EXPECT_EQ(view_.fileNames, 1);
  EXPECT_EQ(view_.page, 4);
  EXPECT_TRUE(session_->Undo().CanUndo());
  session_->Undo().Undo();
  EXPECT_EQ(session_->Params().Edited()[Adrb::LIMITER], 80) << "the undo history is the tuner's";
  EXPECT_EQ(Monitor().PlaybackBanner(), "");
  EXPECT_EQ(Monitor().Record().Word(Mon::RPM), 0) << "no data once playback stops";

  Monitor().StopCsv();
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir_.File("played.csv"), text));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 3);
  // The rows carry the recorded times of day, one second apart.
  const LocalTime t = LocalFromUnix(1700000000 + 2, 0);
  char second[16];
  std::snprintf(second, sizeof second, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  EXPECT_NE(text.find(second), std::string::npos) << text;
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SessionMonitor, ADamagedRecordingIsOneMessageAndChangesNothing) {
  const std::string bad = dir_.File("bad.ignlog");
  ASSERT_TRUE(WriteFileAtomically(bad, std::string(300, '\x07')));
  const Image before = session_->Params().Edited();
  EXPECT_FALSE(Monitor().PlayFile(bad));
  EXPECT_EQ(Monitor().Player().State(), PlayerState::Idle);
  EXPECT_EQ(session_->Params().Edited(), before);
  EXPECT_FALSE(session_->PlaybackKept());
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(SessionMonitor, ARecordingThatCannotBeWrittenIsOneMessage) {
  EXPECT_FALSE(Monitor().StartRecording(dir_.File("missing/ride.ignlog"), RecordingHeader{}));
  EXPECT_EQ(Monitor().Player().State(), PlayerState::Idle);
  const std::vector<SessionMessage> m = Messages();
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].kind, SessionMessage::Kind::Monitor);
}

// Played answers drive the display like the unit's: the pages refresh once
// per change of the second pick-up, and a proprietary value follows the
// front end's signed option.
TEST_F(SessionMonitor, TheDisplayFollowsTheSecondPickupAndTheSignedOption) {
  const std::string path = dir_.File("pickup.ignlog");
  ASSERT_TRUE(Monitor().StartRecording(path, RecordingHeader{}));
  for (uint8_t pickup : {0, 1 << PickupBit::PICKUP2_RUN, 1 << PickupBit::PICKUP2_RUN, 0}) {
    now_ += 100;
    Monitor().TakeRecord(Answer(3000, pickup).data());
  }
  Monitor().StopPlayer();
  view_.refreshes = 0;
  ASSERT_TRUE(Monitor().PlayFile(path));
  now_ += 10000;
  Monitor().Tick();
  EXPECT_EQ(view_.refreshes, 2);

  Monitor().Record().bytes[2 * (Mon::TEST + 5)] = 0xFF;
  Monitor().Record().bytes[2 * (Mon::TEST + 5) + 1] = 0xFF;
  Monitor().Show();
  EXPECT_EQ(*view_.last.labels.at("LabelPropMon1").text, "Prop1 = 65535 ");
  view_.options.propSigned[0] = true;
  Monitor().Show();
  EXPECT_EQ(*view_.last.labels.at("LabelPropMon1").text, "Prop1 = -1 ");
  Monitor().StopPlayer();
}

}  // namespace
}  // namespace ign
