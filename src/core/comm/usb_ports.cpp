#include "core/comm/usb_ports.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ign {

namespace {

constexpr const char* kSection = "[USB_PORTS]";
constexpr int kMaxLevels = 8;  // from the tty up to the USB device, with room to spare

bool HasFile(const std::string& folder, const char* name) {
  struct stat st;
  return ::stat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The first line of a sysfs attribute, without the line end; empty when missing.
std::string Attribute(const std::string& folder, const char* name) {
  std::FILE* f = std::fopen((folder + "/" + name).c_str(), "r");
  if (!f) return {};
  char line[256] = {};
  const bool read = std::fgets(line, sizeof line, f) != nullptr;
  std::fclose(f);
  if (!read) return {};
  std::string value = line;
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r' || value.back() == ' '))
    value.pop_back();
  return value;
}

// A key holds no '=', line break or control character.
std::string KeyPart(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == '=' || c == 0x7F) c = '_';
  return out;
}

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

bool IsUsbTtyName(const std::string& name) {
  for (const char* prefix : {"ttyUSB", "ttyACM"}) {
    const size_t len = std::strlen(prefix);
    if (name.size() <= len || name.size() > len + 3 || name.compare(0, len, prefix) != 0) continue;
    if (name.find_first_not_of("0123456789", len) == std::string::npos) return true;
  }
  return false;
}

UsbAdapter ReadUsbAdapter(const std::string& ttyDir, const std::string& device) {
  UsbAdapter a;
  a.device = device;
  a.key = "tty:" + device;
  char resolved[PATH_MAX];
  if (!::realpath((ttyDir + "/" + device + "/device").c_str(), resolved)) return a;
  std::string folder = resolved, interface, usb;
  for (int level = 0; level < kMaxLevels && usb.empty() && folder.size() > 1; ++level) {
    if (interface.empty() && HasFile(folder, "bInterfaceNumber")) interface = folder;
    if (HasFile(folder, "idVendor")) usb = folder;
    folder.erase(folder.rfind('/'));
  }
  if (usb.empty()) return a;
  a.product = Attribute(usb, "product");
  a.maker = Attribute(usb, "manufacturer");
  a.serial = Attribute(usb, "serial");
  const std::string number = interface.empty() ? "00" : Attribute(interface, "bInterfaceNumber");
  if (!a.serial.empty()) {
    a.key = KeyPart("usb:" + Attribute(usb, "idVendor") + ":" + Attribute(usb, "idProduct") + ":" + a.serial +
                    ":" + number);
  } else {
    const std::string socket = interface.empty() ? usb : interface;
    a.key = KeyPart("usb-path:" + socket.substr(socket.rfind('/') + 1));
  }
  return a;
}

std::string DescribeUsbAdapter(const UsbAdapter& adapter) {
  std::string text;
  auto add = [&text](const std::string& part) {
    if (part.empty()) return;
    if (!text.empty()) text += ", ";
    text += part;
  };
  add(adapter.product);
  add(adapter.maker);
  if (!adapter.serial.empty()) add("serial " + adapter.serial);
  return text;
}

void CUsbPortMap::Merge(const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    const size_t equals = line.rfind('=');
    if (line.empty() || line[0] == '[' || line[0] == ';' || equals == std::string::npos || equals == 0)
      continue;
    const std::string key = Trimmed(line.substr(0, equals)), value = Trimmed(line.substr(equals + 1));
    if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != std::string::npos)
      continue;
    const int number = std::atoi(value.c_str());
    if (number < kFirst || number > kLast || numbers_.count(key) || Taken(number)) continue;
    numbers_[key] = number;
  }
}

std::string CUsbPortMap::Text() const {
  std::string text = std::string(kSection) + "\n";
  for (const auto& [key, number] : numbers_) text += key + "=" + std::to_string(number) + "\n";
  return text;
}

bool CUsbPortMap::Taken(int number) const {
  for (const auto& entry : numbers_)
    if (entry.second == number) return true;
  return false;
}

int CUsbPortMap::NumberOf(const std::string& key, int from) {
  const auto it = numbers_.find(key);
  if (it != numbers_.end()) return it->second;
  from = std::clamp(from, kFirst, kLast);
  for (int i = 0; i <= kLast - kFirst; ++i) {
    const int n = from + i <= kLast ? from + i : from + i - (kLast - kFirst + 1);
    if (Taken(n)) continue;
    numbers_[key] = n;
    changed_ = true;
    return n;
  }
  return 0;
}

}  // namespace ign
