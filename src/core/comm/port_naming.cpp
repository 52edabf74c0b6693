#include "core/comm/port_naming.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ign {

namespace {

struct DeviceRule {
  const char* prefix;
  int first;  // port number of unit 0
  int count;  // how many numbers the rule owns
};

constexpr DeviceRule kRules[] = {{"ttyS", 1, 32}, {"ttyUSB", 33, 32}, {"ttyACM", 65, 32}};

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
  return {};
}

bool PortNaming::List(PortPresence& present) const {
  present.fill(false);
  const std::string& dir = portDir.empty() ? devDir : portDir;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return false;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    const int port = portDir.empty() ? PortOfDeviceName(name) : ParseComName(name);
    // A link whose target has gone (a closed pseudo-terminal) does not count.
    if (port > 0 && Exists(dir + "/" + name) && (!portDir.empty() || UartFitted(sysDir, name)))
      present[port] = true;
  }
  ::closedir(d);
  return true;
}

}  // namespace ign
