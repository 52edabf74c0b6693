// The Miscellaneous page: the input lists, the feature rules and the cleared
// excitation and dwell bytes.
#include <QCheckBox>

#include "pages_fixture.h"
#include "session_pages_fixture.h"

namespace ign {
namespace {

using test::PagesFixture;
using PagesOnSession = test::SessionPagesFixture;

TEST_F(PagesOnSession, InputListsHoldTheSevenFunctionsInPositionOrder) {
  StartOn(Page::Misc);
  const std::vector<std::pair<QString, int>> expected = {
      {"Off", 0},    {"Kill switch", 1},   {"Blocking", 2},         {"Quickshift", 3},
      {"Retard", 5}, {"Start limiter", 6}, {"2nd advance chart", 7}};
  for (const char* name : {"RadioGroupInput1", "RadioGroupInput2"}) {
    SCOPED_TRACE(name);
    auto* group = Find<TRadioGroup>(name);
    ASSERT_EQ(group->Count(), 7);
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(group->Button(i)->text(), expected[size_t(i)].first);
      EXPECT_EQ(group->Value(i), expected[size_t(i)].second);
      EXPECT_FALSE(group->Button(i)->isHidden());
    }
  }
  // German rebuilds the texts and keeps the selection.
  Img()[Adrb::INPUT_FUNCTION] = 6;
  stand_->ReloadActivePage();
  stand_->MenuLanguageClick(LNG_DEUTSCH);
  auto* input1 = Find<TRadioGroup>("RadioGroupInput1");
  EXPECT_EQ(input1->Button(3)->text(), "Schaltautomat");
  EXPECT_EQ(SelectedValue(input1), 6);
  EXPECT_EQ(input1->title(), "Multifunktionseingang 1 (pin 8)");
}

TEST_F(PagesOnSession, QuickshiftOnInputOneEnablesTimeAndPauseAndShowsInversePolarity) {
  StartOn(Page::Misc);
  auto* input1 = Find<TRadioGroup>("RadioGroupInput1");
  TUpDown* time = UpDown("EditClutchTime");
  TUpDown* pause = UpDown("EditClutchPause");
  QCheckBox* inverse = Find<QCheckBox>("CheckBoxInverseInput1");
  Img()[Adrb::INPUT_FUNCTION] = 0;  // the start bike's default is Blocking
  stand_->CommitImageChange();
  ASSERT_EQ(SelectedValue(input1), 0);
  EXPECT_FALSE(time->isEnabled());
  EXPECT_EQ(time->buttonSymbols(), QAbstractSpinBox::NoButtons);
  EXPECT_FALSE(time->isHidden());  // the edit stays, greyed
  EXPECT_FALSE(Find<QLabel>("LabelClutchTime")->isEnabled());
  EXPECT_TRUE(inverse->isHidden());

  input1->Button(3)->click();  // Quickshift
  EXPECT_EQ(Img()[Adrb::INPUT_FUNCTION], 3);
  for (TUpDown* u : {time, pause}) {
    EXPECT_TRUE(u->isEnabled());
    EXPECT_NE(u->buttonSymbols(), QAbstractSpinBox::NoButtons);
  }
  EXPECT_TRUE(Find<QLabel>("LabelClutchPause")->isEnabled());
  EXPECT_FALSE(inverse->isHidden());
  EXPECT_FALSE(UpDown("EditStartLimiter")->isEnabled());

  inverse->click();
  EXPECT_EQ(Img()[Adrb::INPUT_INVERT] & 1, 1);
  Find<TRadioGroup>("RadioGroupInput2")->Button(5)->click();  // Start limiter
  EXPECT_TRUE(UpDown("EditStartLimiter")->isEnabled());
  EXPECT_TRUE(UpDown("EditStartLimiterDelay")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>("CheckBoxInverseInput2")->isHidden());
}

TEST_F(PagesOnSession, StoreClearsExcitationAndDwellAndKeepsOtherInvertBits) {
  StartOn(Page::Misc);
  for (int b : {179, 180, 181, 182, 183, 185}) Img()[size_t(b)] = 77;
  Img()[Adrb::DUR_DISCHARG] = 5;
  Img()[Adrb::INPUT_INVERT] = 0xF2;
  stand_->ReloadActivePage();
  UpDown("EditRetard")->stepBy(1);
  Tick(6);
  for (int b : {179, 180, 181, 182, 183, 185}) EXPECT_EQ(Img()[size_t(b)], 0) << b;
  EXPECT_EQ(Img()[Adrb::DUR_DISCHARG], 5);
  EXPECT_EQ(Img()[Adrb::INPUT_INVERT], 0xF2);
}

TEST_F(PagesOnSession, InputMonitorLabelsReadNoDataWithoutAUnit) {
  StartOn(Page::Misc);
  EXPECT_EQ(Find<QLabel>("LabelMonInput1In")->text(), "Input 1: ---");
  EXPECT_EQ(Find<QLabel>("LabelMonInput2In")->text(), "Input 2: ---");
}

}  // namespace
}  // namespace ign
