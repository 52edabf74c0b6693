// The load points and map modes the unit receives, against the simulated
// unit: what the Advance Map editor shows is what the unit runs.
#include <QAction>
#include <QLabel>
#include <QToolButton>

#include "core/base/atomic_file.h"
#include "core/device/engine.h"
#include "pages_fixture.h"
#include "tests/support/sim_process.h"

namespace ign {
namespace {

using test::PagesFixture;
using test::WaitFor;

class LoadAxisE2e : public PagesFixture {
 protected:
  CTabModel& Model() { return Pages().PageAs<TAdvancePage>(Page::Advance)->Model(); }
  // Programs and waits until the unit has saved this programming.
  bool Program() {
    const CCommMachine& m = form_->Engine().Machine();
    const uint32_t before = m.LastOutcome().sequence;
    Find<QToolButton>("ButtonProgram")->click();
    return WaitFor(
        [&] {
          return m.LastOutcome().sequence != before && m.LastOutcome().operation == Operation::Program &&
                 m.LastOutcome().result == Result::Saved;
        },
        30000);
  }
  static int Word(const std::string& image, int word) {
    return uint8_t(image[size_t(2 * word)]) | (uint8_t(image[size_t(2 * word + 1)]) << 8);
  }
};

TEST_F(LoadAxisE2e, ThrottleSensorGivesTheUnitTheThrottlePointsAndNoSensorNoLoadMode) {
  test::SimOptions options;
  options.com = 8;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  ASSERT_TRUE(StartAndRead(Page::Advance));
  TMainForm& f = *form_;

  // The unit holds pressure points from an earlier set-up; the tuner runs a
  // throttle sensor with two-dimensional sheets and edits one cell.
  for (int r = 0; r < 10; ++r) SetWord(f.Params().Working(), Adrw::ADV_IAP + r, uint16_t(30 + 10 * r));
  f.Params().Working()[Adrb::TPSIAP_SENSOR] = 1;
  f.Params().Working()[Adrb::ADV_MAP] = 1;
  f.Params().Working()[Adrb::ADV2_MAP] = 1;
  ASSERT_TRUE(f.CommitImageChange());
  ASSERT_TRUE(Model().StoreTypedValue(3, 4, "21", int32_t(f.TickCount())));
  ASSERT_TRUE(Program());
  const std::string unit = test::UnitImage(sim);
  const int throttle[10] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
  for (int r = 0; r < 10; ++r) EXPECT_EQ(Word(unit, Adrw::ADV_IAP + r), throttle[r]) << r;

  // No load sensor: a store makes every map an rpm curve for the unit.
  f.Params().Working()[Adrb::TPSIAP_SENSOR] = 0;
  f.Params().Working()[Adrb::SERVO_MAP] = 2;
  ASSERT_TRUE(f.CommitImageChange());
  f.ShowPage(Page::Servo);
  f.StoreActivePage();
  f.ShowPage(Page::Advance);
  ASSERT_TRUE(Program());  // stores the page in front first
  const std::string after = test::UnitImage(sim);
  EXPECT_EQ(uint8_t(after[Adrb::ADV_MAP]), 0);
  EXPECT_EQ(uint8_t(after[Adrb::ADV2_MAP]), 0);
  EXPECT_EQ(uint8_t(after[Adrb::SERVO_MAP]), 0);
}

}  // namespace
}  // namespace ign
