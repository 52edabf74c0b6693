// The Power out page: what each function shows, the switch and PWM maps
// against the image, the function change with its fixed values, and the
// texts in the three languages.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <set>

#include "core/params/defaults.h"
#include "tests/ui_pages/pages_fixture.h"
#include "tests/ui_pages/session_pages_fixture.h"
#include "ui/mapedit/map_editor.h"
#include "ui/pages/power_out_maps.h"
#include "ui/pages/power_out_page.h"

namespace ign {
namespace {

using test::PagesFixture;
using PagesOnSession = test::SessionPagesFixture;
using namespace PowerOutFunction;

class PowerOutFixture : public PagesOnSession {
 protected:
  TPowerOutPage& Page() { return *Pages().PageAs<TPowerOutPage>(Page::PowerOut); }
  CSheet& SwitchSheet(int n) { return Page().SwitchModel(n).Sheet(0); }
  CSheet& PwmSheet(int n) { return Page().PwmModel(n).Sheet(0); }
  int32_t Now() { return int32_t(stand_->TickCount()); }
  bool Shown(const char* name) {
    QWidget* w = Find<QWidget>(name);
    EXPECT_NE(w, nullptr) << name;
    return w && w->isVisibleTo(Pages().Sheet(Page::PowerOut));
  }
  TRadioGroup* Group(int n) { return Find<TRadioGroup>(n == 0 ? "RadioGroupPOut1" : "RadioGroupPOut2"); }
  // Clicks the item of an output's function group that carries the value.
  void ClickFunction(int n, int value) {
    TRadioGroup* g = Group(n);
    for (int i = 0; i < g->Count(); ++i)
      if (g->Value(i) == value) return g->Button(i)->click();
    ADD_FAILURE() << "no item " << value;
  }
  void Commit(const std::function<void(Image&)>& change) {
    change(Img());
    stand_->CommitImageChange();
  }
};

TEST_F(PowerOutFixture, SpecialPwmWithoutLoadSensorShowsFrequencyAndMapButNoPwmLabel) {
  StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 0;
    img[Adrb::POWER_OUT_FUNCTION] = kSpecial;
  });
  EXPECT_TRUE(Shown("POutSwitchMap1"));
  EXPECT_TRUE(Shown("EditPOutPwm1"));
  EXPECT_EQ(Find<QLabel>("LabelPOutPwm1")->text(), "PWM [%]");
  ClickFunction(0, kSpecialPwm);
  ASSERT_EQ(Img()[Adrb::POWER_OUT_FUNCTION], kSpecialPwm);
  EXPECT_TRUE(Shown("EditPOutFreq1"));
  EXPECT_TRUE(Shown("LabelPOutFreq1"));
  EXPECT_TRUE(Shown("POutPwmMap1"));
  EXPECT_FALSE(Shown("LabelPOutPwm1"));
  EXPECT_FALSE(Shown("EditPOutPwm1"));
  EXPECT_FALSE(Shown("POutSwitchMap1"));
  EXPECT_FALSE(Shown("EditPOutHyster1"));
  EXPECT_FALSE(Shown("EditPOutPulse1"));
  const CAxe& data = PwmSheet(0).data;
  EXPECT_EQ(data.unit, "PWM");
  EXPECT_EQ(data.suffix, "%");
  EXPECT_EQ(data.maximum, 100);
  // With a load sensor the label names the map instead.
  Commit([](Image& img) { img[Adrb::TPSIAP_SENSOR] = 1; });
  EXPECT_TRUE(Shown("LabelPOutPwm1"));
  EXPECT_EQ(Find<QLabel>("LabelPOutPwm1")->text(), "(PWM duty)");
  EXPECT_FALSE(Shown("EditPOutPwm1"));
}

