// The Bike page: the refresh table, the bike selector, the typed tachometer
// texts and the wide lobe encoding.
#include <QCheckBox>
#include <QComboBox>
#include <set>

#include "pages_fixture.h"
#include "session_pages_fixture.h"

namespace ign {
namespace {

using test::PagesFixture;
using PagesOnSession = test::SessionPagesFixture;

// What the refresh table says about one control.
struct Expect {
  const char* name;
  bool visible;
  bool enabled;
  int upDown = -1;  // for an edit pair: 1 when its up-down shows, 0 when not
};

// The table as written for the tuner, one row per control, for the image's
// bike u, system s, four-stroke mode, channel count and pulses.
std::vector<Expect> RefreshTable(bool u, int s, int fourStroke, int channels, int pulsesByte) {
  const bool none = s == 0 || s == 19;
  const std::set<int> two{0, 4, 9, 17, 18}, cam{6, 11, 12}, fullSync{7, 16}, many{8, 14};
  const bool twoPickups = two.count(s), isCam = cam.count(s), full = fullSync.count(s),
             isMany = many.count(s);
  const bool lobeStart = s == 19, camGap = s == 12;
  const bool fs = fourStroke == 1 || fourStroke == 2;
  std::vector<Expect> e = {
      {"RadioGroupPickup1Polarita", true, true},
      {"RadioGroupPickup2Polarita", twoPickups || none || isCam || s == 14, true},
      {"CheckBoxNehlidaPalec", u && !isMany, true},
      {"CheckBoxCrossBlock", u && none, true},
      {"CheckBoxPredPalec", u && none, true},
      {"CheckBoxSpecStart", u, true},
      {"EditSpecStartPerc", u, true, u},
      {"LabelSpecStartPerc", u, true},
      {"GroupBoxSpecial", true, u || none},
      {"LabelSynchro", true, u},
      {"ComboBoxSynchro", true, u},
      {"EditPocPalcu", !full, u && !full && !none, u && !full && !none},
      {"LabelPocPalcu", !full, u},
      {"EditPocKanalu", !full, (u && !full) || none, (u || none) && !full},
      {"LabelPocKanalu", !full, u || none},
      {"LabelLobe", !full, u},
      {"LabelHrana2", !full, u},
      {"LabelSnimac2", !full && (twoPickups || none || lobeStart), true},
      {"LabelFullSync", full, true},
      {"LabelSnimac3", fs, u},
      {"LabelSnimac4", fourStroke == 2, u},
      {"ComboBoxFourStrokeIgn", true, u},
      {"LabelFourStrokeIgn", true, u},
      {"ComboBoxNasobekPalcu", true, u},
      {"EditKompenz", true, u, 1},
      {"LabelKompenz", true, u},
      {"EditRpmKorekce", pulsesByte < 240, true, pulsesByte < 240},
      {"LabelRpmKorekce", pulsesByte < 240, true},
      {"ComboBoxSynchPos", false, true},
      {"CheckBoxFlyWheelOperation", false, true},
      {"CheckBoxSpecDwellByStart", false, true},
  };
  static std::vector<std::string> names;  // keeps the composed names alive
  names.clear();
  names.reserve(64);
  auto add = [&](std::string name, bool visible, bool enabled, int upDown = -1) {
    names.push_back(std::move(name));
    e.push_back({names.back().c_str(), visible, enabled, upDown});
  };
  for (int ch = 1; ch <= 4; ++ch) {
    const std::string n = std::to_string(ch);
    add("GroupBoxPalec" + n, !full && channels >= ch, u);
    add("LabelPalec" + n + "Zac", true, u);
    add("EditPalec" + n + "Zac", true, u && !none, u && !none);
    add("LabelPalec" + n + "End", !lobeStart, u);
    add("EditPalec" + n + "End", !lobeStart, u && !none, u && !none && !lobeStart);
    add("CheckBoxPalec" + n + "ZacH2", true, u && (!isMany || ch == 1));
    add("CheckBoxPalec" + n + "EndH2", !lobeStart, u && !isMany);
    add("CheckBoxPalec" + n + "ZacP2", twoPickups || none, u && !isMany && !camGap);
    add("CheckBoxPalec" + n + "EndP2", !lobeStart && (twoPickups || none), u && !isMany && !camGap);
    add("LabelFullSynchro" + n, fs, u);
    add("CheckBoxPalec" + n + "T2", fourStroke == 2, u);
  }
  return e;
}

TEST_F(PagesOnSession, RefreshTableOverSystemsBikesModesAndChannels) {
  StartOn(Page::Bike);
  int variant = 0;
  for (int s = 0; s <= 20; ++s)
    for (int bike : {20, 255})
      for (int fourStroke = 0; fourStroke <= 2; ++fourStroke)
        for (int channels = 1; channels <= 4; ++channels) {
          const int pulses = variant++ % 15 - 2;  // -2..12 in turn
          Img()[Adrb::BIKE] = uint8_t(bike);
          Img()[Adrb::PICKUP_SYSTEM] = uint8_t(s);
          Img()[Adrb::FOUR_STROKE] = uint8_t(fourStroke);
          Img()[Adrb::CHANNEL_COUNT] = uint8_t(channels);
          Img()[Adrb::RPM_PULSES] = uint8_t(pulses);
          stand_->ReloadActivePage();
          for (const Expect& e : RefreshTable(bike == 255, s, fourStroke, channels, uint8_t(pulses))) {
            QWidget* w = Find<QWidget>(e.name);
            ASSERT_NE(w, nullptr) << e.name;
            const std::string where = std::string(e.name) + " system " + std::to_string(s) + " bike " +
                                      std::to_string(bike) + " four-stroke " + std::to_string(fourStroke) +
                                      " channels " + std::to_string(channels);
            EXPECT_EQ(!w->isHidden(), e.visible) << where;
            if (e.visible) {
              EXPECT_EQ(w->isEnabledTo(w->parentWidget()), e.enabled) << where;
            }
            if (e.upDown >= 0) {
              const bool shown =
                  static_cast<QAbstractSpinBox*>(w)->buttonSymbols() != QAbstractSpinBox::NoButtons;
              EXPECT_EQ(shown, e.upDown == 1) << where << " (up-down)";
            }
          }
          if (HasFailure()) return;
        }
}

TEST_F(PagesOnSession, SpecialGroupIsGreyForAPresetBike) {
  StartOn(Page::Bike);
  auto* special = Find<QGroupBox>("GroupBoxSpecial");
  Img()[Adrb::BIKE] = 20;
  stand_->ReloadActivePage();
  EXPECT_EQ(special->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0x80));
  Img()[Adrb::BIKE] = 255;
  stand_->ReloadActivePage();
  EXPECT_EQ(special->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(PagesOnSession, RevolutionsLabelFollowsTheCollectiveSystem) {
  StartOn(Page::Bike);
  Img()[Adrb::PICKUP_SYSTEM] = 10;
  stand_->ReloadActivePage();
  EXPECT_EQ(Find<QLabel>("LabelRevWoIgnition")->text(), "Revolutions with collective ignitions");
  Img()[Adrb::PICKUP_SYSTEM] = 3;
  stand_->ReloadActivePage();
  EXPECT_EQ(Find<QLabel>("LabelRevWoIgnition")->text(), "Revolutions without ignition");
}

void ChooseBike(QComboBox* bike, int value) {
  bike->setCurrentIndex(bike->findData(value));
  emit bike->activated(bike->currentIndex());
}

TEST_F(PagesOnSession, BikeChoiceCancelLeavesEverythingAsBefore) {
  auto& f = StartOn(Page::Bike);
  auto* bike = Find<QComboBox>("ComboBoxBike");
  const Image before = Img();
  answer_ = Answer::Cancel;
  ChooseBike(bike, 19);  // Yamaha R1
  ASSERT_EQ(questions_.size(), 1u);
  EXPECT_EQ(questions_[0], "Do you want default setting?");
  EXPECT_EQ(Img(), before);
  EXPECT_EQ(bike->currentData().toInt(), before[Adrb::BIKE]);
  EXPECT_FALSE(f.Undo().CanUndo());
}

TEST_F(PagesOnSession, BikeChoiceYesIsOneStepWithDefaultsAndPreset) {
  auto& f = StartOn(Page::Bike);
  Img()[Adrb::LIMITER] = 140;
  Img()[Adrb::BIKE] = 255;
  f.CommitImageChange();
  const Image before = Img();
  answer_ = Answer::Yes;
  ChooseBike(Find<QComboBox>("ComboBoxBike"), 19);  // Yamaha R1
  EXPECT_EQ(Img()[Adrb::BIKE], 19);
  EXPECT_EQ(Img()[Adrb::LIMITER], 110);      // the default
  EXPECT_EQ(Img()[Adrb::PICKUP_SYSTEM], 2);  // the preset
  EXPECT_EQ(Img()[Adrb::LOBE_COUNT], 4);
  EXPECT_EQ(Img()[Adrb::SERVO_ENABLE], 1);
  EXPECT_EQ(UpDown("EditPocPalcu")->value(), 4);
  f.Undo().Undo();
  EXPECT_EQ(Img(), before);
}

TEST_F(PagesOnSession, SpecialSettingAsksNothingAndKeepsTheLobes) {
  auto& f = StartOn(Page::Bike);
  const Image before = Img();
  ChooseBike(Find<QComboBox>("ComboBoxBike"), 255);
  EXPECT_TRUE(questions_.empty());
  EXPECT_EQ(Img()[Adrb::BIKE], 255);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(Img()[size_t(Adrb::PICKUP1_LOBES + i)], before[size_t(Adrb::PICKUP1_LOBES + i)]);
  EXPECT_TRUE(Find<QComboBox>("ComboBoxSynchro")->isEnabledTo(Find<QWidget>("GroupBoxSpecial")));
  EXPECT_TRUE(Find<QGroupBox>("GroupBoxSpecial")->isEnabled());
  EXPECT_TRUE(f.Undo().CanUndo());
}

TEST_F(PagesOnSession, TypedMinusOneShowsPickupOneWithinATick) {
  StartOn(Page::Bike);
  TUpDown* pulses = UpDown("EditRpmPulsu");
  Type(pulses, "-1");
  Tick();
  EXPECT_EQ(pulses->EditText(), "pickup 1");
  EXPECT_EQ(Img()[Adrb::RPM_PULSES], 255);
  Tick(6);
  EXPECT_EQ(Img()[Adrb::RPM_PULSES], 255);
  EXPECT_TRUE(Find<QWidget>("EditRpmKorekce")->isHidden());  // the committed page refreshed
  Type(pulses, "-2");
  Tick();
  EXPECT_EQ(pulses->EditText(), "pickup 2");
  EXPECT_EQ(Img()[Adrb::RPM_PULSES], 254);
}

TEST_F(PagesOnSession, WideLobeLoweredFrom100To36StaysThere) {
  auto& f = StartOn(Page::Bike);
  Img()[Adrb::BIKE] = 255;
  Img()[Adrb::PICKUP_SYSTEM] = 14;
  Img()[Adrb::LOBE_COUNT] = 116;
  Img()[Adrb::PICKUP1_LOBES] = 0xA4;  // lobe 100
  f.CommitImageChange();
  TUpDown* lobe = UpDown("EditPalec1Zac");
  ASSERT_EQ(lobe->value(), 100);
  lobe->setValue(36);
  Pages().NoteChange(lobe, ChangeKind::Immediate);
  EXPECT_EQ(Img()[Adrb::PICKUP1_LOBES], 36);
  EXPECT_EQ(lobe->value(), 36);
}

TEST_F(PagesOnSession, PresetBikeClearsTheUserOnlyChecksOnStore) {
  StartOn(Page::Bike);
  Img()[Adrb::BIKE] = 20;
  for (int b : {Adrb::NO_LOBE_CHECK, Adrb::INTERLOCK_INPUT, Adrb::SPARK_BEFORE_LOBE}) Img()[size_t(b)] = 1;
  stand_->ReloadActivePage();
  stand_->StoreActivePage();
  for (int b : {Adrb::NO_LOBE_CHECK, Adrb::INTERLOCK_INPUT, Adrb::SPARK_BEFORE_LOBE})
    EXPECT_EQ(Img()[size_t(b)], 0) << b;
}

}  // namespace
}  // namespace ign
