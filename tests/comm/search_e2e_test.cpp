// The port search against the simulated unit on pseudo-terminals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "tests/comm/sim_fixture.h"

namespace ign::test {
namespace {

struct FamilyCase {
  const char* family;
  int protocol;
  int baud;
};

void PrintTo(const FamilyCase& c, std::ostream* os) { *os << c.family; }

class SearchFamily : public SimLinkFixture, public ::testing::WithParamInterface<FamilyCase> {};

TEST_P(SearchFamily, ConnectsAtTheTableBaudRate) {
  const FamilyCase& c = GetParam();
  auto sim = StartSim({.com = 3, .family = c.family});
  MakeEngine();
  ASSERT_TRUE(Connected());
  EXPECT_EQ(com->ConnectedPort(), 3);
  const LinkInfo link = com->ActiveLink();
  EXPECT_EQ(link.protocol, c.protocol);
  EXPECT_EQ(link.key, 108);
  EXPECT_EQ(com->Port(3).baud.load(), c.baud);
  EXPECT_EQ(com->LinkStateNow(), LinkState::Ready);
  const FakeStatus::Shown* shown = status.Find(" connected##");
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->slot, 1);
  EXPECT_EQ(shown->durationMs, -1);
  EXPECT_EQ(shown->back, Colour::White);
  EXPECT_EQ(shown->priority, 100);
  EXPECT_NE(shown->text.find(link.name), std::string::npos);
  EXPECT_TRUE(com->PortListChanged());
}

INSTANTIATE_TEST_SUITE_P(
    AllFamilies, SearchFamily,
    ::testing::Values(FamilyCase{"IGN150", Proto::Ign150, 57600}, FamilyCase{"IGN50", Proto::Ign50, 57600},
                      FamilyCase{"IGN100", Proto::Ign100, 57600}, FamilyCase{"IGN300", Proto::Ign300, 115200},
                      FamilyCase{"WCOM", Proto::Wcom, 57600}, FamilyCase{"WCOMS", Proto::Wcoms, 57600}),
    [](const auto& info) { return std::string(info.param.family); });

std::string ReadFile(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

// The protocols the search probed, in order, from the trace.
std::vector<std::string> ProbesSent(const std::string& log) {
  std::vector<std::string> probes;
  const std::string mark = " Send Once (";
  for (size_t at = log.find(mark); at != std::string::npos; at = log.find(mark, at + 1)) {
    const size_t from = at + mark.size();
    probes.push_back(log.substr(from, log.find(')', from) - from));
  }
  return probes;
}

// A unit found on a port is remembered there with its protocol and baud rate,
// and the next search of that port probes that row first. A unit of another
// family on the port costs that one probe, then the table goes on in its order.
struct RememberCase {
  const char* remembered;           // CSearchMemory text
  const char* family;               // the unit on COM3 now
  std::vector<std::string> probes;  // the search's probes until the unit is found
  const char* rememberedAfter;
};

void PrintTo(const RememberCase& c, std::ostream* os) { *os << c.remembered << " -> " << c.family; }

class SearchRemembers : public SimLinkFixture, public ::testing::WithParamInterface<RememberCase> {};

TEST_P(SearchRemembers, ProbesTheRememberedRowFirstAndStillFindsAnyUnit) {
  const RememberCase& c = GetParam();
  auto sim = StartSim({.com = 3, .family = c.family});
  MakeEngine();
  com->Memory().FromText(c.remembered);
  const std::string trace = portDir + "/trace.log";
  ASSERT_TRUE(com->Trace().Open(trace));
  ASSERT_TRUE(Connected());
  EXPECT_EQ(com->ConnectedPort(), 3);
  EXPECT_EQ(ProbesSent(ReadFile(trace)), c.probes);
  EXPECT_EQ(com->Memory().ToText(), c.rememberedAfter);
}

INSTANTIATE_TEST_SUITE_P(Rows, SearchRemembers,
                         ::testing::Values(
                             // Nothing remembered: the table from its first row.
                             RememberCase{"", "IGN150", {"IGN150"}, "3:3150:57600"},
                             RememberCase{"", "WCOMS", {"IGN150", "WCOM", "WCOMS"}, "3:2:57600"},
                             // The whole table: the IGN150 rows right after an IGN150 row are passed over.
                             RememberCase{"",
                                          "IGN300",
                                          {"IGN150", "WCOM", "WCOMS", "IGN150", "IGN50", "IGN150", "IGN100",
                                           "IGN150", "WCOM", "WCOMS", "IGN150", "IGN300"},
                                          "3:3300:115200"},
                             // The remembered row is right: one probe, even for the table's last row.
                             RememberCase{"3:3300:115200", "IGN300", {"IGN300"}, "3:3300:115200"},
                             RememberCase{"3:2:57600", "WCOMS", {"WCOMS"}, "3:2:57600"},
                             // Another family on the port: one probe more than with nothing remembered.
                             RememberCase{"3:3300:115200", "IGN150", {"IGN300", "IGN150"}, "3:3150:57600"},
                             RememberCase{"3:2:57600", "WCOM", {"WCOMS", "IGN150", "WCOM"}, "3:1:57600"},
                             // A row remembered for another port changes nothing here, and stays.
                             RememberCase{
                                 "5:3300:115200", "IGN150", {"IGN150"}, "3:3150:57600,5:3300:115200"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(SimLinkFixture, UnitWithAnotherKeyShownUnmatchedAndSkipped) {
  auto other = StartSim({.com = 3, .family = "IGN150", .key = 77});
  auto ours = StartSim({.com = 4, .family = "IGN150"});
  MakeEngine();
  ASSERT_TRUE(Connected());
  EXPECT_EQ(com->ConnectedPort(), 4);
  const FakeStatus::Shown* shown = status.Find("(unmatched)");
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->slot, 1);
  EXPECT_EQ(shown->durationMs, 6000);
  EXPECT_EQ(shown->back, Colour::Red);
  EXPECT_EQ(shown->priority, 10);
  EXPECT_NE(shown->text.find("COM 3:"), std::string::npos) << shown->text;
  EXPECT_NE(shown->text.find("v77 (unmatched)##"), std::string::npos) << shown->text;
  EXPECT_TRUE(Tick([&] { return com->Port(3).ioState.load() == IoState::Closed; }, 5000))
      << "the unmatched unit's port is closed";
}

TEST_F(SimLinkFixture, OnlyAnUnmatchedUnitNeverConnects) {
  auto other = StartSim({.com = 3, .family = "IGN150", .key = 77});
  MakeEngine();
  // The search probes the unit again and again; it never connects it.
  EXPECT_TRUE(Tick([&] { return com->UnmatchedCount() >= 3 || com->ConnectedPort() != 0; }, kSearchCapMs));
  EXPECT_EQ(com->ConnectedPort(), 0);
  ASSERT_TRUE(com->LastUnmatched().has_value());
  EXPECT_EQ(com->LastUnmatched()->port, 3);
  EXPECT_EQ(com->LastUnmatched()->key, 77);
}

TEST_F(SimLinkFixture, EchoingLineFailsThePort) {
  auto sim = StartSim({.com = 3, .family = "IGN150", .extra = {"--echo"}});
  MakeEngine();
  const std::string trace = portDir + "/trace.log";
  ASSERT_TRUE(com->Trace().Open(trace));
  ASSERT_TRUE(Tick([&] { return ReadFile(trace).find("FAIL PORT - Close port COM3") != std::string::npos; },
                   kSearchCapMs));
  const std::string log = ReadFile(trace);
  EXPECT_NE(log.find("] ECHO !"), std::string::npos) << log;
  EXPECT_EQ(com->ConnectedPort(), 0);
}

TEST_F(SimLinkFixture, ConfiguredPortIsTheOnlyOneSearched) {
  auto first = StartSim({.com = 3, .family = "IGN150"});
  auto wanted = StartSim({.com = 5, .family = "IGN150"});
  MakeEngine(5);
  ASSERT_TRUE(Connected());
  EXPECT_EQ(com->ConnectedPort(), 5);
}

TEST_F(SimLinkFixture, ConfiguredPortForceClosesOtherSlots) {
  auto a = StartSim({.com = 3, .family = "IGN150", .key = 77});
  auto b = StartSim({.com = 4, .family = "IGN150", .key = 77});
  auto wanted = StartSim({.com = 5, .family = "IGN150"});
  MakeEngine(0);
  const std::string trace = portDir + "/trace.log";
  ASSERT_TRUE(com->Trace().Open(trace));
  // Automatic search takes ports 3, 4 and 5 into the three slots.
  ASSERT_TRUE(Tick([&] { return com->SlotPort(0) == 3 && com->SlotPort(1) == 4; }, 5000));
  com->SetConfiguredPort(5);
  ASSERT_TRUE(Connected());
  EXPECT_EQ(com->ConnectedPort(), 5);
  const std::string log = ReadFile(trace);
  EXPECT_NE(log.find("FORCE CLOSE - Close port COM3"), std::string::npos) << log;
  EXPECT_NE(log.find("FORCE CLOSE - Close port COM4"), std::string::npos) << log;
}

TEST_F(SimLinkFixture, SearchOffClosesProbedPortsAndStops) {
  auto sim = StartSim({.com = 3, .family = "IGN150"});
  MakeEngine(0);
  ASSERT_TRUE(Tick([&] { return com->SlotPort(0) == 3; }, 5000));
  com->SetConfiguredPort(-1);
  ASSERT_TRUE(
      Tick([&] { return com->SlotPort(0) == 0 && com->Port(3).ioState.load() == IoState::Closed; }, 5000));
  // Enough program time for the search to have opened the port three times over.
  bool opened = false;
  RunTicks(3 * (kSlotOpenLimitMs + kSlotCoolDownMs + kEnumerateEveryMs) / kMsPerTick, [&] {
    com->LinkTick();
    opened |= com->ConnectedPort() != 0 || com->SlotPort(0) != 0;
  });
  EXPECT_FALSE(opened);
}

TEST_F(SimLinkFixture, LinkDroppedByCloseLinkSearchesAgain) {
  auto sim = StartSim({.com = 3, .family = "IGN150"});
  MakeEngine();
  ASSERT_TRUE(Connected());
  com->CloseLink();
  EXPECT_EQ(com->ConnectedPort(), 0);
  EXPECT_EQ(com->LinkStateNow(), LinkState::None);
  ASSERT_TRUE(Connected());
  EXPECT_EQ(com->ConnectedPort(), 3);
}

// The real device layer: a port link that leads to something that is no
// serial line tells the user why in slot 1, and the trace names the device.
TEST_F(SimLinkFixture, PortThatIsNoTerminalSaysWhy) {
  ASSERT_EQ(::symlink("/dev/null", (portDir + "/COM6").c_str()), 0);
  MakeEngine();
  const std::string trace = portDir + "/trace.log";
  ASSERT_TRUE(com->Trace().Open(trace));
  const std::string expected = std::string("COM 6: ") + std::strerror(ENOTTY);
  ASSERT_TRUE(Tick([&] { return status.Find(expected) != nullptr; }, kSearchCapMs));
  EXPECT_EQ(status.Find(expected)->slot, Slot::Connection);
  EXPECT_EQ(com->OpenError(6), ENOTTY);
  const std::string log = ReadFile(trace);
  EXPECT_NE(log.find(std::string("OPEN FAIL COM6 /dev/null: ") + std::strerror(ENOTTY)), std::string::npos)
      << log;
}

}  // namespace
}  // namespace ign::test