TEST_F(PowerOutFixture, SpecialPulseShowsPeriodsFromThePulseInFiftyMillisecondSteps) {
  StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 2;
    img[Adrb::POWER_OUT_FUNCTION + 1] = kSpecialPulse;
    img[Adrb::POWER_OUT_SPULSE + 1] = 25;  // 125 ms
    for (int c = 0; c < 24; ++c) img[size_t(Adrb::POWER_OUT_PWM + 24 + c)] = uint8_t(c * 10);
  });
  EXPECT_TRUE(Shown("EditPOutPulse2"));
  EXPECT_TRUE(Shown("POutPwmMap2"));
  EXPECT_FALSE(Shown("EditPOutFreq2"));
  EXPECT_EQ(Find<QLabel>("LabelPOutPwm2")->text(), "(Period)");
  EXPECT_EQ(UpDown("EditPOutPulse2")->value(), 125);
  const CAxe& data = PwmSheet(1).data;
  EXPECT_EQ(data.label, "###Periode##Periode##Perioda");
  EXPECT_EQ(data.unit, "T");
  EXPECT_EQ(data.suffix, "s");
  EXPECT_DOUBLE_EQ(data.scale, 0.05);
  EXPECT_EQ(data.minimum, 3);  // (25 + 9) / 10
  EXPECT_EQ(data.maximum, 200);
  EXPECT_EQ(PwmSheet(1).Cell(0, 0), 3);  // cells below the shortest period are raised
  EXPECT_EQ(PwmSheet(1).Cell(5, 3), 200);
  // A longer pulse raises the minimum at the next load.
  TUpDown* pulse = UpDown("EditPOutPulse2");
  pulse->setValue(250);
  stand_->StoreActivePage();
  stand_->CommitImageChange();
  EXPECT_EQ(Img()[Adrb::POWER_OUT_SPULSE + 1], 50);
  EXPECT_EQ(PwmSheet(1).data.minimum, 5);
  EXPECT_EQ(Img()[Adrb::POWER_OUT_PWM + 24], 5);
}

// Leaving Special Pulse takes its period limits off the PWM map, so the
// hidden duty cells of another function are stored as they are.
TEST_F(PowerOutFixture, PwmCellsBelowTheLastPeriodMinimumSurviveAnotherFunction) {
  StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::POWER_OUT_FUNCTION] = kSpecialPulse;
    img[Adrb::POWER_OUT_SPULSE] = 100;  // periods from 10 steps
  });
  ASSERT_EQ(PwmSheet(0).data.minimum, 10);
  Commit([](Image& img) {
    img[Adrb::POWER_OUT_FUNCTION] = kSpecial;
    img[Adrb::POWER_OUT_PWM + 7] = 5;
  });
  EXPECT_EQ(PwmSheet(0).data.minimum, 0);
  EXPECT_EQ(PwmSheet(0).Cell(1, 1), 5);
  stand_->StoreActivePage();
  EXPECT_EQ(Img()[Adrb::POWER_OUT_PWM + 7], 5);
}

TEST_F(PowerOutFixture, GearShiftLightMarksItsMiddleRegionAndStoresOnlyBitZero) {
  StartOn(Page::PowerOut);
  Commit([](Image& img) { img[Adrb::POWER_OUT_FUNCTION + 1] = kShiftLight; });
  ASSERT_EQ(Img()[Adrb::POWER_OUT_MASK + 3], 12);  // the fixed masks 12, 14, 14
  const CSheet& sheet = SwitchSheet(1);
  EXPECT_EQ(sheet.Cell(1, 0), kShiftLightBlink);
  EXPECT_EQ(sheet.Cell(2, 0), 1);
  EXPECT_EQ(sheet.Cell(0, 1), 0);
  EXPECT_EQ(sheet.Cell(1, 1), 1);
  EXPECT_EQ(sheet.x.count, 2);
  EXPECT_EQ(sheet.x.step, 0);
  EXPECT_FALSE(sheet.data.editable);
  EXPECT_TRUE(sheet.y.collapsed);
  EXPECT_EQ(sheet.y.collapsedIndex, 0);  // the row with the marked region shows
  EXPECT_TRUE(Shown("POutSwitchMap2"));
  EXPECT_TRUE(Shown("EditPOutHyster2"));
  // The store takes bit 0 of each region: the marked region becomes bit 1 of mask 0.
  Page().Store(Img());
  EXPECT_EQ(Img()[Adrb::POWER_OUT_MASK + 3], 14);
  EXPECT_EQ(Img()[Adrb::POWER_OUT_MASK + 4], 14);
}

// The page's maps against the image: every combination of the three masks of
// an output set to Special comes back through the switch map's regions.
TEST(PowerOutMaps, SpecialSwitchMapRoundTripsEveryMaskCombination) {
  for (int output = 0; output < 2; ++output) {
    CTabModel model(kSwitchEditorFlags, kSwitchEditorIdentifier + output);
    BuildSwitchSheet(model);
    Image img{};
    img[size_t(Adrb::POWER_OUT_FUNCTION + output)] = kSpecial;
    img[Adrb::TPSIAP_SENSOR] = 1;
    SetPowerOutFixed(img, output, 1);  // sound rpm and load points
    LayOutSwitchMap(model, kSpecial, 1);
    for (unsigned combo = 0; combo < 4096; ++combo) {
      for (int r = 0; r < 3; ++r)
        img[size_t(Adrb::POWER_OUT_MASK + 3 * output + r)] = uint8_t((combo >> (4 * r)) & 15);
      const Image before = img;
      LoadSwitchMap(model, img, output);
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
          ASSERT_EQ(model.Sheet(0).Cell(c, r), int((combo >> (4 * r + c)) & 1)) << combo;
      for (int r = 0; r < 3; ++r) img[size_t(Adrb::POWER_OUT_MASK + 3 * output + r)] = 0xFF;
      StoreSwitchMap(model, img, output);
      ASSERT_EQ(img, before) << "output " << output << " masks " << combo;
    }
  }
}

