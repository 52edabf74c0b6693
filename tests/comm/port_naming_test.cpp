// Port numbers on this platform: COM<n> links in a port folder, or the fixed device rule.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "core/comm/port_naming.h"

namespace ign {
namespace {

std::string TempDir() {
  char tmpl[] = "/tmp/ign-naming-XXXXXX";
  return ::mkdtemp(tmpl);
}

TEST(PortNaming, ComNames) {
  const std::pair<const char*, int> cases[] = {{"COM1", 1},   {"COM12", 12}, {"COM255", 255}, {"COM0", 0},
                                               {"COM256", 0}, {"COM", 0},    {"COM1a", 0},    {"com3", 0},
                                               {"XCOM3", 0},  {"COM-1", 0},  {"COM0012", 0}};
  for (const auto& [name, port] : cases) EXPECT_EQ(ParseComName(name), port) << name;
}

TEST(PortNaming, DeviceRule) {
  const std::pair<const char*, int> cases[] = {
      {"ttyS0", 1},    {"ttyS31", 32},   {"ttyS32", 0}, {"ttyUSB0", 33}, {"ttyUSB5", 38},
      {"ttyACM0", 65}, {"ttyACM31", 96}, {"tty1", 0},   {"ttyUSB", 0},   {"ttyAMA0", 0}};
  for (const auto& [name, port] : cases) EXPECT_EQ(PortOfDeviceName(name), port) << name;
  PortNaming naming;
  naming.devDir = "/dev";
  EXPECT_EQ(naming.DevicePath(1), "/dev/ttyS0");
  EXPECT_EQ(naming.DevicePath(34), "/dev/ttyUSB1");
  EXPECT_EQ(naming.DevicePath(65), "/dev/ttyACM0");
  EXPECT_EQ(naming.DevicePath(200), "");
}

TEST(PortNaming, PortFolderListsOnlyLiveComLinks) {
  const std::string dir = TempDir();
  const std::string target = dir + "/target";
  std::ofstream(target) << "x";
  ASSERT_EQ(::symlink(target.c_str(), (dir + "/COM3").c_str()), 0);
  ASSERT_EQ(::symlink(target.c_str(), (dir + "/COM17").c_str()), 0);
  ASSERT_EQ(::symlink((dir + "/gone").c_str(), (dir + "/COM5").c_str()), 0);  // dangling
  ASSERT_EQ(::symlink(target.c_str(), (dir + "/ttyUSB0").c_str()), 0);        // not a COM name
  PortNaming naming;
  naming.portDir = dir;
  PortPresence present{};
  ASSERT_TRUE(naming.List(present));
  for (int port = 0; port < 256; ++port) EXPECT_EQ(present[size_t(port)], port == 3 || port == 17) << port;
  EXPECT_EQ(naming.DevicePath(3), dir + "/COM3");
  naming.portDir = dir + "/missing";
  EXPECT_FALSE(naming.List(present));
}

TEST(PortNaming, DeviceFolderUsesTheRuleAndSkipsUnfittedUarts) {
  const std::string dev = TempDir();
  const std::string sys = TempDir();
  for (const char* name : {"ttyS0", "ttyS1", "ttyUSB2", "ttyACM0", "tty0", "null"})
    std::ofstream(dev + "/" + name);
  ::mkdir((sys + "/ttyS1").c_str(), 0755);
  std::ofstream(sys + "/ttyS1/type") << "0\n";  // a node without a UART behind it
  PortNaming naming;
  naming.devDir = dev;
  naming.sysDir = sys;
  PortPresence present{};
  ASSERT_TRUE(naming.List(present));
  for (int port = 0; port < 256; ++port)
    EXPECT_EQ(present[size_t(port)], port == 1 || port == 35 || port == 65) << port;
}

TEST(PortNaming, PortFolderChoosesItsLinks) {
  PortNaming naming;
  naming.portDir = "/some/where";
  EXPECT_EQ(naming.DevicePath(4), "/some/where/COM4");
  EXPECT_EQ(PortNaming{}.DevicePath(4), "/dev/ttyS3");
}

}  // namespace
}  // namespace ign
