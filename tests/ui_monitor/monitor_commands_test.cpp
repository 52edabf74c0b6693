// The window's CSV log and recorder/player commands: files asked for through
// the chooser, messages recorded instead of shown.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <filesystem>

#include "core/monitor/recording_reader.h"
#include "tests/ui/form_fixture.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/monitor/live_display.h"

namespace ign::test {
namespace {

class MonitorCommandsTest : public FormFixture {
 protected:
  TMainForm& StartWindow() {
    TMainForm& f = Start({"ignset", "nopatchcheck"});
    TMonitorCommands& m = f.Monitor();
    m.chooseFile = [this](bool save, const char*, const char*) {
      saves_.push_back(save);
      return chosen_;
    };
    m.message = [this](const std::string& text) { messages_.push_back(text); };
    return f;
  }
  void Click(const char* button) { Find<QToolButton>(button)->click(); }

  std::string chosen_;
  std::vector<bool> saves_;
  std::vector<std::string> messages_;
};

TEST_F(MonitorCommandsTest, CsvLogRunsUnderItsMenuItemAndShowsInTheTitle) {
  TMainForm& f = StartWindow();
  QAction* item = Find<QAction>("MenuCSVout");
  ASSERT_TRUE(item->isEnabled());
  chosen_ = dir_.File("log.csv");
  item->trigger();
  EXPECT_EQ(saves_, std::vector<bool>{true});
  EXPECT_EQ(item->text(), "Stop CSV recording");
  EXPECT_TRUE(f.windowTitle().contains("(CSV output: log.csv)")) << f.windowTitle().toStdString();
  item->trigger();
  EXPECT_EQ(item->text(), "CSV output monitor");
  EXPECT_FALSE(f.windowTitle().contains("CSV output"));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(chosen_, text));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);  // the two header lines, no row without a unit
  EXPECT_EQ(text.rfind("Time;", 0), 0u);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(MonitorCommandsTest, CsvLogThatCannotBeCreatedSaysSoAndDoesNotStart) {
  TMainForm& f = StartWindow();
  chosen_ = dir_.File("missing/log.csv");
  Find<QAction>("MenuCSVout")->trigger();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("missing/log.csv"), std::string::npos) << messages_[0];
  EXPECT_FALSE(f.LiveDisplay().Csv().Running());
  EXPECT_EQ(Find<QAction>("MenuCSVout")->text(), "CSV output monitor");
}

TEST_F(MonitorCommandsTest, CancelledDialogsChangeNothing) {
  TMainForm& f = StartWindow();
  chosen_.clear();
  Find<QAction>("MenuCSVout")->trigger();
  Click("SpeedButtonPlay1");
  Click("SpeedButtonPlay2");
  EXPECT_FALSE(f.LiveDisplay().Csv().Running());
  EXPECT_EQ(f.Monitor().Player().State(), PlayerState::Idle);
  EXPECT_TRUE(messages_.empty());
}

// A recording started and stopped at once holds only its initial records;
// playing it shows them, pauses at the end at once, and Stop gives the
// tuner's image, file name and undo history back.
TEST_F(MonitorCommandsTest, PlaybackGivesTheTunersWorkBack) {
  TMainForm& f = StartWindow();
  f.Params().Working()[Adrb::LIMITER] = 90;
  f.CommitImageChange();
  const Image recorded = f.Params().Edited();
  chosen_ = dir_.File("ride.ignlog");
  Click("SpeedButtonPlay1");
  EXPECT_EQ(f.Monitor().Player().State(), PlayerState::Recording);
  EXPECT_FALSE(Find<QLabel>("LabelPlayPos")->isHidden());
  Click("SpeedButtonPlay4");
  EXPECT_EQ(f.Monitor().Player().State(), PlayerState::Idle);
  const RecordingLoad load = ReadRecording(chosen_);
  ASSERT_TRUE(load.recording) << RecordingErrorMessage(load);
  EXPECT_EQ(load.recording->initialCount, int(load.recording->records.size()));
  EXPECT_EQ(load.recording->CountOfType(2), 1);

  // The tuner goes on working, then plays the ride.
  f.Params().Working()[Adrb::LIMITER] = 95;
  f.CommitImageChange();
  const Image work = f.Params().Edited();
  const bool couldUndo = f.Undo().CanUndo();
  f.show();
  QApplication::processEvents();
  const QSize size = f.size();
  auto* banner = Find<QLabel>("LabelPlayback");
  ASSERT_NE(banner, nullptr);
  EXPECT_TRUE(banner->isHidden());
  Click("SpeedButtonPlay2");
  EXPECT_EQ(saves_.back(), false);
  EXPECT_EQ(f.Params().Edited()[Adrb::LIMITER], recorded[Adrb::LIMITER]);
  EXPECT_FALSE(Find<QAction>("MenuProgram")->isEnabled());
  ASSERT_TRUE(WaitFor([&] { return f.Monitor().Player().State() == PlayerState::PlayingPaused; }));
  EXPECT_FALSE(Find<QScrollBar>("ScrollBarPlay")->isHidden());
  EXPECT_FALSE(Find<QLabel>("LabelPlayDevice")->isHidden());
  // Played data is marked as such, and the window keeps its size for it.
  EXPECT_FALSE(banner->isHidden());
  EXPECT_TRUE(banner->text().startsWith("PLAYBACK: ride.ignlog")) << banner->text().toStdString();
  EXPECT_TRUE(banner->text().endsWith("(paused)")) << banner->text().toStdString();
  QApplication::processEvents();
  EXPECT_EQ(f.size(), size);
  Click("SpeedButtonPlay4");
  EXPECT_TRUE(banner->isHidden());
  QApplication::processEvents();
  EXPECT_EQ(f.size(), size);
  EXPECT_EQ(f.Params().Edited(), work);
  EXPECT_EQ(f.Undo().CanUndo(), couldUndo);
  EXPECT_TRUE(Find<QScrollBar>("ScrollBarPlay")->isHidden());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(MonitorCommandsTest, ADamagedRecordingGivesAMessageAndChangesNothing) {
  TMainForm& f = StartWindow();
  chosen_ = dir_.File("bad.ignlog");
  ASSERT_TRUE(WriteFileAtomically(chosen_, std::string(300, '\x07')));
  const Image before = f.Params().Edited();
  Click("SpeedButtonPlay2");
  EXPECT_EQ(messages_.size(), 1u);
  EXPECT_EQ(f.Monitor().Player().State(), PlayerState::Idle);
  EXPECT_EQ(f.Params().Edited(), before);
}

TEST_F(MonitorCommandsTest, ARecordingThatCannotBeWrittenSaysSo) {
  TMainForm& f = StartWindow();
  chosen_ = dir_.File("missing/ride.ignlog");
  Click("SpeedButtonPlay1");
  EXPECT_EQ(messages_.size(), 1u);
  EXPECT_EQ(f.Monitor().Player().State(), PlayerState::Idle);
}

}  // namespace
}  // namespace ign::test
