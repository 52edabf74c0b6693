// Port numbers on this platform: COM<n> links in a port folder, the fixed
// rule of the built-in UARTs, and the numbers USB adapters keep (on a fake
// /dev and sysfs tree).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/base/atomic_file.h"
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

TEST(PortNaming, BuiltInUartRule) {
  const std::pair<const char*, int> cases[] = {{"ttyS0", 1}, {"ttyS31", 32}, {"ttyS32", 0}, {"ttyUSB0", 0},
                                               {"tty1", 0},  {"ttyS", 0},    {"ttyAMA0", 0}};
  for (const auto& [name, port] : cases) EXPECT_EQ(PortOfDeviceName(name), port) << name;
  for (const char* name : {"ttyUSB0", "ttyACM12", "ttyUSB255"}) EXPECT_TRUE(IsUsbTtyName(name)) << name;
  for (const char* name : {"ttyUSB", "ttyUSB1a", "ttyUSB1234", "ttyS0", "xttyACM0"})
    EXPECT_FALSE(IsUsbTtyName(name)) << name;
  PortNaming naming;
  naming.devDir = "/dev";
  EXPECT_EQ(naming.DevicePath(1), "/dev/ttyS0");
  EXPECT_EQ(naming.DevicePath(33), "");  // a USB number means nothing before a listing
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
  // USB ttys that sysfs tells nothing of are numbered by name: ttyUSB from 33,
  // ttyACM from 65 (the numbers they had before adapters were remembered).
  for (int port = 0; port < 256; ++port)
    EXPECT_EQ(present[size_t(port)], port == 1 || port == 33 || port == 65) << port;
  EXPECT_EQ(naming.DevicePath(65), dev + "/ttyACM0");
  EXPECT_EQ(naming.DevicePath(33), dev + "/ttyUSB2");
  EXPECT_EQ(naming.Description(33), "");
}

// A fake /dev and sysfs: USB adapters plugged into sockets (USB paths such
// as 1-1.2), each showing up as a tty the way the kernel lays it out:
// class/tty/<tty>/device -> the interface (ttyACM) or a port folder below it
// (ttyUSB); the USB device folder above holds idVendor, product, serial ...
class FakeUsb {
 public:
  FakeUsb() : root_(TempDir()) {
    std::filesystem::create_directories(Dev());
    std::filesystem::create_directories(Tty());
  }
  ~FakeUsb() { std::filesystem::remove_all(root_); }
  std::string Dev() const { return root_ + "/dev"; }
  std::string Tty() const { return root_ + "/sys/class/tty"; }
  std::string Map() const { return root_ + "/settings/ports.ini"; }

  struct Adapter {
    std::string product, maker, serial;
    std::string vendorId = "0403", productId = "6001";
  };
  // The adapter's interface `iface` in socket `socket` appears as `tty`.
  void Plug(const std::string& tty, const std::string& socket, const Adapter& a, int iface = 0) {
    const std::string usb = root_ + "/sys/devices/pci0000:00/usb1/" + socket;
    const std::string interface = usb + "/" + socket + ":1." + std::to_string(iface);
    const bool acm = tty.compare(0, 6, "ttyACM") == 0;
    const std::string target = acm ? interface : interface + "/" + tty;
    std::filesystem::create_directories(target);
    Write(usb + "/idVendor", a.vendorId);
    Write(usb + "/idProduct", a.productId);
    if (!a.product.empty()) Write(usb + "/product", a.product);
    if (!a.maker.empty()) Write(usb + "/manufacturer", a.maker);
    if (!a.serial.empty()) Write(usb + "/serial", a.serial);
    Write(interface + "/bInterfaceNumber", "0" + std::to_string(iface));
    std::filesystem::create_directories(Tty() + "/" + tty);
    std::filesystem::create_symlink(target, Tty() + "/" + tty + "/device");
    Write(Dev() + "/" + tty, "");
  }
  void UnplugAll() {
    std::filesystem::remove_all(root_ + "/sys");
    std::filesystem::remove_all(Dev());
    std::filesystem::create_directories(Dev());
    std::filesystem::create_directories(Tty());
  }
  PortNaming Naming() const {
    PortNaming n;
    n.devDir = Dev();
    n.sysDir = Tty();
    n.mapFile = Map();
    return n;
  }

