#include "core/status/title.h"

#include <gtest/gtest.h>

#include <string>

#include "core/status/status_slots.h"
#include "core/text/language.h"

namespace ign {
namespace {

struct Case {
  const char* name;
  TitleState state;
  int language;
  std::string expected;
};

const std::string kHead = "  QUNTAR6 (v108)";
const std::string kGap = "       ";

class TitleCases : public ::testing::TestWithParam<Case> {};

TEST_P(TitleCases, Composes) {
  const Case& c = GetParam();
  EXPECT_EQ(ComposeTitle(c.state, c.language), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TitleCases,
    ::testing::Values(
        Case{"nothing", {}, -1, kHead},
        Case{"saved_file", {true, "/home/rider/r1.ign"}, -1, kHead + kGap + "/home/rider/r1.ign"},
        Case{"unsaved_file_is_not_named", {false, "/home/rider/r1.ign"}, -1, kHead},
        Case{"csv_log",
             {false, "", true, "C:\\logs\\run 1.csv"},
             -1,
             kHead + kGap + "(CSV output: run 1.csv)      "},
        Case{"csv_log_posix_path",
             {false, "", true, "/tmp/logs/track.csv"},
             -1,
             kHead + kGap + "(CSV output: track.csv)      "},
        Case{"csv_log_plain_name",
             {false, "", true, "track.csv"},
             -1,
             kHead + kGap + "(CSV output: track.csv)      "},
        Case{"saved_and_csv",
             {true, "r1.ign", true, "a.csv"},
             -1,
             kHead + kGap + "r1.ign" + kGap + "(CSV output: a.csv)      "},
        Case{"bootloader_without_file",
             {false, "", false, "", true},
             LNG_ENGLISH,
             kHead + kGap + "(Disconnected by bootloader)"},
        Case{"bootloader_german",
             {false, "", false, "", true},
             LNG_DEUTSCH,
             kHead + kGap + "(Von Bootloader getrennt)"},
        Case{"bootloader_after_saved_file",
             {true, "r1.ign", false, "", true},
             LNG_CESKY,
             kHead + kGap + "r1.ign(Dočasně odpojeno bootloaderem)"},
        Case{"everything",
             {true, "r1.ign", true, "a.csv", true},
             LNG_ENGLISH,
             kHead + kGap + "r1.ign" + kGap + "(CSV output: a.csv)      (Disconnected by bootloader)"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(Title, CsvPieceIsCutAt256Characters) {
  TitleState state;
  state.csvRunning = true;
  state.csvFileName = "/logs/" + std::string(300, 'x') + ".csv";
  const std::string title = ComposeTitle(state);
  EXPECT_EQ(title.size(), kHead.size() + 256);
  EXPECT_EQ(title.substr(kHead.size(), 20), kGap + "(CSV output: ");

  state.csvFileName.clear();
  for (int i = 0; i < 300; ++i) state.csvFileName += "č";  // two bytes each: the cut keeps whole characters
  const std::string czech = ComposeTitle(state);
  EXPECT_EQ(czech.size(), kHead.size() + 20 + 2 * (256 - 20));
}

TEST(Title, BootloaderTextFollowsTheCurrentLanguage) {
  TitleState state;
  state.linkDisabled = true;
  SetLanguage(LNG_CESKY);
  EXPECT_EQ(ComposeTitle(state), kHead + kGap + "(Dočasně odpojeno bootloaderem)");
  SetLanguage(LNG_ENGLISH);
  EXPECT_EQ(ComposeTitle(state), kHead + kGap + "(Disconnected by bootloader)");
}

TEST(Title, RefreshTitleSendsTheComposedTitle) {
  CTickClock clock;
  CStatusSlots slots{clock};
  slots.RefreshTitle();  // no sink yet: nothing happens
  std::string shown;
  int calls = 0;
  slots.SetTitleSink([&](const std::string& t) {
    shown = t;
    ++calls;
  });
  slots.RefreshTitle();
  EXPECT_EQ(shown, kHead);
  TitleState state{true, "/home/rider/r1.ign"};
  slots.SetTitleSource([&] { return state; });
  slots.RefreshTitle();
  EXPECT_EQ(shown, kHead + kGap + "/home/rider/r1.ign");
  state.saved = false;
  slots.RefreshTitle();
  EXPECT_EQ(shown, kHead);
  EXPECT_EQ(calls, 3);
}

}  // namespace
}  // namespace ign
