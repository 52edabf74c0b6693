// The session's document commands, with no front end and no unit.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/session/session.h"
#include "tests/session/bare_session.h"

namespace ign {
namespace {

class CountingView : public ISessionView {
 public:
  void ReloadPages() override { ++reloads; }
  void SetUndoButtons(bool canUndo, bool) override { undoEnabled = canUndo; }
  int reloads = 0;
  bool undoEnabled = false;
};

class SessionDocument : public ::testing::Test {
 protected:
  SessionDocument() { session_ = test::MakeBareSession(view_, dir_, config_); }
  // Changes the limiter as a page would and commits it.
  bool EditLimiter(uint8_t value) { return test::EditLimiter(*session_, value); }

  test::TempDir dir_;
  RunConfig config_;
  CountingView view_;
  std::unique_ptr<CSession> session_;
};

TEST_F(SessionDocument, ACommitNormalisesMakesOneUndoStepAndProgramsOnlyWhenAsked) {
  CSettingsDoc& doc = session_->Params();
  const uint8_t before = doc.Edited()[Adrb::LIMITER];
  ASSERT_TRUE(EditLimiter(3));  // below the lowest limiter: normalised
  EXPECT_EQ(doc.Edited()[Adrb::LIMITER], 10);
  EXPECT_EQ(doc.ChangeMarks()[Adrb::LIMITER], 1);
  EXPECT_GE(view_.reloads, 1) << "the pages show the normalised value";
  EXPECT_TRUE(view_.undoEnabled);
  EXPECT_EQ(session_->Machine().PendingRequest(), Request::None);
  EXPECT_FALSE(EditLimiter(10)) << "no change, no undo step";

  session_->SetProgramAfterChange(true);
  ASSERT_TRUE(EditLimiter(120));
  EXPECT_EQ(session_->Machine().PendingRequest(), Request::ProgramChanged);

  session_->Undo().Undo();
  EXPECT_EQ(doc.Edited()[Adrb::LIMITER], 10);
  session_->Undo().Undo();
  EXPECT_EQ(doc.Edited()[Adrb::LIMITER], before);
  EXPECT_FALSE(session_->Undo().CanUndo());
}

TEST_F(SessionDocument, PlaybackGivesTheDocumentAndItsUndoHistoryBack) {
  CSettingsDoc& doc = session_->Params();
  ASSERT_TRUE(EditLimiter(90));
  ASSERT_TRUE(EditLimiter(95));
  Image unit = doc.Edited();
  unit[Adrb::RETARD] ^= 1;
  doc.SetUnit(unit, true);
  const Image work = doc.Edited();

  EXPECT_FALSE(session_->RestoreAfterPlayback()) << "nothing kept yet";
  session_->KeepForPlayback();
  Image played = work;
  played[Adrb::LIMITER] = 50;
  doc.Replace(played);
  doc.ForgetUnit();
  session_->Undo().ResetUndo();  // the played images are not the tuner's steps
  ASSERT_TRUE(session_->PlaybackKept());

  ASSERT_TRUE(session_->RestoreAfterPlayback());
  EXPECT_FALSE(session_->PlaybackKept());
  EXPECT_EQ(doc.Edited(), work);
  EXPECT_EQ(doc.Unit(), unit);
  EXPECT_TRUE(doc.UnitValid());
  EXPECT_FALSE(doc.IdenticalToUnit());
  ASSERT_TRUE(session_->Undo().CanUndo());
  session_->Undo().Undo();
  EXPECT_EQ(doc.Edited()[Adrb::LIMITER], 90);
}

// The update check must not take the program away while a unit operation is
// asked for or runs; a request waiting for its step counts.
TEST_F(SessionDocument, ARequestedOperationCountsAsRunning) {
  EXPECT_FALSE(session_->OperationRunning());
  session_->Machine().RequestReset();
  EXPECT_TRUE(session_->OperationRunning());
}

}  // namespace
}  // namespace ign