TEST_F(PowerOutFixture, TypedRegionsAndPwmCellsLandInTheImage) {
  auto& f = StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 1;
    img[Adrb::POWER_OUT_FUNCTION] = kSpecial;
    img[Adrb::POWER_OUT_FUNCTION + 1] = kSpecialPwm;
    for (int r = 0; r < 3; ++r) img[size_t(Adrb::POWER_OUT_MASK + r)] = 0;
  });
  ASSERT_TRUE(SwitchSheet(0).data.editable);
  ASSERT_TRUE(Page().SwitchModel(0).StoreTypedValue(3, 2, "1", Now()));
  EXPECT_EQ(Img()[Adrb::POWER_OUT_MASK + 2], 0b1000);
  ASSERT_TRUE(Page().SwitchModel(0).StoreTypedValue(-1, 0, "40", Now()));
  EXPECT_EQ(GetWord(Img(), Adrw::POWER_OUT_TP), 40);
  ASSERT_TRUE(Page().PwmModel(1).StoreTypedValue(2, 3, "70", Now()));
  EXPECT_EQ(Img()[Adrb::POWER_OUT_PWM + 24 + 6 * 3 + 2], 70);
  f.Undo().Undo();
  EXPECT_EQ(Img()[Adrb::POWER_OUT_PWM + 24 + 6 * 3 + 2], 0);
}

TEST_F(PowerOutFixture, LoadSensorChangeRelabelsBothMapsAndLimitsTheThrottlePoints) {
  StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 2;
    img[Adrb::POWER_OUT_FUNCTION] = kSpecial;
    SetWord(img, Adrw::POWER_OUT_TP, 300);
    SetWord(img, Adrw::POWER_OUT_TP + 1, 700);
  });
  for (CSheet* s : {&SwitchSheet(0), &PwmSheet(0)}) {
    EXPECT_EQ(s->y.unit, "IAP");
    EXPECT_EQ(s->y.label, "IAP");
    EXPECT_EQ(s->y.suffix, "kPa");
    EXPECT_EQ(s->y.maximum, 999);
  }
  EXPECT_EQ(SwitchSheet(0).y.values[1], 700);
  EXPECT_FALSE(SwitchSheet(0).y.collapsed);

  // A refresh alone shows the throttle limits but never changes the image.
  Img()[Adrb::TPSIAP_SENSOR] = 1;
  const Image before = Img();
  Pages().RefreshPages(false);
  EXPECT_EQ(Img(), before);
  for (CSheet* s : {&SwitchSheet(0), &PwmSheet(0)}) {
    EXPECT_EQ(s->y.unit, "TP");
    EXPECT_EQ(s->y.suffix, "%");
    EXPECT_EQ(s->y.maximum, 100);
  }
  EXPECT_EQ(SwitchSheet(0).y.values[0], 99);
  EXPECT_EQ(SwitchSheet(0).y.values[1], 100);
  // The next commit brings the words into the throttle range.
  stand_->CommitImageChange();
  EXPECT_EQ(GetWord(Img(), Adrw::POWER_OUT_TP), 99);
  EXPECT_EQ(GetWord(Img(), Adrw::POWER_OUT_TP + 1), 100);
  // Without a load sensor Special shows one row, the throttle reading kept.
  Commit([](Image& img) { img[Adrb::TPSIAP_SENSOR] = 0; });
  EXPECT_TRUE(SwitchSheet(0).y.collapsed);
  EXPECT_EQ(SwitchSheet(0).y.unit, "TP");
}

