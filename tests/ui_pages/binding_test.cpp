// The binding operations through the pages' own controls: image -> control ->
// image, with each control's range, scale, offset and encoding.
#include <QCheckBox>
#include <QComboBox>

#include "core/params/lobe.h"
#include "pages_fixture.h"
#include "session_pages_fixture.h"

namespace ign {
namespace {

using test::PagesFixture;
using PagesOnSession = test::SessionPagesFixture;

struct UpDownCase {
  int page;
  const char* control;
  int adrb;
  uint8_t byte;
  int shown;
  const char* text;
};

TEST_F(PagesOnSession, UpDownsConvertBothWays) {
  StartOn(Page::Misc);
  const UpDownCase cases[] = {
      {Page::Bike, "EditRpmKorekce", Adrb::RPM_CORRECTION, 40, -60, "-60"},
      {Page::Bike, "EditRpmKorekce", Adrb::RPM_CORRECTION, 160, 60, "60"},
      {Page::Bike, "EditRpmPulsu", Adrb::RPM_PULSES, 255, -1, "pickup 1"},
      {Page::Bike, "EditRpmPulsu", Adrb::RPM_PULSES, 254, -2, "pickup 2"},
      {Page::Bike, "EditRpmPulsu", Adrb::RPM_PULSES, 12, 12, "12"},
      {Page::Misc, "EditLimiter", Adrb::LIMITER, 123, 12300, "12,300"},
      {Page::Misc, "EditClutchTime", Adrb::CLUTCH_TIME, 33, 165, "165"},
      {Page::Misc, "EditClutchPause", Adrb::CLUTCH_PAUSE, 250, 2500, "2,500"},
      {Page::Misc, "EditStartLimiterDelay", Adrb::START_LIM_DELAY, 7, 700, "700"},
      {Page::Advance, "EditKorAdv3", Adrb::CORR_ADVANCE + 2, 95, -5, "-5"},
  };
  for (const UpDownCase& c : cases) {
    SCOPED_TRACE(c.control);
    stand_->ShowPage(c.page);
    Img()[size_t(c.adrb)] = c.byte;
    stand_->ReloadActivePage();
    TUpDown* u = UpDown(c.control);
    EXPECT_EQ(u->value(), c.shown);
    EXPECT_EQ(u->EditText(), QString::fromUtf8(c.text));
    Img()[size_t(c.adrb)] = uint8_t(c.byte ^ 0x55);  // the store must write it back
    stand_->StoreActivePage();
    EXPECT_EQ(Img()[size_t(c.adrb)], c.byte);
  }
}

TEST_F(PagesOnSession, WideLobesKeepBitSixInTheTopBit) {
  StartOn(Page::Bike);
  Img()[Adrb::BIKE] = 255;
  Img()[Adrb::PICKUP_SYSTEM] = 14;
  Img()[Adrb::LOBE_COUNT] = 116;
  struct Case {
    uint8_t byte;
    int lobe;
    bool secondEdge;
  } cases[] = {{0xA4, 100, false}, {0xE4, 100, true}, {0x64, 36, true}, {0x24, 36, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.byte);
    Img()[Adrb::PICKUP1_LOBES] = c.byte;
    stand_->ReloadActivePage();
    EXPECT_EQ(UpDown("EditPalec1Zac")->value(), c.lobe);
    EXPECT_EQ(Find<QCheckBox>("CheckBoxPalec1ZacH2")->isChecked(), c.secondEdge);
    Img()[Adrb::PICKUP1_LOBES] = 0;
    stand_->StoreActivePage();
    EXPECT_EQ(Img()[Adrb::PICKUP1_LOBES], c.byte);
  }
}

// A list whose byte holds a value no item carries shows no selection, and a
// store of the page keeps the byte.
TEST_F(PagesOnSession, ListValueWithoutItemShowsNoSelectionAndIsKept) {
  StartOn(Page::Misc);
  struct Case {
    int page;
    const char* list;
    int adrb;
    uint8_t byte;
  } cases[] = {
      {Page::Bike, "ComboBoxBike", Adrb::BIKE, 22},
      {Page::Bike, "ComboBoxNasobekPalcu", Adrb::GEBER_MODE, 7},
      {Page::Misc, "RadioGroupInput1", Adrb::INPUT_FUNCTION, 9},
      {Page::Misc, "RadioGroupInput2", Adrb::INPUT_FUNCTION + 1, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    stand_->ShowPage(c.page);
    Img()[size_t(c.adrb)] = c.byte;
    stand_->ReloadActivePage();
    if (auto* combo = Find<QComboBox>(c.list)) {
      EXPECT_EQ(combo->currentIndex(), -1);
    } else {
      EXPECT_EQ(Find<TRadioGroup>(c.list)->ItemIndex(), -1);
    }
    stand_->StoreActivePage();
    EXPECT_EQ(Img()[size_t(c.adrb)], c.byte);
  }
}

}  // namespace
}  // namespace ign
