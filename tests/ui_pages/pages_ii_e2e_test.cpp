// The Servo page against the simulated unit: with programming after change,
// a servo unit switch (converted cells committed inside the commit of the
// box) programs once, and the unit's block holds the converted map.
#include <QAction>
#include <QCheckBox>

#include "core/base/atomic_file.h"
#include "core/device/engine.h"
#include "pages_fixture.h"
#include "tests/support/sim_process.h"

namespace ign {
namespace {

using test::PagesFixture;
using test::WaitFor;

bool UnitHolds(const test::SimProcess& sim, const Image& img, int from, int count) {
  const std::string unit = test::UnitImage(sim);
  if (unit.size() < size_t(from + count)) return false;
  for (int i = from; i < from + count; ++i)
    if (uint8_t(unit[size_t(i)]) != img[size_t(i)]) return false;
  return true;
}

TEST_F(PagesFixture, ServoUnitSwitchProgramsOnceAndTheUnitHoldsTheConvertedMap) {
  test::SimOptions options;
  options.com = 7;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  ASSERT_TRUE(StartAndRead(Page::Sensors));
  TMainForm& f = *form_;
  Find<QCheckBox>("CheckBoxProgHned")->setChecked(true);

  // The servo's own sensor, so that its unit can be switched.
  if (Img()[Adrb::SERVO_SENSOR] != 0) {
    Find<TRadioGroup>("RadioGroupSensorServa")->Button(0)->click();
    ASSERT_TRUE(WaitFor([&] { return uint8_t(test::UnitImage(sim)[Adrb::SERVO_SENSOR]) == 0; }, 30000));
  }
  f.ShowPage(Page::Servo);
  ASSERT_TRUE(WaitFor([&] { return f.Engine().Machine().Idle(); }, 30000));
  const uint32_t programs = f.Engine().Machine().LastOutcome().sequence;
  const bool wasPercent = Img()[Adrb::SERVO_PERCENT] != 0;

  auto* percent = Find<QCheckBox>("CheckBoxServoProcenta");
  ASSERT_TRUE(percent->isEnabled());
  percent->click();
  ASSERT_EQ(Img()[Adrb::SERVO_PERCENT] != 0, !wasPercent);
  ASSERT_TRUE(WaitFor(
      [&] { return uint8_t(test::UnitImage(sim)[Adrb::SERVO_PERCENT]) == Img()[Adrb::SERVO_PERCENT]; },
      30000));
  ASSERT_TRUE(WaitFor([&] { return f.Engine().Machine().Idle(); }, 30000));
  EXPECT_EQ(f.Engine().Machine().LastOutcome().sequence, programs + 1);
  EXPECT_TRUE(UnitHolds(sim, Img(), Adrb::SERVO, kMapCells));
  EXPECT_EQ(std::count(f.Params().ChangeMarks().begin(), f.Params().ChangeMarks().end(), 1), 0);
}

}  // namespace
}  // namespace ign