// The maps are laid out again only when the function or the load sensor
// changed: a refresh or reload in between keeps what the tuner chose.
TEST_F(PowerOutFixture, RefreshKeepsTheLayoutUntilFunctionOrSensorChanges) {
  StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 1;
    img[Adrb::POWER_OUT_FUNCTION] = kSpecial;
  });
  CSheet& sheet = SwitchSheet(0);
  ASSERT_FALSE(sheet.y.collapsed);
  sheet.y.collapsed = 1;  // "use only" on the load axis
  Pages().RefreshPages(false);
  stand_->ReloadActivePage();
  EXPECT_TRUE(sheet.y.collapsed);
  Commit([](Image& img) { img[Adrb::POWER_OUT_FUNCTION] = kShiftLight; });
  Commit([](Image& img) { img[Adrb::POWER_OUT_FUNCTION] = kSpecial; });
  EXPECT_FALSE(sheet.y.collapsed);
  EXPECT_EQ(sheet.x.count, 3);
  EXPECT_TRUE(sheet.data.editable);
  EXPECT_EQ(sheet.y.collapsedIndex, 1);
}

TEST_F(PowerOutFixture, FunctionClickTakesTheFixedValuesAsOneUndoStep) {
  auto& f = StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::POWER_OUT_FUNCTION] = kFuelPump;
    img[Adrb::POWER_OUT_RPM] = 30;
  });
  const Image before = Img();
  ClickFunction(0, kShiftLight);
  const Image& img = Img();
  EXPECT_EQ(img[Adrb::POWER_OUT_FUNCTION], kShiftLight);
  EXPECT_EQ(img[Adrb::POWER_OUT_RPM], 90);
  EXPECT_EQ(img[Adrb::POWER_OUT_RPM + 2], 140);
  EXPECT_EQ(GetWord(img, Adrw::POWER_OUT_TP + 1), 90);
  EXPECT_EQ(img[Adrb::POWER_OUT_MASK + 1], 14);
  EXPECT_EQ(img[Adrb::POWER_OUT_HYSTERESIS], 10);
  EXPECT_EQ(UpDown("EditPOutHyster1")->value(), 100);
  EXPECT_EQ(SwitchSheet(0).Cell(1, 0), kShiftLightBlink);
  // A click on the function it has already keeps the tuned points.
  Page().SwitchModel(0).StoreTypedValue(0, -1, "8000", Now());
  ASSERT_EQ(Img()[Adrb::POWER_OUT_RPM], 80);
  ClickFunction(0, kShiftLight);
  EXPECT_EQ(Img()[Adrb::POWER_OUT_RPM], 80);
  f.Undo().Undo();
  ASSERT_EQ(Img()[Adrb::POWER_OUT_RPM], 90);
  // Back to the fuel pump: its fixed values leave the points as they are.
  ClickFunction(0, kFuelPump);
  EXPECT_EQ(Img()[Adrb::POWER_OUT_FUNCTION], kFuelPump);
  EXPECT_EQ(Img()[Adrb::POWER_OUT_RPM], 90);
  // Each click is one undo step.
  f.Undo().Undo();
  EXPECT_EQ(Img()[Adrb::POWER_OUT_FUNCTION], kShiftLight);
  f.Undo().Undo();
  EXPECT_EQ(Img(), before);
  EXPECT_EQ(Group(0)->Value(Group(0)->ItemIndex()), kFuelPump);
}

TEST_F(PowerOutFixture, AFunctionNoItemCarriesShowsNoSelectionAndStillLaysOutTheMap) {
  StartOn(Page::PowerOut);
  Commit([](Image& img) { img[Adrb::TPSIAP_SENSOR] = 0; });
  Img()[Adrb::POWER_OUT_FUNCTION] = kThree;  // as an unchecked file may hold it
  Pages().LoadPages(false);
  EXPECT_EQ(Group(0)->ItemIndex(), -1);
  EXPECT_TRUE(Shown("POutSwitchMap1"));
  EXPECT_EQ(SwitchSheet(0).x.count, 2);
  EXPECT_EQ(SwitchSheet(0).y.count, 1);
  EXPECT_TRUE(SwitchSheet(0).y.collapsed);
  Page().Store(Img());
  EXPECT_EQ(Img()[Adrb::POWER_OUT_FUNCTION], kThree);  // the byte is kept
}

