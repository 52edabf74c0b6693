#include "core/device/com_menu.h"

#include <gtest/gtest.h>

#include <set>

#include "core/text/language.h"

namespace ign {
namespace {

class FakePorts : public IPortList {
 public:
  explicit FakePorts(std::set<int> present) : present_(std::move(present)) {}
  bool PortPresent(int port) const override { return present_.count(port) > 0; }

 private:
  std::set<int> present_;
};

class FakeLink : public ILinkControl {
 public:
  bool LinkDisabled() const override { return disabled; }
  void TakeLinkBack() override { disabled = false, tookBack = true; }
  bool UnitConnected() const override { return connected; }
  int ConnectedPort() const override { return port; }
  void DropLink() override { connected = false, dropped = true; }
  void Trace(const char* text) override { trace += text; }

  bool disabled = false, tookBack = false, connected = false, dropped = false;
  int port = 0;
  std::string trace;
};

ComMenuModel Build(int configured, int connected, std::set<int> present) {
  return BuildComMenuModel(configured, connected, FakePorts(std::move(present)), "COM &offline", "COM &auto");
}

int VisibleCount(const ComMenuModel& m) {
  int n = 0;
  for (const ComMenuItem& i : m) n += i.visible;
  return n;
}

TEST(ComMenu, FixedItemsAndPresentPortsInOrder) {
  ComMenuModel m = Build(kPortAuto, 3, {7, 1, 3});
  EXPECT_EQ(VisibleCount(m), 6);
  EXPECT_EQ(m[0].caption, "COM &offline");
  EXPECT_FALSE(m[0].checked);
  EXPECT_TRUE(m[1].checked);
  EXPECT_TRUE(m[2].separator);
  EXPECT_EQ(m[3].caption, "COM&1");
  EXPECT_EQ(m[4].caption, "COM&3");
  EXPECT_EQ(m[5].caption, "COM&7");
  // Automatic: radio items, the connected port checked.
  EXPECT_TRUE(m[3].radio);
  EXPECT_TRUE(m[4].checked);
  EXPECT_FALSE(m[3].checked);
  EXPECT_FALSE(m[6].visible);
}

TEST(ComMenu, ConfiguredPortIsListedEvenWhenAbsentButDisabled) {
  ComMenuModel m = Build(9, 0, {2});
  ASSERT_EQ(VisibleCount(m), 5);
  EXPECT_EQ(m[4].caption, "COM&9");
  EXPECT_TRUE(m[4].checked);
  EXPECT_FALSE(m[4].enabled);
  EXPECT_FALSE(m[4].radio);
  EXPECT_TRUE(m[3].enabled);
  EXPECT_FALSE(m[1].checked);
}

TEST(ComMenu, OfflineIsCheckedAndNoPortIsMarked) {
  ComMenuModel m = Build(kPortOffline, 4, {4});
  EXPECT_TRUE(m[0].checked);
  EXPECT_FALSE(m[3].checked);
}

TEST(ComMenu, FullMenuShowsThePortToMarkOnTheLastItem) {
  std::set<int> many;
  for (int p = 1; p <= 40; ++p) many.insert(p);
  ComMenuModel m = Build(35, 0, many);
  EXPECT_EQ(VisibleCount(m), kComMenuItems);
  EXPECT_EQ(m[28].caption, "COM&26");
  EXPECT_EQ(m[29].caption, "COM&35");
  EXPECT_TRUE(m[29].checked);
  EXPECT_TRUE(m[29].enabled);
  // A port to mark that is already listed changes nothing.
  ComMenuModel low = Build(kPortAuto, 5, many);
  EXPECT_EQ(low[29].caption, "COM&27");
  EXPECT_TRUE(low[7].checked);
}

TEST(ComMenu, ChoosingPortFiveWhileConnectedOnThreeDropsTheLink) {
  FakeLink link;
  link.connected = true, link.port = 3;
  int configured = kPortAuto;
  ASSERT_TRUE(ApplyComMenuChoice(5, "COM&5", configured, link));
  EXPECT_EQ(configured, 5);
  EXPECT_TRUE(link.dropped);
  EXPECT_EQ(link.trace, "NEW PORT");
}

TEST(ComMenu, ChoosingAutoOrTheConnectedPortKeepsTheLink) {
  FakeLink link;
  link.connected = true, link.port = 3;
  int configured = 3;
  ASSERT_TRUE(ApplyComMenuChoice(1, "COM &auto", configured, link));
  EXPECT_EQ(configured, kPortAuto);
  ASSERT_TRUE(ApplyComMenuChoice(4, "COM&3  (ttyUSB1)", configured, link));
  EXPECT_EQ(configured, 3);
  EXPECT_FALSE(link.dropped);
  ASSERT_TRUE(ApplyComMenuChoice(0, "COM &offline", configured, link));
  EXPECT_EQ(configured, kPortOffline);
  EXPECT_TRUE(link.dropped);
}

TEST(ComMenu, SeparatorAndCaptionsWithoutPortDoNothing) {
  FakeLink link;
  link.disabled = true;
  int configured = 7;
  EXPECT_FALSE(ApplyComMenuChoice(2, "-", configured, link));
  EXPECT_FALSE(ApplyComMenuChoice(3, "COM&", configured, link));
  EXPECT_FALSE(ApplyComMenuChoice(31, "COM&5", configured, link));
  EXPECT_EQ(configured, 7);
  EXPECT_FALSE(link.tookBack);
  ASSERT_TRUE(ApplyComMenuChoice(3, "COM&12", configured, link));
  EXPECT_TRUE(link.tookBack);  // a lent port is taken back by any real choice
  EXPECT_EQ(configured, 12);
}

// Ports 3 and 5 held by other programs; 3 also shows its device.
class HeldPorts : public IPortList {
 public:
  bool PortPresent(int port) const override { return port == 1 || port == 3 || port == 5; }
  std::string PortDevice(int port) const override { return port == 3 ? "ttyUSB0" : ""; }
  bool PortInUse(int port) const override { return port == 3 || port == 5; }
};

TEST(ComMenu, PortHeldByAnotherProgramSaysSoInTheCurrentLanguage) {
  struct Case {
    int language;
    const char* three;
    const char* five;
  };
  const Case cases[] = {{LNG_ENGLISH, "COM&3  (ttyUSB0)  (in use)", "COM&5  (in use)"},
                        {LNG_DEUTSCH, "COM&3  (ttyUSB0)  (belegt)", "COM&5  (belegt)"},
                        {LNG_CESKY, "COM&3  (ttyUSB0)  (obsazeno)", "COM&5  (obsazeno)"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    SetLanguage(c.language);
    const ComMenuModel m = BuildComMenuModel(5, 0, HeldPorts(), "COM &offline", "COM &auto");
    EXPECT_EQ(m[3].caption, "COM&1");
    EXPECT_EQ(m[4].caption, c.three);
    EXPECT_EQ(m[5].caption, c.five);
    // Still a choice: the search takes it when the other program lets it go.
    EXPECT_TRUE(m[5].enabled);
    EXPECT_TRUE(m[5].checked);
    FakeLink link;
    int configured = kPortAuto;
    ASSERT_TRUE(ApplyComMenuChoice(4, m[4].caption, configured, link));
    EXPECT_EQ(configured, 3);
  }
  SetLanguage(LNG_ENGLISH);
}

TEST(ComMenu, PortFromCaptionReadsTheFirstNumberAfterTheAmpersand) {
  EXPECT_EQ(PortFromCaption("COM&12"), 12);
  EXPECT_EQ(PortFromCaption("COM1&2"), 12);  // the first '&' is removed before reading
  EXPECT_EQ(PortFromCaption("COM&7  (ttyACM0)"), 7);
  EXPECT_EQ(PortFromCaption("COM"), -1);
}

}  // namespace
}  // namespace ign
