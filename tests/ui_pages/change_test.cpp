// From a user's action to one commit: stepping settles 5 ticks after the last
// step, everything else commits at once, and nothing reloads a page over a
// pending change.
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>

#include "core/app/default_ini.h"
#include "pages_fixture.h"
#include "ui/app/main_menu.h"

namespace ign {
namespace {

using test::PagesFixture;

TEST_F(PagesFixture, TenClicksGiveOneCommitFiveTicksAfterTheLast) {
  StartOn(Page::Misc);
  TUpDown* limiter = UpDown("EditLimiter");
  const uint8_t before = Img()[Adrb::LIMITER];
  for (int i = 0; i < 10; ++i) {
    limiter->stepBy(1);
    Tick();
  }
  Tick(3);  // 4 ticks after the last click: still pending
  EXPECT_EQ(Img()[Adrb::LIMITER], before);
  EXPECT_TRUE(Pages().ChangePending());
  Tick();
  EXPECT_EQ(Img()[Adrb::LIMITER], before + 10);
  EXPECT_FALSE(Pages().ChangePending());
  std::array<uint8_t, RS_LEN_EXE> saved{};
  ReadImageFile(SettingsFile("default.ini"), saved.data(), saved.size());
  EXPECT_EQ(saved[Adrb::LIMITER], before + 10);  // written at the commit
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_EQ(Img()[Adrb::LIMITER], before);
}

// A click and, within 5 ticks, something that reloads or replaces the page:
// the change is committed first and on the page it was made on.
TEST_F(PagesFixture, PendingChangeSurvivesPageSwitchAndLanguageSwitch) {
  struct Case {
    const char* name;
    std::function<void(TMainForm&)> action;
  } cases[] = {
      {"another tab", [](TMainForm& f) { f.ShowPage(Page::Bike); }},
      {"language", [](TMainForm& f) { f.MenuLanguageClick(LNG_DEUTSCH); }},
      {"undo", [](TMainForm& f) { f.MainMenu().Item("MenuZpet")->trigger(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMainForm& f = StartOn(Page::Misc);
    Img()[Adrb::RETARD] ^= 1;
    f.CommitImageChange();  // an earlier step, so that undo is offered
    const uint8_t before = Img()[Adrb::LIMITER];
    UpDown("EditLimiter")->stepBy(1);
    Tick(2);
    c.action(f);
    if (std::string(c.name) == "undo") {
      // The undo takes back exactly the committed click.
      EXPECT_EQ(Img()[Adrb::LIMITER], before);
      EXPECT_TRUE(f.Undo().CanRedo());
    } else {
      EXPECT_EQ(Img()[Adrb::LIMITER], before + 1);
      Tick(10);
      EXPECT_EQ(Img()[Adrb::LIMITER], before + 1);
      EXPECT_EQ(UndoDepth(), 2);
    }
    SetLanguage(LNG_ENGLISH);
    form_.reset();
  }
}

TEST_F(PagesFixture, ClickThenCheckBoxGiveOneCommitCarryingBoth) {
  StartOn(Page::Advance);
  const uint8_t base = Img()[Adrb::BASE_ADV];
  const uint8_t out2 = Img()[Adrb::ADV2TOOUT2];
  UpDown("EditBaseAdv")->stepBy(1);
  Tick(2);
  Find<QCheckBox>("CheckBoxAdv2ToOut2")->click();
  EXPECT_EQ(Img()[Adrb::BASE_ADV], base + 1);
  EXPECT_EQ(Img()[Adrb::ADV2TOOUT2], out2 ? 0 : 1);
  EXPECT_FALSE(Pages().ChangePending());
  EXPECT_EQ(UndoDepth(), 1);
}

TEST_F(PagesFixture, EnterCommitsAtOnceAndMovesTheFocus) {
  TMainForm& f = StartOn(Page::Misc);
  f.show();
  QApplication::setActiveWindow(&f);
  TUpDown* limiter = UpDown("EditLimiter");
  limiter->setFocus();
  ASSERT_TRUE(limiter->hasFocus());
  Type(limiter, "9000");
  EXPECT_EQ(Img()[Adrb::LIMITER], 110);  // typing alone takes nothing
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(limiter, &enter);
  EXPECT_EQ(Img()[Adrb::LIMITER], 90);
  EXPECT_NE(QApplication::focusWidget(), limiter);
  EXPECT_EQ(UndoDepth(), 1);
}

TEST_F(PagesFixture, FocusLossCommitsTypedText) {
  TMainForm& f = StartOn(Page::Misc);
  f.show();
  QApplication::setActiveWindow(&f);
  TUpDown* limiter = UpDown("EditLimiter");
  limiter->setFocus();
  Type(limiter, "12345");
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(limiter, &out);
  EXPECT_EQ(Img()[Adrb::LIMITER], 123);
  EXPECT_EQ(limiter->EditText(), "12,300");  // the stored value, shown back at once
}

TEST_F(PagesFixture, LoadingAllPagesCommitsNothing) {
  TMainForm& f = Start();
  const Image before = Img();
  Img()[Adrb::LIMITER] = 150;
  Img()[Adrb::CHANNEL_COUNT] = 3;
  Pages().LoadPages(true);
  Tick(8);
  EXPECT_FALSE(f.Undo().CanUndo());
  EXPECT_EQ(Img()[Adrb::LIMITER], 150);
  EXPECT_EQ(UpDown("EditLimiter")->value(), 15000);
  (void)before;
}

TEST_F(PagesFixture, ChangeThatNormalisationUndoesAddsNoStepAndProgramsNothing) {
  TMainForm& f = StartOn(Page::Bike);
  Img()[Adrb::BIKE] = 255;
  Img()[Adrb::PICKUP_SYSTEM] = 0;  // one lobe: normalisation keeps the lobe count at 1
  f.CommitImageChange();
  Find<QCheckBox>("CheckBoxProgHned")->setChecked(true);
  f.Undo().ResetUndo();
  TUpDown* lobes = UpDown("EditPocPalcu");
  ASSERT_EQ(lobes->value(), 1);
  lobes->stepBy(1);
  Tick(6);
  EXPECT_EQ(Img()[Adrb::LOBE_COUNT], 1);
  EXPECT_EQ(lobes->value(), 1);  // shown back at once
  EXPECT_FALSE(f.Undo().CanUndo());
  EXPECT_NE(f.Engine().Machine().PendingRequest(), Request::ProgramChanged);
}

}  // namespace
}  // namespace ign
