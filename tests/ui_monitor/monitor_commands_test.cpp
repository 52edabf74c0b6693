// The window's CSV log and recorder/player commands: files asked for through
// the chooser, the monitor's state on the menu, the title and the player
// panel, its messages in boxes. (What the commands do is the session's and
// tested there.)
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <filesystem>

#include <QMessageBox>

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
    f.MonitorCommands().chooseFile = [this](bool save, const char*, const char*) {
      saves_.push_back(save);
      return chosen_;
    };
    return f;
  }
  void Click(const char* button) { Find<QToolButton>(button)->click(); }

  // The session's messages before the window shows them.
  std::vector<SessionMessage> Messages(TMainForm& f) { return f.Session().TakeMessages(); }

  std::string chosen_;
  std::vector<bool> saves_;
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
  EXPECT_TRUE(Messages(f).empty());
}

// The reason is shown in a box after the command, and the box holds nothing:
// the window's timer and the session go on under it.
TEST_F(MonitorCommandsTest, CsvLogThatCannotBeCreatedSaysSoInABoxAndDoesNotStart) {
  TMainForm& f = StartWindow();
  chosen_ = dir_.File("missing/log.csv");
  Find<QAction>("MenuCSVout")->trigger();
  EXPECT_EQ(f.findChild<QMessageBox*>("MonitorMessage"), nullptr) << "not inside the command";
  QMessageBox* box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = f.findChild<QMessageBox*>("MonitorMessage")) != nullptr; }));
  EXPECT_TRUE(box->text().contains("missing/log.csv")) << box->text().toStdString();
  EXPECT_FALSE(f.Session().Holding());
  const uint32_t ticks = f.TickCount();
  EXPECT_TRUE(WaitFor([&] { return f.TickCount() > ticks + 2; }));
  EXPECT_FALSE(f.Session().Monitor().Csv().Running());
  EXPECT_EQ(Find<QAction>("MenuCSVout")->text(), "CSV output monitor");
  box->close();
}

TEST_F(MonitorCommandsTest, CancelledDialogsChangeNothing) {
  TMainForm& f = StartWindow();
  chosen_.clear();
  Find<QAction>("MenuCSVout")->trigger();
  Click("SpeedButtonPlay1");
  Click("SpeedButtonPlay2");
  EXPECT_FALSE(f.Session().Monitor().Csv().Running());
  EXPECT_EQ(f.Session().Monitor().Player().State(), PlayerState::Idle);
  EXPECT_TRUE(Messages(f).empty());
}

// A recording started and stopped at once holds only its initial records;
// playing it shows them under a banner, with Program disabled and the
// window's size kept, pauses at the end at once, and Stop gives the tuner's
// image and undo history back.
TEST_F(MonitorCommandsTest, PlaybackIsMarkedAndGivesTheTunersWorkBack) {
  TMainForm& f = StartWindow();
  f.Params().Working()[Adrb::LIMITER] = 90;
  f.CommitImageChange();
  const Image recorded = f.Params().Edited();
  chosen_ = dir_.File("ride.ignlog");
  Click("SpeedButtonPlay1");
  EXPECT_EQ(f.Session().Monitor().Player().State(), PlayerState::Recording);
  EXPECT_FALSE(Find<QLabel>("LabelPlayPos")->isHidden());
  Click("SpeedButtonPlay4");
  EXPECT_EQ(f.Session().Monitor().Player().State(), PlayerState::Idle);
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
  ASSERT_TRUE(WaitFor([&] { return f.Session().Monitor().Player().State() == PlayerState::PlayingPaused; }));
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
  EXPECT_TRUE(Messages(f).empty());
}

}  // namespace
}  // namespace ign::test
