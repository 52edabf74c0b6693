// The Servo page: the unit switch (cells, one undo step, one programming),
// the copy rule of unused columns, SERVO_MAP from the collapse states and
// the boxes that only the servo's own sensor allows.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTabWidget>

#include "core/params/normalise.h"
#include "pages_fixture.h"
#include "session_pages_fixture.h"
#include "ui/pages/servo_map.h"
#include "ui/pages/servo_page.h"

namespace ign {
namespace {

using test::PagesFixture;
using PagesOnSession = test::SessionPagesFixture;

class ServoFixture : public PagesOnSession {
 protected:
  CTabModel& Model() { return Pages().PageAs<TServoPage>(Page::Servo)->Model(); }
  CSheet& Sheet() { return Model().Sheet(0); }
  int32_t Now() { return int32_t(stand_->TickCount()); }
  // A servo of its own, switched on, with a load sensor and map mode.
  void Prepare(int loadSensor, int mode) {
    Img()[Adrb::SERVO_SENSOR] = 0;
    Img()[Adrb::SERVO_ENABLE] = 1;
    Img()[Adrb::TPSIAP_SENSOR] = uint8_t(loadSensor);
    Img()[Adrb::SERVO_MAP] = uint8_t(mode);
  }
  void SetAllCells(uint8_t value) {
    for (int i = 0; i < kMapCells; ++i) Img()[size_t(Adrb::SERVO + i)] = value;
  }
};

TEST_F(ServoFixture, PercentSwitchConvertsEveryCellAndBackInOneUndoStepEach) {
  StartOn(Page::Servo).show();
  Prepare(1, 2);
  Img()[Adrb::SERVO_PERCENT] = 0;
  SetAllCells(250);
  Img()[size_t(Adrb::SERVO + 7)] = 123;  // 49.2 % rounds to 49, back to 122.5 -> 123
  Img()[size_t(Adrb::SERVO + 8)] = 1;    // 0.4 % rounds to 0: lost to the rounding
  stand_->CommitImageChange();
  const Image volts = Img();
  auto* percent = Find<QCheckBox>("CheckBoxServoProcenta");
  ASSERT_TRUE(percent->isEnabled());

  percent->click();
  EXPECT_EQ(Img()[Adrb::SERVO_PERCENT], 1);
  EXPECT_EQ(Img()[Adrb::SERVO], 100);
  EXPECT_EQ(Img()[size_t(Adrb::SERVO + kMapCells - 1)], 100);
  EXPECT_EQ(Img()[size_t(Adrb::SERVO + 7)], 49);
  EXPECT_EQ(Img()[size_t(Adrb::SERVO + 8)], 0);
  EXPECT_EQ(Sheet().data.maximum, 100);
  EXPECT_EQ(Sheet().data.scale, 1.0);
  EXPECT_EQ(Sheet().data.label, "STPS [%]");
  EXPECT_EQ(Sheet().data.colour, kServoPercentColour);
  const Image percentImage = Img();

  // One undo step gives the volt map back whole.
  stand_->Undo().Undo();
  EXPECT_EQ(Img(), volts);
  stand_->Undo().Redo();
  EXPECT_EQ(Img(), percentImage);

  percent->click();
  EXPECT_EQ(Img()[Adrb::SERVO_PERCENT], 0);
  EXPECT_EQ(Img()[Adrb::SERVO], 250);
  EXPECT_EQ(Img()[size_t(Adrb::SERVO + 7)], 123);
  EXPECT_EQ(Img()[size_t(Adrb::SERVO + 8)], 0);
  EXPECT_EQ(Sheet().data.label, "STPS [V]");
  EXPECT_EQ(Sheet().data.colour, kServoVoltColour);
  stand_->Undo().Undo();
  EXPECT_EQ(Img(), percentImage);
}

TEST_F(ServoFixture, ColumnsBeyondTheUsedCountStoreAsCopiesOfTheLastUsedColumn) {
  StartOn(Page::Servo);
  Prepare(1, 2);
  Img()[Adrb::SERVO_COLUMNS] = 15;
  for (int r = 0; r < kMapRows; ++r)
    for (int c = 0; c < kMapCols; ++c) Img()[size_t(Adrb::SERVO + 15 * r + c)] = uint8_t(10 * r + c);
  stand_->CommitImageChange();
  Sheet().x.count = 8;
  ASSERT_TRUE(Model().StoreTypedValue(7, 4, "1.5", Now()));  // 75 steps of 0.02 V
  EXPECT_EQ(Img()[Adrb::SERVO_COLUMNS], 8);
  for (int r = 0; r < kMapRows; ++r) {
    const int last = r == 4 ? 75 : 10 * r + 7;
    for (int c = 7; c < kMapCols; ++c)
      EXPECT_EQ(Img()[size_t(Adrb::SERVO + 15 * r + c)], last) << r << "," << c;
    EXPECT_EQ(Img()[size_t(Adrb::SERVO + 15 * r + 6)], 10 * r + 6);
  }
}

TEST_F(ServoFixture, MapModeFollowsTheCollapseStatesAndBack) {
  StartOn(Page::Servo);
  Prepare(1, 0);
  struct Case {
    int sensor, mode;
    bool xCollapsed, yCollapsed;
    int stored;
  };
  const Case cases[] = {
      {1, 0, false, true, 0},  {1, 1, true, false, 1}, {1, 2, false, false, 2},
      {2, 2, false, false, 2}, {2, 1, true, false, 1}, {0, 2, false, true, 0},  // no sensor: rpm only
  };
  for (const Case& c : cases) {
    Img()[Adrb::TPSIAP_SENSOR] = uint8_t(c.sensor);
    Img()[Adrb::SERVO_MAP] = uint8_t(c.mode);
    stand_->CommitImageChange();
    EXPECT_EQ(bool(Sheet().x.collapsed), c.xCollapsed) << c.sensor << "/" << c.mode;
    EXPECT_EQ(bool(Sheet().y.collapsed), c.yCollapsed) << c.sensor << "/" << c.mode;
    Img()[Adrb::SERVO_MAP] = 99;
    stand_->StoreActivePage();
    EXPECT_EQ(Img()[Adrb::SERVO_MAP], c.stored) << c.sensor << "/" << c.mode;
  }
  // The tuner's "use both" from a one-dimensional map.
  Img()[Adrb::TPSIAP_SENSOR] = 1;
  Img()[Adrb::SERVO_MAP] = 0;
  stand_->CommitImageChange();
  Model().Sheet(0).y.collapsed = 0;
  Model().NotifyChange(Change::kAll, Batch::kReportNow, Now());
  EXPECT_EQ(Img()[Adrb::SERVO_MAP], 2);
}

TEST_F(ServoFixture, PressurePointsGoToServoIapOnlyWithThePressureSensor) {
  StartOn(Page::Servo);
  for (int r = 0; r < kMapRows; ++r) SetWord(Img(), Adrw::SERVO_IAP + r, uint16_t(20 + 30 * r));
  Prepare(2, 2);
  stand_->CommitImageChange();
  EXPECT_EQ(Sheet().y.unit, "IAP");
  ASSERT_TRUE(Model().StoreTypedValue(-1, 9, "900", Now()));
  EXPECT_EQ(GetWord(Img(), Adrw::SERVO_IAP + 9), 900);
  // With the throttle sensor its fixed points show and the pressure points stay.
  Img()[Adrb::TPSIAP_SENSOR] = 1;
  stand_->CommitImageChange();
  EXPECT_EQ(Sheet().y.values[1], 2);
  ASSERT_TRUE(Model().StoreTypedValue(0, 0, "2", Now()));
  EXPECT_EQ(GetWord(Img(), Adrw::SERVO_IAP + 9), 900);
  EXPECT_EQ(GetWord(Img(), Adrw::SERVO_IAP + 1), 50);
}

TEST_F(ServoFixture, SynchroIapSensorLocksTheBoxesAndTheSheetFollowsServoEnable) {
  StartOn(Page::Servo).show();
  Prepare(1, 2);
  stand_->CommitImageChange();
  auto* enable = Find<QCheckBox>("CheckBoxServoEnable");
  EXPECT_TRUE(enable->isEnabled());
  EXPECT_TRUE(Find<QCheckBox>("CheckBoxServoProcenta")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("EditServoHyster")->isVisible());
  EXPECT_TRUE(Sheet().enabled);

  // Disabling the sheet in the editor switches the servo off, and the box follows.
  Sheet().enabled = 0;
  Model().NotifyChange(Change::kAll, Batch::kReportNow, Now());
  EXPECT_EQ(Img()[Adrb::SERVO_ENABLE], 0);
  EXPECT_FALSE(enable->isChecked());
  EXPECT_FALSE(Find<QWidget>("EditServoHyster")->isVisible());
  EXPECT_FALSE(Find<QWidget>("EditServoNo")->isVisible());
  enable->click();
  EXPECT_EQ(Img()[Adrb::SERVO_ENABLE], 1);
  EXPECT_TRUE(Sheet().enabled);

  Img()[Adrb::SERVO_SENSOR] = 1;
  stand_->CommitImageChange();
  EXPECT_FALSE(enable->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("CheckBoxServoProcenta")->isEnabled());
  EXPECT_EQ(Img()[Adrb::SERVO_ENABLE], 0);  // normalisation: no servo output with the synchro IAP
}

TEST_F(ServoFixture, MillivoltSettingsStoreInStepsOfFive) {
  StartOn(Page::Servo);
  Img()[Adrb::SERVO_ENABLE] = 1;
  Img()[Adrb::SERVO_HYSTER] = 255;
  Img()[Adrb::SERVO_NO] = 7;
  stand_->CommitImageChange();
  EXPECT_EQ(UpDown("EditServoHyster")->value(), 1275);
  EXPECT_EQ(UpDown("EditServoNo")->value(), 35);
  UpDown("EditServoNo")->setValue(1250);
  stand_->StoreActivePage();
  EXPECT_EQ(Img()[Adrb::SERVO_NO], 250);
}

// The pages under a host that counts the undo steps and the programming
// requests of one commit.
class CountingHost : public IPagesHost {
 public:
  CSettingsDoc& Params() override { return params; }
  void NormaliseImage() override { params.Normalise(); }
  bool Snapshot() override {
    if (params.Edited() == last) return false;
    last = params.Edited();
    ++snapshots;
    return true;
  }
  bool ProgramAfterChange() const override { return true; }
  void RequestProgramChanged() override { ++programs; }
  QWidget* ProgramAfterChangeBox() override { return nullptr; }
  int32_t Tick() const override { return 0; }
  bool StartupComplete() const override { return true; }
  void NewDefaults(int) override {}
  void SetBikeChanged() override {}
  void ApplyBikePreset() override {}

  CSettingsDoc params;
  Image last{};
  int snapshots = 0, programs = 0;
};

TEST_F(ServoFixture, UnitSwitchInsideTheCommitProgramsOnce) {
  StartOn(Page::Servo);
  CountingHost host;
  host.params.Replace(Img());
  host.params.Working()[Adrb::SERVO_SENSOR] = 0;
  host.params.Working()[Adrb::SERVO_PERCENT] = 0;
  host.last = host.params.Edited();
  QTabWidget tabs;
  TPages pages(host, &tabs);
  pages.Build();
  tabs.setCurrentIndex(Page::Servo);
  pages.LoadPages(true);
  auto* percent = tabs.findChild<QCheckBox*>("CheckBoxServoProcenta");
  ASSERT_NE(percent, nullptr);
  percent->click();
  EXPECT_EQ(host.params.Edited()[Adrb::SERVO_PERCENT], 1);
  EXPECT_EQ(host.snapshots, 1);
  EXPECT_EQ(host.programs, 1);
  percent->click();
  EXPECT_EQ(host.params.Edited()[Adrb::SERVO_PERCENT], 0);
  EXPECT_EQ(host.snapshots, 2);
  EXPECT_EQ(host.programs, 2);
}

}  // namespace
}  // namespace ign
