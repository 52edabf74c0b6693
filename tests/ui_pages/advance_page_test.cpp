// The Advance Map page: the sheets by load sensor, the copy rule both ways,
// the base-advance marker, the corrections and the live mark.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>

#include "core/mapedit/commands.h"
#include "pages_fixture.h"
#include "session_pages_fixture.h"
#include "ui/app/main_menu.h"

namespace ign {
namespace {

using test::PagesFixture;
using PagesOnSession = test::SessionPagesFixture;

class AdvanceFixture : public PagesOnSession {
 protected:
  CTabModel& Model() { return Pages().PageAs<TAdvancePage>(Page::Advance)->Model(); }
  int32_t Now() { return int32_t(stand_->TickCount()); }
  void LoadWithSensor(int sensor, int mode1, int mode2) {
    Img()[Adrb::TPSIAP_SENSOR] = uint8_t(sensor);
    Img()[Adrb::ADV_MAP] = uint8_t(mode1);
    Img()[Adrb::ADV2_MAP] = uint8_t(mode2);
    stand_->CommitImageChange();
  }
};

TEST_F(AdvanceFixture, WithoutLoadSensorBothSheetsAreSingleRpmCurves) {
  StartOn(Page::Advance);
  LoadWithSensor(0, 1, 1);
  ASSERT_EQ(Model().SheetCount(), 2);
  for (int s = 0; s < 2; ++s) {
    const CSheet& sheet = Model().Sheet(s);
    EXPECT_TRUE(sheet.y.collapsed) << s;
    EXPECT_EQ(sheet.y.collapsible, Collapsible::kByOwner) << s;
    EXPECT_EQ(sheet.y.collapsedIndex, 9) << s;
    EXPECT_EQ(sheet.x.unit, "RPM");
    EXPECT_EQ(sheet.flags, 0x701u);
  }
  EXPECT_EQ(Model().Sheet(0).name, "###Advance 1##Vorzündung 1##Předstih 1");
  EXPECT_EQ(Model().Sheet(1).curveColour, 0xFF0000u);
  // Without a sensor the unit must not read load: a store clears both mode bytes.
  stand_->StoreActivePage();
  EXPECT_EQ(Img()[Adrb::ADV_MAP], 0);
  EXPECT_EQ(Img()[Adrb::ADV2_MAP], 0);
}

TEST_F(AdvanceFixture, PressureSensorMakesTheYAxesEditableKilopascals) {
  StartOn(Page::Advance);
  for (int r = 0; r < 10; ++r) SetWord(Img(), Adrw::ADV_IAP + r, uint16_t(20 + 90 * r));
  LoadWithSensor(2, 1, 0);
  const CSheet& one = Model().Sheet(0);
  EXPECT_EQ(one.y.unit, "IAP");
  EXPECT_EQ(one.y.label, "IAP");  // the corner names the sensor the points belong to
  EXPECT_EQ(one.y.suffix, "kPa");
  EXPECT_EQ(one.y.maximum, 999);
  EXPECT_TRUE(one.y.editable);
  EXPECT_FALSE(one.y.collapsed);
  EXPECT_EQ(one.y.values[9], 830);
  EXPECT_TRUE(Model().Sheet(1).y.collapsed);  // mode 0: one rpm curve
  EXPECT_EQ(Model().Sheet(1).y.collapsible, Collapsible::kByUser);
  // A typed pressure point lands in ADV_IAP.
  ASSERT_TRUE(Model().StoreTypedValue(-1, 9, "999", Now()));
  EXPECT_EQ(GetWord(Img(), Adrw::ADV_IAP + 9), 999);
  // With the throttle sensor the fixed points show, and an edit of the sheet
  // gives the unit the points the editor shows, in one undo step.
  LoadWithSensor(1, 1, 1);
  EXPECT_EQ(Model().Sheet(0).y.unit, "TP");
  EXPECT_EQ(Model().Sheet(0).y.values[1], 2);
  ASSERT_EQ(GetWord(Img(), Adrw::ADV_IAP + 1), 110);
  ASSERT_TRUE(Model().StoreTypedValue(3, 2, "21", Now()));
  const int throttle[10] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
  for (int r = 0; r < 10; ++r) EXPECT_EQ(GetWord(Img(), Adrw::ADV_IAP + r), throttle[r]) << r;
  // Set the throttle sensor by mistake? Undo gives the pressure points back.
  ASSERT_TRUE(stand_->Undo().CanUndo());
  stand_->Undo().Undo();
  EXPECT_EQ(GetWord(Img(), Adrw::ADV_IAP + 9), 999);
  EXPECT_EQ(GetWord(Img(), Adrw::ADV_IAP + 1), 110);
}

// Which load points and mode bytes the unit gets after an edit of sheet 1,
// by load sensor and mode bytes; sheet 2 is left as the tuner set it.
TEST_F(AdvanceFixture, AnEditGivesTheUnitTheLoadPointsTheEditorShows) {
  StartOn(Page::Advance);
  const int kept = 250;  // word 5 of the pressure points the tuner set earlier
  const struct {
    int sensor, mode1, mode2;
    int iap1, iap2;  // ADV_IAP / ADV2_IAP word 5 afterwards
    int map1, map2;  // ADV_MAP / ADV2_MAP afterwards
  } cases[] = {
      {0, 1, 1, kept, kept, 0, 0},  // no sensor: one rpm curve each, no load read
      {1, 1, 1, 30, 30, 1, 1},      // throttle: the fixed throttle points
      {1, 1, 0, 30, kept, 1, 0},    // throttle, sheet 2 an rpm curve: its points stay
      {1, 0, 1, kept, 30, 0, 1},   {2, 1, 1, kept, kept, 1, 1},  // pressure: the tuner's own points
      {2, 0, 0, kept, kept, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.sensor) + "/" + std::to_string(c.mode1) + "/" + std::to_string(c.mode2));
    for (int r = 0; r < 10; ++r) {
      SetWord(Img(), Adrw::ADV_IAP + r, uint16_t(kept + 45 * (r - 5)));
      SetWord(Img(), Adrw::ADV2_IAP + r, uint16_t(kept + 45 * (r - 5)));
    }
    LoadWithSensor(c.sensor, c.mode1, c.mode2);
    Model().SelectSheet(0);
    ASSERT_TRUE(Model().StoreTypedValue(2, Model().Sheet(0).y.collapsed ? 0 : 3, "17", Now()));
    EXPECT_EQ(GetWord(Img(), Adrw::ADV_IAP + 5), c.iap1);
    EXPECT_EQ(GetWord(Img(), Adrw::ADV2_IAP + 5), c.iap2);
    EXPECT_EQ(Img()[Adrb::ADV_MAP], c.map1);
    EXPECT_EQ(Img()[Adrb::ADV2_MAP], c.map2);
  }
}

TEST_F(AdvanceFixture, TypedCellLandsInAdvancePlusHundred) {
  auto& f = StartOn(Page::Advance);
  LoadWithSensor(1, 1, 1);
  ASSERT_TRUE(Model().StoreTypedValue(4, 6, "-12", Now()));
  EXPECT_EQ(Img()[Adrb::ADVANCE + 15 * 6 + 4], 88);
  EXPECT_TRUE(f.Undo().CanUndo());
  Model().SelectSheet(1);
  ASSERT_TRUE(Model().StoreTypedValue(0, 0, "45", Now()));
  EXPECT_EQ(Img()[Adrb::ADVANCE2], 145);
}

TEST_F(AdvanceFixture, RemoveColumnFillsTheLastColumnFromTheOneBefore) {
  StartOn(Page::Advance);
  LoadWithSensor(1, 1, 1);
  for (int r = 0; r < 10; ++r) {
    Img()[size_t(Adrb::ADVANCE + 15 * r + 13)] = uint8_t(110 + r);
    Img()[size_t(Adrb::ADVANCE + 15 * r + 14)] = uint8_t(150 - r);
  }
  stand_->CommitImageChange();
  ASSERT_TRUE(RemoveLastColumn(Model(), Now()));
  Tick();  // a structural command may report on the next tick
  Model().ReportDue(Now() + 100);
  EXPECT_EQ(Img()[Adrb::ADV_COLUMNS], 14);
  for (int r = 0; r < 10; ++r) EXPECT_EQ(Img()[size_t(Adrb::ADVANCE + 15 * r + 14)], 110 + r) << r;
}

TEST_F(AdvanceFixture, BaseAdvanceMarkerFollowsBothWays) {
  auto& f = StartOn(Page::Advance);
  f.show();
  Tick();
  TUpDown* base = UpDown("EditBaseAdv");
  Type(base, "17");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(base, &enter);
  ASSERT_EQ(Img()[Adrb::BASE_ADV], 17);
  Tick();
  EXPECT_EQ(Model().MarkerValues().baseAdvance, 17);

  // Live rpm below the first column: an increment steps the base advance.
  LiveFeed live;
  live.valid = true;
  live.rpm = 400;
  Pages().SetLive(live);
  Tick();
  ASSERT_EQ(StepActsOn(Model()), StepTarget::kBaseAdvance);
  ASSERT_TRUE(StepValues(Model(), 1, Now()));
  Tick(6);
  EXPECT_EQ(Img()[Adrb::BASE_ADV], 18);
  EXPECT_EQ(base->value(), 18);
}

TEST_F(AdvanceFixture, CorrectionsShowByChannelCount) {
  StartOn(Page::Advance);
  Img()[Adrb::CHANNEL_COUNT] = 2;
  stand_->ReloadActivePage();
  for (int i = 1; i <= 4; ++i) {
    const std::string edit = "EditKorAdv" + std::to_string(i), label = "LabelKorAdv" + std::to_string(i);
    EXPECT_EQ(!Find<QWidget>(edit.c_str())->isHidden(), i <= 2) << i;
    EXPECT_EQ(!Find<QWidget>(label.c_str())->isHidden(), i <= 2) << i;
  }
  EXPECT_EQ(Find<QLabel>("LabelCorections")->text(), "Correction for cylinder:");
}

TEST_F(AdvanceFixture, BaseAdvanceLabelTurnsGreenBelowTheFirstPointWithLiveData) {
  StartOn(Page::Advance);
  auto* label = Find<QLabel>("LabelBaseAdv");
  const QColor green(0, 255, 0);
  const int first = Img()[Adrb::RPM_ADV] * 100;
  Tick();
  EXPECT_NE(label->palette().color(QPalette::Window), green);  // no unit, no live data
  LiveFeed live;
  live.valid = true;
  live.rpm = first - 1;
  Pages().SetLive(live);
  Tick();
  EXPECT_EQ(label->palette().color(QPalette::Window), green);
  live.rpm = first;
  Pages().SetLive(live);
  Tick();
  EXPECT_NE(label->palette().color(QPalette::Window), green);
}

}  // namespace
}  // namespace ign