 private:
  static void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text << "\n"; }
  std::string root_;
};

// The numbers the listing gives, by device name.
std::map<std::string, int> Numbers(PortNaming& naming) {
  PortPresence present{};
  EXPECT_TRUE(naming.List(present));
  std::map<std::string, int> numbers;
  for (int port = 1; port < 256; ++port) {
    if (!present[size_t(port)]) continue;
    const std::string path = naming.DevicePath(port);
    numbers[path.substr(path.rfind('/') + 1)] = port;
  }
  return numbers;
}

const FakeUsb::Adapter kA{"USB serial A", "Maker One", "A600"};
const FakeUsb::Adapter kB{"USB serial B", "Maker Two", "B700"};
const FakeUsb::Adapter kC{"Link cable", "", "C800", "2341", "0043"};

TEST(UsbPortNumbers, AdaptersSwappedBetweenSocketsKeepTheirNumbersAndANewOneGetsTheNextFree) {
  FakeUsb usb;
  usb.Plug("ttyUSB0", "1-1", kA);
  usb.Plug("ttyUSB1", "1-2", kB);
  PortNaming naming = usb.Naming();
  EXPECT_EQ(Numbers(naming), (std::map<std::string, int>{{"ttyUSB0", 33}, {"ttyUSB1", 34}}));
  EXPECT_EQ(naming.Description(33), "USB serial A, Maker One, serial A600");

  // Swapped between the sockets, and the tty names swapped with them.
  usb.UnplugAll();
  usb.Plug("ttyUSB0", "1-2", kB);
  usb.Plug("ttyUSB1", "1-1", kA);
  EXPECT_EQ(Numbers(naming), (std::map<std::string, int>{{"ttyUSB1", 33}, {"ttyUSB0", 34}}));
  EXPECT_EQ(naming.Description(34), "USB serial B, Maker Two, serial B700");

  // A third adapter, met by another run of the program (the kept file).
  usb.Plug("ttyUSB2", "2-1", kC);
  PortNaming nextRun = usb.Naming();
  EXPECT_EQ(Numbers(nextRun),
            (std::map<std::string, int>{{"ttyUSB1", 33}, {"ttyUSB0", 34}, {"ttyUSB2", 35}}));
  EXPECT_EQ(nextRun.Description(35), "Link cable, serial C800");

  // An adapter away keeps its number reserved: A alone, C in A's old socket.
  usb.UnplugAll();
  usb.Plug("ttyUSB0", "1-1", kC);
  PortNaming third = usb.Naming();
  EXPECT_EQ(Numbers(third), (std::map<std::string, int>{{"ttyUSB0", 35}}));
}

TEST(UsbPortNumbers, PlainAdaptersKeepTheirNumberPerSocketAndTwoInterfacesGetTwo) {
  FakeUsb usb;
  const FakeUsb::Adapter plain{"Plain cable", "", ""};
  usb.Plug("ttyUSB0", "1-1", plain);
  usb.Plug("ttyUSB1", "1-3", kA, 0);
  usb.Plug("ttyUSB2", "1-3", kA, 1);  // a two-port adapter: one serial number, two interfaces
  PortNaming naming = usb.Naming();
  EXPECT_EQ(Numbers(naming), (std::map<std::string, int>{{"ttyUSB0", 33}, {"ttyUSB1", 34}, {"ttyUSB2", 35}}));
  EXPECT_EQ(naming.Description(33), "Plain cable");

  // Moved to another socket, the plain one counts as new; back, it is known.
  usb.UnplugAll();
  usb.Plug("ttyUSB0", "1-2", plain);
  EXPECT_EQ(Numbers(naming), (std::map<std::string, int>{{"ttyUSB0", 36}}));
  usb.UnplugAll();
  usb.Plug("ttyUSB3", "1-1", plain);
  EXPECT_EQ(Numbers(naming), (std::map<std::string, int>{{"ttyUSB3", 33}}));
}

