// The Power out page against the simulated unit: with "Programming after
// change" ticked, a function change is programmed like any other commit,
// and only the bytes it changed are sent.
#include <QAction>
#include <QCheckBox>

#include "core/base/atomic_file.h"
#include "core/device/engine.h"
#include "pages_fixture.h"
#include "tests/support/sim_process.h"
#include "ui/pages/power_out_maps.h"

namespace ign {
namespace {

using test::PagesFixture;
using test::WaitFor;

TEST_F(PagesFixture, FunctionChangeProgramsOnlyTheChangedBytes) {
  test::SimOptions options;
  options.com = 6;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  ASSERT_TRUE(StartAndRead(Page::PowerOut));
  TMainForm& f = *form_;
  // A whole programming leaves nothing marked as changed: what the click
  // marks after it is its own.
  const uint32_t afterRead = f.Engine().Machine().LastOutcome().sequence;
  Find<QAction>("MenuProgram")->trigger();
  ASSERT_TRUE(WaitFor(
      [&] { return f.Engine().Machine().LastOutcome().sequence > afterRead && f.Engine().Machine().Idle(); },
      30000));
  ASSERT_EQ(std::count(f.Params().ChangeMarks().begin(), f.Params().ChangeMarks().end(), 1), 0);
  Find<QCheckBox>("CheckBoxProgHned")->setChecked(true);

  // Output 1 to a function it does not have yet; the gear shift light brings
  // its own rpm points, load points, masks and hysteresis.
  Image& img = f.Params().Working();
  const int target = img[Adrb::POWER_OUT_FUNCTION] == PowerOutFunction::kShiftLight
                         ? PowerOutFunction::kFuelPump
                         : PowerOutFunction::kShiftLight;
  const Image before = img;
  const uint32_t programs = f.Engine().Machine().LastOutcome().sequence;
  auto* group = Find<TRadioGroup>("RadioGroupPOut1");
  for (int i = 0; i < group->Count(); ++i)
    if (group->Value(i) == target) group->Button(i)->click();
  ASSERT_EQ(img[Adrb::POWER_OUT_FUNCTION], target);

  // The bytes marked for programming are exactly the bytes that changed.
  std::vector<int> changed, marked;
  for (int i = 0; i < RS_LEN_EXE; ++i) {
    if (img[size_t(i)] != before[size_t(i)]) changed.push_back(i);
    if (f.Params().ChangeMarks()[size_t(i)]) marked.push_back(i);
  }
  ASSERT_FALSE(changed.empty());
  EXPECT_EQ(marked, changed);

  // The unit's block holds them after one programming.
  const Image expected = img;
  ASSERT_TRUE(WaitFor(
      [&] {
        const std::string unit = test::UnitImage(sim);
        return unit.size() >= size_t(RS_LEN_EXE) && uint8_t(unit[Adrb::POWER_OUT_FUNCTION]) == target;
      },
      30000));
  ASSERT_TRUE(WaitFor([&] { return f.Engine().Machine().Idle(); }, 30000));
  EXPECT_EQ(f.Engine().Machine().LastOutcome().sequence, programs + 1);
  EXPECT_TRUE(Succeeded(f.Engine().Machine().LastOutcome().result));
  const std::string unit = test::UnitImage(sim);
  for (int i : changed) EXPECT_EQ(uint8_t(unit[size_t(i)]), expected[size_t(i)]) << "byte " << i;
  EXPECT_EQ(std::count(f.Params().ChangeMarks().begin(), f.Params().ChangeMarks().end(), 1), 0);
}

}  // namespace
}  // namespace ign