TEST_F(PowerOutFixture, ValuesLoadScaledAndOutputsThreeAndFourNeverShow) {
  StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::POWER_OUT_FUNCTION] = kSpecial;
    img[Adrb::POWER_OUT_FUNCTION + 1] = kSpecialPwm;
    img[Adrb::POWER_OUT_HYSTERESIS] = 25;
    img[Adrb::POWER_OUT_SP_PWM] = 60;
    img[Adrb::POWER_OUT_SPWM_FR + 1] = 14;
    img[Adrb::POWER_OUT_SPULSE] = 7;
  });
  EXPECT_EQ(UpDown("EditPOutHyster1")->value(), 250);
  EXPECT_EQ(UpDown("EditPOutPwm1")->value(), 60);
  EXPECT_EQ(UpDown("EditPOutFreq2")->value(), 14);
  EXPECT_EQ(UpDown("EditPOutPulse1")->value(), 35);
  UpDown("EditPOutHyster1")->setValue(2500);
  Page().Store(Img());
  EXPECT_EQ(Img()[Adrb::POWER_OUT_HYSTERESIS], 250);
  EXPECT_EQ(Find<QGroupBox>("RadioGroupPOut3")->title(), "Power out 3 (pin 14)");
  for (int f : {kOff, kShiftLight, kSpecial, kSpecialPulse}) {
    Commit(
        [f](Image& img) { img[Adrb::POWER_OUT_FUNCTION] = img[Adrb::POWER_OUT_FUNCTION + 1] = uint8_t(f); });
    EXPECT_FALSE(Shown("PanelPOut3")) << f;
    EXPECT_FALSE(Shown("PanelPOut4")) << f;
    EXPECT_FALSE(Shown("RadioGroupPOut4")) << f;
    EXPECT_TRUE(Shown("RadioGroupPOut2")) << f;
  }
}

TEST_F(PowerOutFixture, TextsFollowTheLanguageAndKeepTheSelection) {
  auto& f = StartOn(Page::PowerOut);
  Commit([](Image& img) {
    img[Adrb::TPSIAP_SENSOR] = 1;
    img[Adrb::POWER_OUT_FUNCTION] = kShiftLight;
    img[Adrb::POWER_OUT_FUNCTION + 1] = kSpecialPulse;
  });
  struct Case {
    int language;
    const char* shiftLight;
    const char* hysteresis;
    const char* period;
    const char* frequency;
  };
  const Case cases[] = {
      {LNG_DEUTSCH, "Schaltblitz", "Hysterese [RPM]", "(Zeit)", "Frequenz [Hz]"},
      {LNG_CESKY, "Kontrolka řazení", "Hystereze [RPM]", "(Perioda)", "Frekvence [Hz]"},
      {LNG_ENGLISH, "Gear shift light", "Hysteresis [RPM]", "(Period)", "Frequency [Hz]"},
  };
  for (const Case& c : cases) {
    f.MenuLanguageClick(c.language);
    TRadioGroup* g = Group(0);
    ASSERT_GE(g->ItemIndex(), 0) << c.language;
    EXPECT_EQ(g->Value(g->ItemIndex()), kShiftLight);
    EXPECT_EQ(g->Button(g->ItemIndex())->text().toStdString(), c.shiftLight);
    EXPECT_EQ(Group(1)->Value(Group(1)->ItemIndex()), kSpecialPulse);
    EXPECT_EQ(Find<QLabel>("LabelPOutHyster1")->text().toStdString(), c.hysteresis);
    EXPECT_EQ(Find<QLabel>("LabelPOutPwm2")->text().toStdString(), c.period);
    EXPECT_EQ(Find<QLabel>("LabelPOutFreq2")->text().toStdString(), c.frequency);
    EXPECT_EQ(Find<QWidget>("EditPOutHyster1")->accessibleName(), QString());  // named by its label
    EXPECT_EQ(Find<QLabel>("LabelPOutHyster1")->buddy(), Find<QWidget>("EditPOutHyster1"));
  }
}

TEST_F(PowerOutFixture, EveryInputControlHasAnAccessibleNameInEveryLanguage) {
  auto& f = StartOn(Page::PowerOut);
  Commit([](Image& img) { img[Adrb::POWER_OUT_FUNCTION] = kSpecial; });
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    f.MenuLanguageClick(language);
    std::vector<std::string> unnamed;
    for (QWidget* w : Pages().Sheet(Page::PowerOut)->findChildren<QWidget*>()) {
      if (!qobject_cast<QAbstractSpinBox*>(w) && !qobject_cast<QAbstractButton*>(w)) continue;
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
        unnamed.push_back(w->objectName().toStdString());
    }
    EXPECT_TRUE(unnamed.empty()) << language << ": " << ::testing::PrintToString(unnamed);
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QWidget>("EditPOutHyster2"))->text(QAccessible::Name),
            "Hystereze [RPM]");
  // The editors' sheets share one name; the output tells them apart.
  std::set<QString> editors;
  for (const char* name : {"POutSwitchMap1", "POutSwitchMap2", "POutPwmMap1", "POutPwmMap2"})
    editors.insert(QAccessible::queryAccessibleInterface(Find<QWidget>(name))->text(QAccessible::Name));
  EXPECT_EQ(editors.size(), 4u);
}

}  // namespace
}  // namespace ign
