#include <gtest/gtest.h>

#include "core/app/undo_ring.h"

namespace ign {
namespace {

class NullStatus : public IStatus {
 public:
  void ShowStatus(int, const char*, int, uint32_t, uint32_t, int) override {}
  void RefreshTitle() override {}
};

class Host : public IUndoHost {
 public:
  int ActivePage() const override { return page; }
  void ShowPage(int p) override {
    page = p;
    shown.push_back(p);
  }
  void LoadPages(int) override { ++loads; }
  void WriteSettings() override { ++writes; }
  void SetUndoButtons(bool u, bool r) override {
    canUndo = u;
    canRedo = r;
  }
  bool ProgramAfterChange() const override { return progAfterChange; }
  void RequestProgramChanged() override { ++programRequests; }
  int page = 0, loads = 0, writes = 0, programRequests = 0;
  bool canUndo = true, canRedo = true, progAfterChange = false;
  std::vector<int> shown;
};

class UndoTest : public ::testing::Test {
 protected:
  void SetUp() override { ring.ResetUndo(); }
  void Commit(int byte, int value, int onPage) {
    host.page = onPage;
    params.Working()[byte] = uint8_t(value);
    ring.TakeSnapshot();
  }
  NullStatus status;
  CSettingsDoc params{&status};
  Host host;
  CUndoRing ring{params, host};
};

TEST_F(UndoTest, StartsWithBothDisabledAndWritesTheSettings) {
  EXPECT_FALSE(host.canUndo);
  EXPECT_FALSE(host.canRedo);
  EXPECT_EQ(host.writes, 1);
}

TEST_F(UndoTest, UnchangedImageAddsNoStep) {
  const int writes = host.writes;
  EXPECT_FALSE(ring.TakeSnapshot());
  EXPECT_FALSE(host.canUndo);
  EXPECT_EQ(host.writes, writes);
}

TEST_F(UndoTest, AtMost199StepsCanBeUndone) {
  for (int i = 1; i <= 200; ++i) Commit(i, i, 0);
  int undone = 0;
  while (ring.CanUndo() && undone < 1000) {
    ring.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 199);
  // The oldest kept entry is the state after the first commit.
  EXPECT_EQ(params.Edited()[1], 1);
  EXPECT_EQ(params.Edited()[2], 0);
  ring.Undo();  // refused
  EXPECT_EQ(params.Edited()[1], 1);
  EXPECT_FALSE(host.canUndo);
  EXPECT_TRUE(host.canRedo);
}

TEST_F(UndoTest, UndoShowsThePageOfTheChangeAndRedoThePageOfTheRedoneChange) {
  Commit(Adrb::SERVO_NO, 7, 5);  // a change on the Servo page
  Commit(Adrb::LIMITER, 90, 0);  // then one on the Misc page
  host.page = 1;                 // the Bike page is shown now
  ring.Undo();
  EXPECT_EQ(host.page, 0);
  EXPECT_EQ(params.Edited()[Adrb::LIMITER], 0);
  ring.Undo();
  EXPECT_EQ(host.page, 5);
  EXPECT_EQ(params.Edited()[Adrb::SERVO_NO], 0);
  host.page = 2;
  ring.Redo();
  EXPECT_EQ(host.page, 5);
  EXPECT_EQ(params.Edited()[Adrb::SERVO_NO], 7);
}

TEST_F(UndoTest, NewChangeAfterUndoClearsRedo) {
  Commit(10, 1, 0);
  Commit(11, 1, 0);
  ring.Undo();
  EXPECT_TRUE(host.canRedo);
  Commit(12, 1, 0);
  EXPECT_FALSE(host.canRedo);
  ring.Redo();
  EXPECT_EQ(params.Edited()[11], 0);
}

TEST_F(UndoTest, UndoMarksRestoredBytesAndProgramsThemWhenAsked) {
  Commit(Adrb::RETARD, 9, 0);
  params.ClearMarks();
  host.progAfterChange = true;
  ring.Undo();
  EXPECT_EQ(params.Edited()[Adrb::RETARD], 0);
  EXPECT_EQ(params.ChangeMarks()[Adrb::RETARD], 1);
  EXPECT_EQ(host.programRequests, 1);
  host.progAfterChange = false;
  ring.Redo();
  EXPECT_EQ(host.programRequests, 1);
}

}  // namespace
}  // namespace ign
