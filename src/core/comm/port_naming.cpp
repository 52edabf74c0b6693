#include "core/comm/port_naming.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/base/atomic_file.h"

namespace ign {

namespace {

struct DeviceRule {
  const char* prefix;
  int first;  // port number of unit 0
  int count;  // how many numbers the rule owns
};

constexpr DeviceRule kRules[] = {{"ttyS", 1, 32}};

// Decimal number of 1..3 digits without a sign or leading junk; -1 otherwise.
int ParseSmallNumber(const char* s) {
  if (*s == '\0') return -1;
  int value = 0;
  int digits = 0;
  for (; *s; ++s) {
    if (*s < '0' || *s > '9' || ++digits > 3) return -1;
    value = value * 10 + (*s - '0');
  }
  return value;
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

// The kernel keeps ttyS nodes for UARTs that are not fitted; their "type"
// attribute reads 0 then. A missing attribute says nothing against the device.
bool UartFitted(const std::string& sysDir, const std::string& name) {
  if (name.compare(0, 4, "ttyS") != 0 || sysDir.empty()) return true;
  std::FILE* f = std::fopen((sysDir + "/" + name + "/type").c_str(), "r");
  if (!f) return true;
  int type = -1;
  const bool read = std::fscanf(f, "%d", &type) == 1;
  std::fclose(f);
  return !read || type != 0;
}

}  // namespace

int ParseComName(const std::string& name) {
  if (name.compare(0, 3, "COM") != 0) return 0;
  const int n = ParseSmallNumber(name.c_str() + 3);
  return (n >= 1 && n <= 255) ? n : 0;
}

int PortOfDeviceName(const std::string& name) {
  for (const DeviceRule& rule : kRules) {
    const size_t len = std::strlen(rule.prefix);
    if (name.compare(0, len, rule.prefix) != 0) continue;
    const int k = ParseSmallNumber(name.c_str() + len);
    if (k >= 0 && k < rule.count) return rule.first + k;
  }
  return 0;
}

std::string PortNaming::DevicePath(int port) const {
  if (port < 1 || port > 255) return {};
  if (!portDir.empty()) return portDir + "/COM" + std::to_string(port);
  for (const DeviceRule& rule : kRules) {
    if (port >= rule.first && port < rule.first + rule.count)
      return devDir + "/" + rule.prefix + std::to_string(port - rule.first);
  }
  const auto usb = usb_.find(port);
  return usb == usb_.end() ? std::string() : devDir + "/" + usb->second.device;
}

std::string PortNaming::Description(int port) const {
  const auto usb = usb_.find(port);
  return usb == usb_.end() ? std::string() : DescribeUsbAdapter(usb->second);
}

bool PortNaming::List(PortPresence& present) {
  present.fill(false);
  const std::string& dir = portDir.empty() ? devDir : portDir;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return false;
  std::vector<std::string> usbDevices;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    // A link whose target has gone (a closed pseudo-terminal) does not count.
    if (!Exists(dir + "/" + name)) continue;
    if (!portDir.empty()) {
      if (const int port = ParseComName(name)) present[size_t(port)] = true;
    } else if (const int port = PortOfDeviceName(name)) {
      if (UartFitted(sysDir, name)) present[size_t(port)] = true;
    } else if (IsUsbTtyName(name)) {
      usbDevices.push_back(name);
    }
  }
  ::closedir(d);
  ListUsb(usbDevices, present);
  return true;
}

void PortNaming::ListUsb(const std::vector<std::string>& devices, PortPresence& present) {
  usb_.clear();
  if (devices.empty()) return;
  // Another program of the installation may have numbered adapters since.
  std::string kept;
  if (!mapFile.empty() && ReadWholeFile(mapFile, kept)) numbers_.Merge(kept);
  // Adapters met for the first time are numbered in the order of their names.
  std::vector<std::string> sorted = devices;
  std::sort(sorted.begin(), sorted.end());
  for (const std::string& device : sorted) {
    UsbAdapter adapter = ReadUsbAdapter(sysDir, device);
    // A modem-class adapter met for the first time gets the number it had
    // before adapters were remembered (ttyACM0 was COM65), so a port chosen
    // then still finds it.
    const bool acm = device.compare(0, 6, "ttyACM") == 0;
    const int port = numbers_.NumberOf(adapter.key, acm ? CUsbPortMap::kFirstAcm : CUsbPortMap::kFirst);
    // Two ttys of one key (a tty name reused while sysfs lags): the first keeps it.
    if (port == 0 || usb_.count(port)) continue;
    present[size_t(port)] = true;
    usb_[port] = std::move(adapter);
  }
  // A map that cannot be written keeps its numbers for this run.
  if (!numbers_.Changed() || mapFile.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(mapFile).parent_path(), ec);
  if (WriteFileAtomically(mapFile, numbers_.Text())) numbers_.ClearChanged();
}

}  // namespace ign
