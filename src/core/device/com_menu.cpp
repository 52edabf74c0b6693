#include "core/device/com_menu.h"

#include <vector>

#include "core/comm/port_error.h"
#include "core/text/lngstr.h"

namespace ign {

ComMenuModel InitialComMenu() {
  ComMenuModel m;
  for (int i = 0; i < kComMenuItems; ++i) m[size_t(i)].caption = "COM" + std::to_string(i + 1);
  return m;
}

namespace {

std::string PortCaption(int port, const IPortList& ports) {
  std::string caption = "COM&" + std::to_string(port);
  std::string device = ports.PortDevice(port);
  if (!device.empty()) caption += "  (" + device + ")";
  if (ports.PortInUse(port)) caption += std::string("  (") + LngStr(kPortInUseCaption) + ")";
  return caption;
}

}  // namespace

ComMenuModel BuildComMenuModel(int configuredPort, int connectedPort, const IPortList& ports,
                               const std::string& offlineCaption, const std::string& autoCaption) {
  ComMenuModel m = InitialComMenu();
  std::vector<int> listed;
  for (int n = 0; n <= kHighestPort; ++n)
    if (ports.PortPresent(n) || (configuredPort > 0 && n == configuredPort)) listed.push_back(n);
  const bool truncated = listed.size() + 3 > size_t(kComMenuItems);
  const int visible = truncated ? kComMenuItems : int(listed.size()) + 3;
  const bool automatic = configuredPort == kPortAuto;
  const int toMark = automatic ? connectedPort : configuredPort;

  m[0] = {offlineCaption, -2, true, configuredPort == kPortOffline, false, true, false};
  m[1] = {autoCaption, -2, true, automatic, false, true, false};
  m[2] = {"-", -2, true, false, false, true, true};
  for (int i = 3; i < visible; ++i) {
    int port = listed[size_t(i - 3)];
    // When the list is cut, the last item shows the port to mark if that lies beyond.
    if (truncated && i == visible - 1 && toMark > port) port = toMark;
    ComMenuItem& item = m[size_t(i)];
    item.caption = PortCaption(port, ports);
    item.port = port;
    item.visible = true;
    item.radio = automatic;
    item.checked = port == toMark;
    item.enabled = ports.PortPresent(port);
  }
  return m;
}

int PortFromCaption(std::string caption) {
  size_t amp = caption.find('&');
  if (amp != std::string::npos) caption.erase(amp, 1);
  size_t i = caption.find_first_of("0123456789");
  if (i == std::string::npos) return -1;
  int n = 0;
  for (; i < caption.size() && caption[i] >= '0' && caption[i] <= '9'; ++i) {
    n = n * 10 + (caption[i] - '0');
    if (n > 100000) return -1;
  }
  return n;
}

bool ApplyComMenuChoice(int item, const std::string& caption, int& configuredPort, ILinkControl& link) {
  if (item < 0 || item >= kComMenuItems || item == 2) return false;
  if (item == 0) {
    configuredPort = kPortOffline;
  } else if (item == 1) {
    configuredPort = kPortAuto;
  } else {
    int port = PortFromCaption(caption);
    if (port < 1 || port > kHighestPort) return false;
    configuredPort = port;
    link.Trace("NEW PORT");
  }
  if (link.LinkDisabled()) link.TakeLinkBack();
  if (link.UnitConnected() && configuredPort != kPortAuto && configuredPort != link.ConnectedPort())
    link.DropLink();
  return true;
}

}  // namespace ign
