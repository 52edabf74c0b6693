// The pages against the simulated unit: programming after change takes only
// the changed bytes, once per settled change; undo from another page
// programs the restored byte.
#include <QAction>
#include <QCheckBox>
#include <QLabel>

#include "core/base/atomic_file.h"
#include "core/device/engine.h"
#include "pages_fixture.h"
#include "tests/support/sim_process.h"

namespace ign {
namespace {

using test::PagesFixture;
using test::WaitFor;

TEST_F(PagesFixture, TenLimiterClicksProgramOnceAndUndoProgramsTheRestoredByte) {
  test::SimOptions options;
  options.com = 7;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  ASSERT_TRUE(StartAndRead(Page::Misc));
  TMainForm& f = *form_;
  Find<QCheckBox>("CheckBoxProgHned")->setChecked(true);

  const uint8_t before = f.Params().Edited()[Adrb::LIMITER];
  const uint32_t programs = f.Engine().Machine().LastOutcome().sequence;
  TUpDown* limiter = UpDown("EditLimiter");
  for (int i = 0; i < 10; ++i) limiter->stepBy(-1);  // the timer settles them
  ASSERT_TRUE(WaitFor([&] { return uint8_t(test::UnitImage(sim)[Adrb::LIMITER]) == before - 10; }, 30000));
  ASSERT_TRUE(WaitFor([&] { return f.Engine().Machine().Idle(); }, 30000));
  // One programming, of the changed byte only: every mark is cleared again.
  EXPECT_EQ(f.Engine().Machine().LastOutcome().sequence, programs + 1);
  EXPECT_EQ(std::count(f.Params().ChangeMarks().begin(), f.Params().ChangeMarks().end(), 1), 0);

  f.ShowPage(Page::Bike);
  Find<QAction>("MenuZpet")->trigger();
  EXPECT_EQ(f.ActivePageIndex(), Page::Misc);  // the page of the change
  EXPECT_EQ(limiter->value(), before * 100);
  ASSERT_TRUE(WaitFor([&] { return uint8_t(test::UnitImage(sim)[Adrb::LIMITER]) == before; }, 30000));
}

}  // namespace
}  // namespace ign