TEST(UsbPortNumbers, DamagedOrUnwritableMapDoesNotStopTheListing) {
  FakeUsb usb;
  usb.Plug("ttyUSB0", "1-1", kA);
  usb.Plug("ttyUSB1", "1-2", kB);
  std::filesystem::create_directories(std::filesystem::path(usb.Map()).parent_path());
  // Kept lines that make no sense are passed over; B's number 40 holds.
  ASSERT_TRUE(WriteFileAtomically(usb.Map(),
                                  "[USB_PORTS]\ngarbage\n=33\nusb:0403:6001:B700:00=40\nx=999\ny=33x\n"
                                  "usb:0403:6001:A600:00=40\n"));
  PortNaming naming = usb.Naming();
  EXPECT_EQ(Numbers(naming), (std::map<std::string, int>{{"ttyUSB0", 33}, {"ttyUSB1", 40}}));
  std::string kept;
  ASSERT_TRUE(ReadWholeFile(usb.Map(), kept));
  EXPECT_EQ(kept, "[USB_PORTS]\nusb:0403:6001:A600:00=33\nusb:0403:6001:B700:00=40\n");

  // A map that cannot be written: the numbers hold for the run all the same.
  PortNaming nowhere = usb.Naming();
  nowhere.mapFile = "/proc/no-such-folder/ports.ini";
  EXPECT_EQ(Numbers(nowhere), (std::map<std::string, int>{{"ttyUSB0", 33}, {"ttyUSB1", 34}}));
  EXPECT_EQ(Numbers(nowhere), (std::map<std::string, int>{{"ttyUSB0", 33}, {"ttyUSB1", 34}}));
}

// A modem-class adapter met for the first time gets the number a ttyACM had
// before adapters were remembered, so a port configured then still finds it.
TEST(UsbPortNumbers, ModemClassAdapterStartsWhereItUsedToBe) {
  FakeUsb usb;
  usb.Plug("ttyUSB0", "1-1", kA);
  usb.Plug("ttyACM0", "2-1", kC);
  PortNaming naming = usb.Naming();
  EXPECT_EQ(Numbers(naming), (std::map<std::string, int>{{"ttyUSB0", 33}, {"ttyACM0", 65}}));
  // In another socket under another name it keeps its number.
  usb.UnplugAll();
  usb.Plug("ttyACM3", "1-2", kC);
  PortNaming later = usb.Naming();
  EXPECT_EQ(Numbers(later), (std::map<std::string, int>{{"ttyACM3", 65}}));
}

TEST(UsbPortNumbers, NumbersFromAStartWrapAroundToTheFirst) {
  CUsbPortMap map;
  for (int n = CUsbPortMap::kFirstAcm; n <= CUsbPortMap::kLast; ++n)
    ASSERT_EQ(map.NumberOf("k" + std::to_string(n), CUsbPortMap::kFirstAcm), n);
  EXPECT_EQ(map.NumberOf("late modem", CUsbPortMap::kFirstAcm), CUsbPortMap::kFirst);
}

TEST(UsbPortNumbers, AllNumbersTakenLeavesANewAdapterOut) {
  CUsbPortMap map;
  for (int n = CUsbPortMap::kFirst; n <= CUsbPortMap::kLast; ++n)
    EXPECT_EQ(map.NumberOf("k" + std::to_string(n)), n);
  EXPECT_EQ(map.NumberOf("one more"), 0);
  EXPECT_EQ(map.NumberOf("k40"), 40);
}

TEST(PortNaming, PortFolderChoosesItsLinks) {
  PortNaming naming;
  naming.portDir = "/some/where";
  EXPECT_EQ(naming.DevicePath(4), "/some/where/COM4");
  EXPECT_EQ(PortNaming{}.DevicePath(4), "/dev/ttyS3");
  EXPECT_EQ(PortNaming{}.Description(4), "");
}

}  // namespace
}  // namespace ign
