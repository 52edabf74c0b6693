#include "core/device/handover.h"

#include <gtest/gtest.h>

namespace ign {
namespace {

TEST(InstanceRequest, OnlyAbsolutePathsOnOneLineTravel) {
  struct Case {
    std::string path;
    std::string line;  // empty: refused
  } cases[] = {
      {"/home/t/bike.ign", "OPEN /home/t/bike.ign\n"},
      {"/home/t/jízda 1.ignlog", "OPEN /home/t/jízda 1.ignlog\n"},
      {"bike.ign", ""},  // relative: the running window has another working folder
      {"", ""},
      {"/a/b\nSHOW", ""},
      {"/a/b\r", ""},
      {"/" + std::string(kHandoverMaxLine, 'x'), ""},
  };
  for (const Case& c : cases) {
    const std::string line = FormatOpenFile(c.path);
    EXPECT_EQ(line, c.line) << c.path;
    if (line.empty()) continue;
    const auto request = ParseInstanceRequest(line);
    ASSERT_TRUE(request) << line;
    EXPECT_EQ(request->kind, InstanceRequest::Open);
    EXPECT_EQ(request->path, c.path);
  }
}

TEST(InstanceRequest, ParsesShowAndRefusesEverythingElse) {
  EXPECT_EQ(ParseInstanceRequest(FormatShowWindow())->kind, InstanceRequest::Show);
  EXPECT_EQ(ParseInstanceRequest("SHOW\r\n")->kind, InstanceRequest::Show);
  for (const char* line :
       {"OPEN \n", "OPEN relative.ign\n", "open /a.ign\n", "SHOW NOW\n", "6 7FFFFFA1\n", ""})
    EXPECT_FALSE(ParseInstanceRequest(line)) << line;
  // And a file request is never taken for a port message.
  EXPECT_FALSE(ParseHandover("OPEN /6 7FFFFFA1\n"));
}

TEST(InstanceRequest, NobodyListeningIsReported) {
  std::string error;
  EXPECT_FALSE(SendHandoverLine(FormatShowWindow(), "/nonexistent-folder/ignset.sock", &error));
  EXPECT_NE(error.find("no running ignset"), std::string::npos) << error;
}

}  // namespace
}  // namespace ign
