// The Test page: test buttons set their pending bit and leave the image
// alone; the test settings and the signed proprietary words round trip.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "core/base/atomic_file.h"
#include "core/device/engine.h"
#include "pages_fixture.h"
#include "session_pages_fixture.h"
#include "ui/pages/test_page.h"

namespace ign {
namespace {

using test::PagesFixture;
using PagesOnSession = test::SessionPagesFixture;

TEST_F(PagesOnSession, TestButtonsSetTheirPendingBitAndLeaveTheImage) {
  auto& f = StartOn(Page::Test);
  f.show();
  struct Case {
    const char* button;
    int byte;  // of the pending bits: monitor request byte 20 + byte
    uint8_t bit;
  };
  const Case cases[] = {
      {"ButtonTestIgn1", 0, 0x01},      {"ButtonTestIgn2", 0, 0x02},       {"ButtonTestIgn3", 0, 0x04},
      {"ButtonTestIgn4", 0, 0x08},      {"ButtonTest01", 1, 0x01},         {"ButtonTest02", 1, 0x02},
      {"ButtonTestRpm", 1, 0x04},       {"ButtonTest03", 1, 0x08},         {"ButtonTest04", 1, 0x10},
      {"ButtonTestServoPlus", 2, 0x01}, {"ButtonTestServoMinus", 2, 0x02},
  };
  auto& pending = f.Engine().Machine().testBits;
  const Image before = Img();
  for (const Case& c : cases) {
    pending = {};
    auto* b = Find<QPushButton>(c.button);
    ASSERT_NE(b, nullptr) << c.button;
    Pages().PageAs<TTestPage>(Page::Test)->ButtonTestClick(b);
    std::array<uint8_t, 3> expected{};
    expected[size_t(c.byte)] = c.bit;
    EXPECT_EQ(pending, expected) << c.button;
  }
  // Clicks add up until the next monitor request takes them.
  pending = {};
  Find<QPushButton>("ButtonTestIgn3")->click();
  Find<QPushButton>("ButtonTestIgn1")->click();
  Find<QPushButton>("ButtonTest02")->click();
  EXPECT_EQ(pending[0], 0x05);
  EXPECT_EQ(pending[1], 0x02);
  Tick(10);
  EXPECT_EQ(Img(), before);
  EXPECT_FALSE(f.Undo().CanUndo());
}

// Without a unit a test button still says what became of the press: the
// test waits for the next connection. The note follows a language change.
TEST_F(PagesFixture, TestButtonSaysThatItsTestWaitsForTheNextConnection) {
  TMainForm& f = StartOn(Page::Test);
  f.show();
  auto* result = Find<QLabel>("LabelResult");
  ASSERT_NE(result, nullptr);
  ASSERT_FALSE(f.Engine().Machine().Connected());
  Find<QPushButton>("ButtonTestIgn3")->click();
  EXPECT_TRUE(result->isVisible());
  EXPECT_EQ(result->text(), "Test waits for the next connection to the unit: Ignition 3");
  Find<QPushButton>("ButtonTestRpm")->click();
  EXPECT_EQ(result->text(), "Test waits for the next connection to the unit: Tachometer");
  f.MenuLanguageClick(LNG_CESKY);
  EXPECT_EQ(result->text(), "Test čeká na příští připojení zapalování: Otáčkoměr");
  f.MenuLanguageClick(LNG_ENGLISH);
  Tick(5000 / 50 + 2);
  EXPECT_FALSE(result->isVisible());  // a note, not a state: it goes after a while
}

TEST_F(PagesOnSession, TestPageShowsTwoOutputsAndFourIgnitions) {
  StartOn(Page::Test).show();
  for (const char* shown :
       {"ButtonTestIgn2", "ButtonTestIgn4", "ButtonTest01", "ButtonTest02", "ButtonTestRpm"})
    EXPECT_TRUE(Find<QWidget>(shown)->isVisible()) << shown;
  for (const char* hidden : {"ButtonTest03", "ButtonTest04", "ButtonTestN2O", "LabelTest1", "LabelTest10"})
    EXPECT_FALSE(Find<QWidget>(hidden)->isVisible()) << hidden;
  EXPECT_EQ(Find<QLabel>("LabelPropMon3")->text(), "Prop3 = --- ");
}

TEST_F(PagesFixture, DiagnosticLabelsShowOnlyInDeveloperTestMode) {
  ASSERT_TRUE(WriteFileAtomically(dir_.File("marker"), "DEVX_SWITCH\n"));
  TMainForm& f = StartOn(Page::Test);
  f.show();
  ASSERT_TRUE(f.DeveloperTestMode());
  for (const char* shown : {"LabelTest1", "LabelTest10"})
    EXPECT_TRUE(Find<QWidget>(shown)->isVisible()) << shown;
  EXPECT_FALSE(Find<QWidget>("ButtonTest03")->isVisible());
}

TEST_F(PagesOnSession, TestSettingsAndProprietaryWordsRoundTrip) {
  StartOn(Page::Test);
  struct Case {
    const char* edit;
    int value;
    int address;  // byte, or word when words is set
    bool word;
    int stored;
  };
  const Case cases[] = {
      {"EditTestRpm", 200, Adrb::TEST_SET, false, 2},
      {"EditTestRpm", 25000, Adrb::TEST_SET, false, 250},
      {"EditTestServo", 10, Adrb::TEST_SET + 1, false, 1},
      {"EditTestServo", 2500, Adrb::TEST_SET + 1, false, 250},
      {"EditProp1", -32000, Adrw::PROPRIETARY, true, 0x8300},
      {"EditProp5", 32000, Adrw::PROPRIETARY + 4, true, 32000},
      {"EditProp3", -1, Adrw::PROPRIETARY + 2, true, 0xFFFF},
  };
  for (const Case& c : cases) {
    TUpDown* u = UpDown(c.edit);
    u->setValue(c.value);
    stand_->StoreActivePage();
    const int stored = c.word ? GetWord(Img(), c.address) : Img()[size_t(c.address)];
    EXPECT_EQ(stored, c.stored) << c.edit << " " << c.value;
    u->setValue(u->minimum() == c.value ? u->maximum() : u->minimum());
    stand_->ReloadActivePage();
    EXPECT_EQ(u->value(), c.value) << c.edit;
  }
  // A word beyond the limits shows clamped, and stores so.
  SetWord(Img(), Adrw::PROPRIETARY + 1, uint16_t(int16_t(-32768)));
  stand_->ReloadActivePage();
  EXPECT_EQ(UpDown("EditProp2")->value(), -32000);
}

}  // namespace
}  // namespace ign
