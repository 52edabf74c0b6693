// The Sensors page: the calibration editors by load sensor, the TP buttons
// with and without live values, the pressure calibration both ways and the
// load-sensor items in every language.
#include <gtest/gtest.h>

#include <QPushButton>

#include "pages_fixture.h"
#include "session_pages_fixture.h"
#include "ui/mapedit/map_editor.h"
#include "ui/pages/sensors_page.h"

namespace ign {
namespace {

using test::PagesFixture;
using PagesOnSession = test::SessionPagesFixture;

class SensorsFixture : public PagesOnSession {
 protected:
  TSensorsPage& Page() { return *Pages().PageAs<TSensorsPage>(ign::Page::Sensors); }
  int32_t Now() { return int32_t(stand_->TickCount()); }
  void LoadWith(int loadSensor, int servoSensor = 0) {
    Img()[Adrb::TPSIAP_SENSOR] = uint8_t(loadSensor);
    Img()[Adrb::SERVO_SENSOR] = uint8_t(servoSensor);
    stand_->CommitImageChange();
  }
  void FeedVoltage(bool valid, int32_t millivolts) {
    LiveFeed live;
    live.valid = valid;
    live.loadSensor = 1;
    live.sensorVoltage = millivolts;
    Pages().SetLive(live);
  }
};

TEST_F(SensorsFixture, CalibrationEditorsAndButtonsFollowTheLoadSensor) {
  StartOn(Page::Sensors).show();
  struct Case {
    int sensor;
    bool throttle, pressure;
  };
  for (const Case c : {Case{0, false, false}, Case{1, true, false}, Case{2, false, true}}) {
    LoadWith(c.sensor);
    EXPECT_EQ(Page().ThrottleEditor()->isVisible(), c.throttle) << c.sensor;
    EXPECT_EQ(Find<QPushButton>("BitBtnTps0")->isVisible(), c.throttle) << c.sensor;
    EXPECT_EQ(Find<QPushButton>("BitBtnTps100")->isVisible(), c.throttle) << c.sensor;
    EXPECT_EQ(Page().PressureEditor()->isVisible(), c.pressure) << c.sensor;
    EXPECT_FALSE(Find<QWidget>("RadioGroupCidloLambdaMode")->isVisible());
    EXPECT_TRUE(Find<QWidget>("RadioGroupSensorServa")->isVisible());
    EXPECT_EQ(Find<TRadioGroup>("RadioGroupTpsIap")->ItemIndex(), c.sensor);
  }
}

TEST_F(SensorsFixture, ChoosingTheLoadSensorCommitsAndShowsItsEditor) {
  StartOn(Page::Sensors).show();
  LoadWith(0);
  Find<TRadioGroup>("RadioGroupTpsIap")->Button(2)->click();
  EXPECT_EQ(Img()[Adrb::TPSIAP_SENSOR], 2);
  EXPECT_TRUE(Page().PressureEditor()->isVisible());
  EXPECT_TRUE(stand_->Undo().CanUndo());
}

TEST_F(SensorsFixture, TpButtonCopiesTheLiveVoltageOnlyWhileLiveValuesExist) {
  StartOn(Page::Sensors).show();
  SetWord(Img(), Adrw::TPS, 500);
  SetWord(Img(), Adrw::TPS + 1, 4000);
  LoadWith(1);
  auto* tps100 = Find<QPushButton>("BitBtnTps100");
  auto* tps0 = Find<QPushButton>("BitBtnTps0");
  // No unit: the buttons cannot be pressed, and a press writes nothing.
  EXPECT_FALSE(tps100->isEnabled());
  EXPECT_FALSE(tps0->isEnabled());
  Page().TpsButtonClick(1);
  EXPECT_EQ(GetWord(Img(), Adrw::TPS + 1), 4000);

  FeedVoltage(true, 4321);
  ASSERT_TRUE(tps100->isEnabled());
  tps100->click();
  EXPECT_EQ(GetWord(Img(), Adrw::TPS + 1), 4321);
  EXPECT_EQ(GetWord(Img(), Adrw::TPS), 500);
  FeedVoltage(true, 612);
  tps0->click();
  EXPECT_EQ(GetWord(Img(), Adrw::TPS), 612);
  // The buttons follow the live values through every reload.
  EXPECT_EQ(tps0->isEnabled(), Pages().Live().valid);
  FeedVoltage(false, 0);
  EXPECT_FALSE(tps0->isEnabled());
  stand_->ReloadActivePage();
  EXPECT_FALSE(tps100->isEnabled());
}

TEST_F(SensorsFixture, PressureCalibrationGoesIntoItsFourWordsAndBack) {
  StartOn(Page::Sensors);
  const uint16_t words[4] = {20, 450, 250, 4600};
  for (int i = 0; i < 4; ++i) SetWord(Img(), Adrw::IAP_SENSOR + i, words[i]);
  LoadWith(2);
  const CSheet& sheet = Page().PressureModel().Sheet(0);
  EXPECT_EQ(sheet.y.values[0], 20);
  EXPECT_EQ(sheet.y.values[1], 250);
  EXPECT_EQ(sheet.Cell(sheet.x.collapsedIndex, 0), 450);
  EXPECT_EQ(sheet.Cell(sheet.x.collapsedIndex, 1), 4600);
  EXPECT_EQ(sheet.data.scale, 0.001);

  // Typed in volts and kilopascals, stored in millivolts and kilopascals.
  CTabModel& model = Page().PressureModel();
  ASSERT_TRUE(model.StoreTypedValue(-1, 1, "105", Now()));
  ASSERT_TRUE(model.StoreTypedValue(sheet.x.collapsedIndex, 1, "4.05", Now()));
  ASSERT_TRUE(model.StoreTypedValue(sheet.x.collapsedIndex, 0, "0.3", Now()));
  EXPECT_EQ(GetWord(Img(), Adrw::IAP_SENSOR), 20);
  EXPECT_EQ(GetWord(Img(), Adrw::IAP_SENSOR + 1), 300);
  EXPECT_EQ(GetWord(Img(), Adrw::IAP_SENSOR + 2), 105);
  EXPECT_EQ(GetWord(Img(), Adrw::IAP_SENSOR + 3), 4050);
  // Out of range: the voltage stops at 5 V.
  ASSERT_TRUE(model.StoreTypedValue(sheet.x.collapsedIndex, 1, "7", Now()));
  EXPECT_EQ(GetWord(Img(), Adrw::IAP_SENSOR + 3), 5000);
}

TEST_F(SensorsFixture, ThrottleCalibrationCellsAreTypedInVolts) {
  StartOn(Page::Sensors);
  LoadWith(1);
  CTabModel& model = Page().ThrottleModel();
  const CSheet& sheet = model.Sheet(0);
  EXPECT_TRUE(sheet.x.collapsed);
  EXPECT_EQ(sheet.x.collapsible, Collapsible::kByOwner);
  EXPECT_EQ(sheet.y.values[0], 0);
  EXPECT_EQ(sheet.y.values[1], 100);
  EXPECT_FALSE(sheet.y.editable);
  EXPECT_EQ(sheet.flags, 0x7A2u);
  ASSERT_TRUE(model.StoreTypedValue(sheet.x.collapsedIndex, 0, "0,45", Now()));
  EXPECT_EQ(GetWord(Img(), Adrw::TPS), 450);
}

TEST_F(SensorsFixture, LoadSensorItemsFollowTheServoSensorInEveryLanguage) {
  auto& f = StartOn(Page::Sensors);
  struct Case {
    int language;
    const char* none;
  };
  for (const Case c : {Case{LNG_ENGLISH, "No"}, Case{LNG_DEUTSCH, "keinen"}, Case{LNG_CESKY, "Žádný"}}) {
    f.MenuLanguageClick(c.language);
    for (int servo : {0, 1}) {
      LoadWith(1, servo);
      auto* group = Find<TRadioGroup>("RadioGroupTpsIap");
      ASSERT_EQ(group->Count(), 3);
      EXPECT_EQ(group->Button(0)->text(), QString::fromUtf8(c.none)) << c.language;
      EXPECT_EQ(group->Button(1)->text(), "TP");
      EXPECT_EQ(group->Button(2)->text(), servo == 0 ? "IAP+Synchro IAP" : "IAP") << c.language;
      EXPECT_EQ(group->ItemIndex(), 1) << "the selection survives the rebuild";
    }
  }
}

TEST_F(SensorsFixture, RefreshNeverChangesTheImageNorCommits) {
  StartOn(Page::Sensors);
  for (int sensor : {0, 1, 2, 3})
    for (int servo : {0, 1}) {
      Img()[Adrb::TPSIAP_SENSOR] = uint8_t(sensor);
      Img()[Adrb::SERVO_SENSOR] = uint8_t(servo);
      Img()[Adrb::SERVO_ENABLE] = 1;
      Img()[Adrb::SERVO_MAP] = 7;
      SetWord(Img(), Adrw::TPS + 1, 9999);
      const Image before = Img();
      for (int p : {ign::Page::Sensors, ign::Page::Servo, ign::Page::Test}) Pages().PageAt(p)->Refresh(Img());
      Pages().RefreshPages(true);
      Tick(6);
      EXPECT_EQ(Img(), before) << sensor << "/" << servo;
      EXPECT_FALSE(stand_->Undo().CanUndo());
    }
}

}  // namespace
}  // namespace ign
